// A diagnostic trace of what the panel draws, plays and receives, for the
// person setting it up and for the end-to-end tests. Wraps any platform and
// appends one tab-separated line per event to a file, written at once:
//   <ms> play <path>
//   <ms> say <text>
//   <ms> text <x> <y> <face> <size> <weight> <r>,<g>,<b> <text>
//   <ms> key-down <code> | <ms> key-up <code> | <ms> close
// <ms> counts from the moment the trace was opened.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "platform/platform.h"

namespace voxpan {

class TracingPlatform final : public Platform {
public:
    // A trace file that cannot be opened leaves the platform untraced.
    TracingPlatform(Platform& inner, const std::string& tracePath);
    ~TracingPlatform() override;
    TracingPlatform(const TracingPlatform&) = delete;
    TracingPlatform& operator=(const TracingPlatform&) = delete;

    bool createWindow(int x, int y, int width, int height, std::string_view title) override {
        return inner_.createWindow(x, y, width, height, title);
    }
    void closeWindow() override { inner_.closeWindow(); }
    void moveTo(int x, int y) override { inner_.moveTo(x, y); }
    void setFont(std::string_view face, int points, int weight) override;
    void setTextColour(Colour colour) override;
    void drawText(std::string_view text) override;
    Point drawingPosition() override { return inner_.drawingPosition(); }

    void startTimer(int timerNumber, int periodMs) override { inner_.startTimer(timerNumber, periodMs); }
    void stopTimer(int timerNumber) override { inner_.stopTimer(timerNumber); }
    std::vector<WindowEvent> waitEvents() override;

    // Every word is traced as "play" with its path, whichever voice said it.
    SoundResult playSound(std::string_view path) override;
    bool useSystemVoice(SpeechPace pace) override { return inner_.useSystemVoice(pace); }
    // "<ms> say <text>": a text said by the system voice (a channel's name).
    bool sayText(std::string_view text) override;

    bool serialOpen(const std::string& device, int baudRate) override { return inner_.serialOpen(device, baudRate); }
    void serialSetNonBlocking() override { inner_.serialSetNonBlocking(); }
    void serialSetLineFormat(int dataBits, int parity, int stopBits) override {
        inner_.serialSetLineFormat(dataBits, parity, stopBits);
    }
    int serialBytesWaiting() override { return inner_.serialBytesWaiting(); }
    std::string serialRead(int maxBytes) override { return inner_.serialRead(maxBytes); }
    int serialWrite(std::string_view bytes) override { return inner_.serialWrite(bytes); }
    void serialClose() override { inner_.serialClose(); }
    bool serialLost() override { return inner_.serialLost(); }
    bool serialOpenQuietly(const std::string& device, int baudRate) override {
        return inner_.serialOpenQuietly(device, baudRate);
    }

    FileHandle openForReading(const std::string& name) override { return inner_.openForReading(name); }
    FileHandle openForWriting(const std::string& name) override { return inner_.openForWriting(name); }
    FileHandle openForAppending(const std::string& name) override { return inner_.openForAppending(name); }
    bool readLine(FileHandle file, std::string& line) override { return inner_.readLine(file, line); }
    void writeLine(FileHandle file, std::string_view line) override { inner_.writeLine(file, line); }
    void closeFile(FileHandle file) override { inner_.closeFile(file); }
    bool deleteFile(const std::string& name) override { return inner_.deleteFile(name); }
    PathKind pathKind(const std::string& name) override { return inner_.pathKind(name); }
    std::string workingFolder() override { return inner_.workingFolder(); }
    std::string installedWordFolder() override { return inner_.installedWordFolder(); }

    void reportProblem(std::string_view line) override { inner_.reportProblem(line); }
    void setDisplayLostHandler(std::function<void()> handler) override {
        inner_.setDisplayLostHandler(std::move(handler));
    }
    bool replaceTextFile(const std::string& name, const std::vector<std::string>& lines) override {
        return inner_.replaceTextFile(name, lines);
    }

    std::string todayText() override { return inner_.todayText(); }
    std::string timeText() override { return inner_.timeText(); }
    std::string localTimestamp() override { return inner_.localTimestamp(); }
    std::int64_t steadyMilliseconds() override { return inner_.steadyMilliseconds(); }
    // Not traced: a pause is neither seen nor heard.
    void sleepMilliseconds(int ms) override { inner_.sleepMilliseconds(ms); }

private:
    void trace(std::string_view kind, std::string_view fields);

    Platform& inner_;
    std::FILE* file_ = nullptr;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::string face_{kDefaultFace};
    int points_ = kDefaultPoints;
    int weight_ = kDefaultWeight;
    Colour colour_ = kBlack;
};

}  // namespace voxpan
