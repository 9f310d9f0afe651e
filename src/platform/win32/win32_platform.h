// The real platform on Windows: a plain Win32 window with a GDI image of its
// client area, a window timer, one waveOut stream for the words, the COM port through the Win32
// communications calls (or a network port through Winsock), and Win32 files and clock. Needs
// nothing beyond the libraries every Windows has.
#pragma once

#include "platform/core/receiver_port.h"
#include "platform/core/word_speaker.h"
#include "platform/platform.h"
#include "platform/win32/error_output.h"
#include "platform/win32/panel_window.h"
#include "platform/win32/win32_serial_port.h"
#include "platform/win32/win32_sound.h"
#include "platform/win32/win32_text_files.h"

namespace voxpan {

class Win32Platform final : public Platform {
public:
    explicit Win32Platform(ErrorOutput& errors = ErrorOutput::process());

    bool createWindow(int x, int y, int width, int height, std::string_view title) override;
    void closeWindow() override;
    void moveTo(int x, int y) override;
    void setFont(std::string_view face, int points, int weight) override;
    void setTextColour(Colour colour) override;
    void drawText(std::string_view text) override;
    Point drawingPosition() override;

    void startTimer(int timerNumber, int periodMs) override;
    void stopTimer(int timerNumber) override;
    std::vector<WindowEvent> waitEvents() override;

    SoundResult playSound(std::string_view path) override;
    bool useSystemVoice(SpeechPace pace) override;
    bool sayText(std::string_view text) override;

    bool serialOpen(const std::string& device, int baudRate) override;
    void serialSetNonBlocking() override;
    void serialSetLineFormat(int dataBits, int parity, int stopBits) override;
    int serialBytesWaiting() override;
    std::string serialRead(int maxBytes) override;
    int serialWrite(std::string_view bytes) override;
    void serialClose() override;
    bool serialLost() override;
    bool serialOpenQuietly(const std::string& device, int baudRate) override;

    FileHandle openForReading(const std::string& name) override;
    FileHandle openForWriting(const std::string& name) override;
    FileHandle openForAppending(const std::string& name) override;
    bool readLine(FileHandle file, std::string& line) override;
    void writeLine(FileHandle file, std::string_view line) override;
    void closeFile(FileHandle file) override;
    bool deleteFile(const std::string& name) override;
    bool replaceTextFile(const std::string& name, const std::vector<std::string>& lines) override;
    PathKind pathKind(const std::string& name) override;
    std::string workingFolder() override;
    // "wave" beside voxpan.exe, ending in a backslash.
    std::string installedWordFolder() override;

    void reportProblem(std::string_view line) override;
    // Windows has no display that goes away under a running program; the
    // handler says goodbye when the session ends (log-off, restart,
    // shut-down), before the program is ended with status 0.
    void setDisplayLostHandler(std::function<void()> handler) override;

    std::int64_t steadyMilliseconds() override;
    void sleepMilliseconds(int ms) override;
    std::string todayText() override;
    std::string timeText() override;
    std::string localTimestamp() override;

private:
    void sayGoodbyeAtSessionEnd();

    ErrorOutput& errors_;
    PanelWindow window_;
    Win32Sound sound_;
    WordSpeaker speaker_;
    ReceiverPort<Win32SerialPort> serial_;
    Win32TextFiles files_;
    std::function<void()> displayLost_;

    // Drawing state; before the first change the window draws in its
    // default face, in black.
    Point position_;
    TextStyle style_{std::string(kDefaultFace), kDefaultPoints, kDefaultWeight, kBlack};
};

}  // namespace voxpan
