// A recording fake of the platform: remembers everything the panel drew,
// played, sent and wrote, in order, and plays back scripted events, serial
// input and files.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace voxpan::testing {

struct DrawnText {
    int x = 0;
    int y = 0;
    std::string face;
    int points = 0;
    int weight = 0;
    Colour colour;
    std::string text;
};

class RecordingPlatform : public Platform {
public:
    // Every call in order, one short line each ("move 300 150", "font Ariel
    // 50 700", "colour 0,0,255", "text 145.0", "play wave/FM", "serial-write
    // MD1\r", ...): for tests of the order of things.
    std::vector<std::string> journal;
    std::vector<DrawnText> texts;
    std::vector<std::string> plays;
    std::string serialWritten;  // every byte written to the port, in order
    std::vector<std::string> serialWrites;  // one entry per write call

    // Scripted world.
    bool windowOpens = true;
    bool serialOpens = true;
    std::string serialInput;  // bytes that have arrived and not been read
    std::function<void(std::string_view)> onSerialWrite;  // e.g. a simulated receiver
    std::deque<std::vector<WindowEvent>> eventBatches;  // when empty: a close request
    std::map<std::string, std::string> files;  // name -> bytes
    std::set<std::string> unreadable;           // files that exist but do not open
    std::set<std::string> unwritable;           // names that cannot be created
    std::map<std::string, SoundResult> soundResults;  // path -> result; Played when absent
    // Whether the system's speech service can be had, and the pace it was
    // asked for once it is in use.
    bool systemVoiceThere = false;
    std::optional<SpeechPace> systemVoicePace;
    std::vector<std::string> said;  // texts said with the system voice
    std::string workingFolderPath = "/home/operator/voxpan";
    std::string installedWords;                 // "" : no installed words
    std::vector<std::string> problems;          // every line reported for stderr
    std::function<void()> displayLostHandler;
    // Names that stand for folders: they neither open (for reading or
    // writing), nor get replaced, nor deleted. The word folder is there unless a test takes it away.
    std::set<std::string> folders{"wave"};
    // A full or read-only disk: every replaceTextFile fails and leaves the
    // files as they were.
    bool replacementsFail = false;
    // Files that exist and cannot be removed.
    std::set<std::string> undeletable;
    std::string today = "06-12-2026";
    std::string now = "04:30:21";
    std::string timestamp = "2026-12-06T04:30:21+01:00";

    // The steady clock: it moves only when a test advances it, by msPerPlay
    // with every sound played, and by every sleep.
    std::int64_t clockMs = 0;
    std::int64_t msPerPlay = 0;
    // Told of every move of the clock, with the milliseconds that passed:
    // e.g. a simulated receiver that answers as time goes by.
    std::function<void(std::int64_t)> onTimePassed;
    void advanceClock(std::int64_t ms);

    // Convenience views.
    std::vector<std::string> journalOf(std::string_view prefix) const;
    std::vector<std::string> textsDrawn() const;
    bool portOpen() const { return portOpen_; }
    // The device vanishes with what it had received: the port is found gone,
    // and opens again only once serialOpens is set.
    void pullSerialDevice() { serialInput.clear(), portOpen_ = serialOpens = false, portLost_ = true; }
    int openFileCount() const { return static_cast<int>(openFiles_.size()); }

    bool createWindow(int x, int y, int width, int height, std::string_view title) override;
    void closeWindow() override;
    void moveTo(int x, int y) override;
    void setFont(std::string_view face, int points, int weight) override;
    void setTextColour(Colour colour) override;
    void drawText(std::string_view text) override;
    Point drawingPosition() override { return position_; }

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
    bool serialLost() override { return portLost_; }
    bool serialOpenQuietly(const std::string& device, int baudRate) override;

    FileHandle openForReading(const std::string& name) override;
    FileHandle openForWriting(const std::string& name) override;
    FileHandle openForAppending(const std::string& name) override;
    bool readLine(FileHandle file, std::string& line) override;
    void writeLine(FileHandle file, std::string_view line) override;
    void closeFile(FileHandle file) override;
    bool deleteFile(const std::string& name) override;
    PathKind pathKind(const std::string& name) override;
    std::string workingFolder() override { return workingFolderPath; }
    std::string installedWordFolder() override { return installedWords; }

    void reportProblem(std::string_view line) override;
    void setDisplayLostHandler(std::function<void()> handler) override { displayLostHandler = std::move(handler); }
    bool replaceTextFile(const std::string& name, const std::vector<std::string>& lines) override;

    std::string todayText() override { return today; }
    std::string timeText() override { return now; }
    std::string localTimestamp() override { return timestamp; }
    std::int64_t steadyMilliseconds() override { return clockMs; }
    void sleepMilliseconds(int ms) override { advanceClock(ms); }

private:
    struct OpenFile {
        std::string name;
        bool writing = false;
        std::size_t readPosition = 0;
    };
    void record(std::string line) { journal.push_back(std::move(line)); }

    Point position_;
    std::string face_{kDefaultFace};
    int points_ = kDefaultPoints;
    int weight_ = kDefaultWeight;
    Colour colour_ = kBlack;
    bool portOpen_ = false;
    bool portLost_ = false;
    std::map<FileHandle, OpenFile> openFiles_;
    FileHandle nextFile_ = 1;
};

// The journal's rendering of a written byte string: printable as is, others
// as \r, \n or \xNN.
std::string visibleBytes(std::string_view bytes);

}  // namespace voxpan::testing
