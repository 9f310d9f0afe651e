// The platform of panbank, a console program: the real files of the working
// folder through the same file layer as the panel's (and the same atomic
// replacement), problems on stderr; it has no window, no sound and no
// serial line, and those calls do nothing.
#pragma once

#include "platform/platform.h"
#ifdef _WIN32
#include "platform/win32/win32_text_files.h"
#else
#include "platform/core/text_files.h"
#endif

namespace voxpan::panbank {

class ConsolePlatform final : public Platform {
public:
    bool createWindow(int, int, int, int, std::string_view) override { return false; }
    void closeWindow() override {}
    void moveTo(int, int) override {}
    void setFont(std::string_view, int, int) override {}
    void setTextColour(Colour) override {}
    void drawText(std::string_view) override {}
    Point drawingPosition() override { return {}; }

    void startTimer(int, int) override {}
    void stopTimer(int) override {}
    std::vector<WindowEvent> waitEvents() override { return {WindowEvent{EventKind::Close, 0}}; }

    SoundResult playSound(std::string_view) override { return SoundResult::NoDevice; }
    bool useSystemVoice(SpeechPace) override { return false; }
    bool sayText(std::string_view) override { return false; }

    bool serialOpen(const std::string&, int) override { return false; }
    void serialSetNonBlocking() override {}
    void serialSetLineFormat(int, int, int) override {}
    int serialBytesWaiting() override { return 0; }
    std::string serialRead(int) override { return {}; }
    int serialWrite(std::string_view) override { return 0; }
    void serialClose() override {}
    bool serialLost() override { return false; }
    bool serialOpenQuietly(const std::string&, int) override { return false; }

    FileHandle openForReading(const std::string& name) override { return files_.openForReading(name); }
    FileHandle openForWriting(const std::string& name) override { return files_.openForWriting(name); }
    FileHandle openForAppending(const std::string& name) override { return files_.openForAppending(name); }
    bool readLine(FileHandle file, std::string& line) override { return files_.readLine(file, line); }
    void writeLine(FileHandle file, std::string_view line) override { files_.writeLine(file, line); }
    void closeFile(FileHandle file) override { files_.closeFile(file); }
    bool deleteFile(const std::string& name) override { return files_.deleteFile(name); }
    // As the panel replaces a file; when it cannot, the reason is told on
    // stderr and the file is as it was.
    bool replaceTextFile(const std::string& name, const std::vector<std::string>& lines) override;
    PathKind pathKind(const std::string& name) override;
    std::string workingFolder() override;
    std::string installedWordFolder() override { return {}; }

    // "panbank: " + line on stderr.
    void reportProblem(std::string_view line) override;
    void setDisplayLostHandler(std::function<void()>) override {}

    std::int64_t steadyMilliseconds() override;
    void sleepMilliseconds(int ms) override;
    std::string todayText() override;
    std::string timeText() override;
    std::string localTimestamp() override;

private:
#ifdef _WIN32
    Win32TextFiles files_;
#else
    TextFiles files_;
#endif
};

}  // namespace voxpan::panbank
