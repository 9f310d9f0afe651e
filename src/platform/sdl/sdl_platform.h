// The real platform: an SDL2 window with a persistent white image of its
// client area, SDL_ttf fonts found through fontconfig, timers kept by the
// event loop, SDL audio, the termios serial port (or a network port) and
// standard-library files and clock.
#pragma once

#include <memory>

#include "platform/core/receiver_port.h"
#include "platform/core/serial_port.h"
#include "platform/core/text_files.h"
#include "platform/core/word_speaker.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_sound.h"

struct SDL_Surface;
struct SDL_Window;

namespace voxpan {

class SdlPlatform final : public Platform {
public:
    // Blocks SIGTERM, SIGINT and SIGHUP before any thread starts; they come
    // back to the panel as close requests.
    SdlPlatform();
    ~SdlPlatform() override;

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
    PathKind pathKind(const std::string& name) override;
    std::string workingFolder() override;
    std::string installedWordFolder() override;

    void reportProblem(std::string_view line) override;
    void setDisplayLostHandler(std::function<void()> handler) override;
    bool replaceTextFile(const std::string& name, const std::vector<std::string>& lines) override;

    std::string todayText() override;
    std::string timeText() override;
    std::string localTimestamp() override;
    std::int64_t steadyMilliseconds() override;
    void sleepMilliseconds(int ms) override;

    // For the tests: the image of the client area and the window, both null
    // while no window is open.
    const SDL_Surface* imageForTesting() const;
    SDL_Window* windowForTesting() const;

private:
    struct Window;  // SDL window, image, fonts, timer, signal thread
    std::unique_ptr<Window> window_;
    SdlSound sound_;
    WordSpeaker speaker_;
    ReceiverPort<SerialPort> serial_;
    TextFiles files_;
};

}  // namespace voxpan
