// The one seam between the panel's logic and the outside world: window,
// drawing, events, sound, serial line, files and clock. The real program uses
// SdlPlatform; the tests use a recording fake. Nothing above this header may
// include SDL or POSIX headers.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace voxpan {

struct Colour {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kRed{255, 0, 0};
inline constexpr Colour kGreen{0, 255, 0};
inline constexpr Colour kBlue{0, 0, 255};

// The window's font before the panel first chooses one (the banner and the
// missing-configuration messages are drawn in it), and its text colour.
inline constexpr std::string_view kDefaultFace = "System";
inline constexpr int kDefaultPoints = 12;
inline constexpr int kDefaultWeight = 700;

// Event kinds the panel's handler understands. The key codes are Windows
// virtual-key codes as a US keyboard delivers them (A = 65, F1 = 112, ...),
// because the key table of the panel is written in them.
enum class EventKind { Close, KeyDown, KeyUp, Timer };

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct WindowEvent {
    EventKind kind = EventKind::Timer;
    int param = 0;  // key code for key events, timer number for ticks
    friend bool operator==(const WindowEvent&, const WindowEvent&) = default;
};

// An opaque handle for a text file opened through the platform; 0 is "none".
using FileHandle = int;

// readLine keeps at most this many characters of a line: as many as a text
// of the panel holds.
inline constexpr std::size_t kLongestLineRead = 254;

// What became of a word the panel asked to hear.
enum class SoundResult {
    Played,
    NoRecording,  // no such file (or an empty path)
    Unplayable,   // a file that is no WAV the sound layer can read
    NoDevice,     // no sound device: nothing can be heard at all
};

// How fast the system's own voice speaks: Normal leaves the rate the
// listener set for every program; Fast and Fastest are the paces of the
// faster recorded words.
enum class SpeechPace { Normal, Fast, Fastest };

// What a name in the working folder stands for.
enum class PathKind { Missing, File, Folder, Other };

// The receiver's serial line may also be reached over the network, through
// a serial-to-network server such as ser2net: serialOpen's device text is
// then "tcp:HOST:PORT" (the bytes pass as they are; the server sets the
// speed and framing) or "rfc2217:HOST:PORT" (telnet with the COM-PORT
// option: the panel asks the server for the speed and framing). HOST is a
// name, an IPv4 address, or an IPv6 address in brackets. The prefix is
// matched without regard to case.
inline constexpr std::string_view kNetworkPortPrefixes[] = {"tcp:", "rfc2217:"};
inline bool namesNetworkPort(std::string_view device) {
    const auto sameLetter = [](char prefix, char given) {
        return prefix == (given >= 'A' && given <= 'Z' ? static_cast<char>(given - 'A' + 'a') : given);
    };
    for (const std::string_view prefix : kNetworkPortPrefixes) {
        if (device.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), device.begin(), sameLetter))
            return true;
    }
    return false;
}

class Platform {
public:
    virtual ~Platform() = default;

    // --- window and drawing -------------------------------------------------
    // Creates the one panel window; false when no window can be opened at all.
    virtual bool createWindow(int x, int y, int width, int height, std::string_view title) = 0;
    virtual void closeWindow() = 0;
    virtual void moveTo(int x, int y) = 0;
    // A face the system lacks is replaced by its default face; weight 700 is bold.
    virtual void setFont(std::string_view face, int points, int weight) = 0;
    virtual void setTextColour(Colour colour) = 0;
    // Draws at the drawing position with opaque white cells and leaves the
    // position at the right end of the drawn text.
    virtual void drawText(std::string_view text) = 0;
    // Where the next text would be drawn (the trace reports it).
    virtual Point drawingPosition() = 0;

    // --- events and timer ---------------------------------------------------
    // Periodic timer; ticks are not accumulated: at most one waits at a time.
    virtual void startTimer(int timerNumber, int periodMs) = 0;
    virtual void stopTimer(int timerNumber) = 0;
    // Sleeps until at least one event is pending, then returns all pending ones.
    virtual std::vector<WindowEvent> waitEvents() = 0;

    // --- sound --------------------------------------------------------------
    // Plays the recording at the path and returns when it has finished.
    // ".wav" is added when the name has no extension; names are matched without
    // regard to case. A missing file, an empty path or no sound device plays
    // nothing and returns at once, and says which it was.
    virtual SoundResult playSound(std::string_view path) = 0;

    // From now on the words are spoken by the system's own speech service
    // (speech-dispatcher, SAPI) at the pace, each the phrase of its word, and
    // still one at a time to its end: playSound says the word instead of
    // playing its recording. Sounds that are no words (the tone, the pause)
    // and words of muted speech stay recordings. False, with one line on
    // stderr, when there is no such service: the recordings go on. A service
    // that goes away later is told once, and the recordings take over from
    // the word it failed on.
    virtual bool useSystemVoice(SpeechPace pace) = 0;
    // Says a text that has no recording (a channel's name) with the system
    // voice and returns when it has been said. False, and nothing heard,
    // while the words are recordings.
    virtual bool sayText(std::string_view text) = 0;

    // --- serial line to the receiver -----------------------------------------
    // Opens the device exclusively for raw byte transport at the speed with
    // 8 data bits, no parity, 1 stop bit. Closes any port opened before. False
    // (and a line on stderr) when it cannot be opened. A network port
    // (kNetworkPortPrefixes) is connected to within a few seconds at most;
    // a name that does not resolve or a server that refuses is a port that
    // does not open, told on stderr naming the address and the reason.
    virtual bool serialOpen(const std::string& device, int baudRate) = 0;
    // Makes reads return at once with what has arrived, possibly nothing.
    virtual void serialSetNonBlocking() = 0;
    // parity 0 = none; stopBits 1 gives one stop bit, anything else two.
    virtual void serialSetLineFormat(int dataBits, int parity, int stopBits) = 0;
    // Bytes received and not yet read; 0 when no port is open.
    virtual int serialBytesWaiting() = 0;
    // At most maxBytes of what has already arrived; never waits.
    virtual std::string serialRead(int maxBytes) = 0;
    // Writes the bytes whole or not at all: returns their count, or 0. Bytes
    // the line does not take within a short wait (100 ms: the receiver
    // holding XOFF, or the driver's queue full) are discarded, together with
    // whatever of earlier writes still waits unsent in the driver, so that no
    // command stays half queued to run into the next one. The first discard
    // of a stall is told on stderr, not every one. 0 when no port is open.
    virtual int serialWrite(std::string_view bytes) = 0;
    virtual void serialClose() = 0;
    // True from the moment the open port was found gone (a USB adapter
    // pulled, the far end of a pseudo-terminal closed) until the next
    // serialOpen, serialOpenQuietly or serialClose. serialBytesWaiting,
    // serialRead and serialWrite find the loss, tell it on stderr once and
    // close the port; this call only reports it and never touches the line.
    virtual bool serialLost() = 0;
    // serialOpen with no line on stderr when the device does not open: for
    // trying a lost device again until it is back. Never waits: a network
    // port's connection goes on between calls, and a later call opens it
    // once it is made.
    virtual bool serialOpenQuietly(const std::string& device, int baudRate) = 0;

    // --- text files in the working folder -----------------------------------
    // Opens an existing regular file; a folder, a device or a pipe of that
    // name does not open.
    virtual FileHandle openForReading(const std::string& name) = 0;
    // Creates the file, emptying an existing one. A folder, a pipe or a
    // device of that name does not open and is left as it is; opening never
    // waits.
    virtual FileHandle openForWriting(const std::string& name) = 0;
    // Opens the file for adding lines at its end: creates it (empty) when
    // there is none, never empties it. A folder, a pipe or a device of that
    // name does not open and is left as it is; opening never waits. When the
    // file does not end with a line end (its last line was cut short, e.g.
    // by a crash), CR LF is written first, so that the next line starts a
    // line of its own. Each writeLine goes to the end of the file as it is
    // then, also when another program added to it meanwhile.
    virtual FileHandle openForAppending(const std::string& name) = 0;
    // Reads one line (ended by CR, LF or CR LF) without its ending; false at
    // the end of the file. Of a longer line only the first kLongestLineRead
    // characters are kept, the rest is passed over; the next call reads the
    // next line.
    virtual bool readLine(FileHandle file, std::string& line) = 0;
    // Writes the line followed by CR LF, at once.
    virtual void writeLine(FileHandle file, std::string_view line) = 0;
    virtual void closeFile(FileHandle file) = 0;
    // Removes the named file. True when nothing of that name is left: it was
    // removed, or there was none. False when a file (or a folder) of that
    // name is still there.
    virtual bool deleteFile(const std::string& name) = 0;
    // Replaces the file as a whole: the lines, each followed by CR LF, go to
    // a new file beside it, which is flushed to the disk and then renamed
    // over the old one. A reader, a crash or a full disk finds the
    // old file or the new one, never a mix. A symbolic link is followed and
    // the file it leads to is replaced; the link stays. The file keeps its
    // permissions (and owner and group where the program may set them).
    // False, with the old file (or link) as it was and one line on stderr
    // saying why, when any step fails, and without trying when the name is
    // a link that leads nowhere, a folder, a pipe or a device, or a file
    // the user may not write or that nobody may write.
    virtual bool replaceTextFile(const std::string& name, const std::vector<std::string>& lines) = 0;
    virtual PathKind pathKind(const std::string& name) = 0;
    // The folder the panel runs in, as an absolute path, for messages.
    virtual std::string workingFolder() = 0;
    // The recorded words installed with the program (ending in "/"), or ""
    // when there are none.
    virtual std::string installedWordFolder() = 0;

    // --- the person setting the panel up ------------------------------------
    // One line on stderr, "voxpan: " + line: for mistakes that would
    // otherwise leave a silent panel and nothing printed anywhere.
    virtual void reportProblem(std::string_view line) = 0;
    // Called instead of returning when the display goes away (the X server
    // ended): the handler must say goodbye to the receiver without the
    // window; the program then ends with status 1.
    virtual void setDisplayLostHandler(std::function<void()> handler) = 0;

    // --- clock --------------------------------------------------------------
    // Milliseconds from a fixed moment; never goes back, whatever the wall
    // clock does.
    virtual std::int64_t steadyMilliseconds() = 0;
    // Returns after at least ms milliseconds of the steady clock above; at
    // once for 0 or less. Events are not looked at meanwhile: the window is
    // not redrawn, and keys and ticks wait for the next waitEvents.
    virtual void sleepMilliseconds(int ms) = 0;
    virtual std::string todayText() = 0;  // "dd-MM-yyyy"
    virtual std::string timeText() = 0;   // "HH:MM:SS", 24-hour clock
    // The local date and time now, to the second, with the offset from UTC
    // in force at that moment (summer time included), as ISO 8601:
    // "2026-12-07T21:04:05+01:00", "2026-07-01T08:00:00-04:30"; UTC is
    // "+00:00", never "Z". Always 25 characters.
    virtual std::string localTimestamp() = 0;
};

}  // namespace voxpan
