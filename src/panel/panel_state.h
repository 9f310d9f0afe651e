// The panel's whole state: one set of named variables that lives for the
// whole run and that every operation reads and writes on the one program
// thread. Start values are those of program start; start-up and the
// connection to the receiver set the rest.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "panel/limits.h"
#include "panel/state_names.h"
#include "panel/text_values.h"
#include "platform/platform.h"

namespace voxpan {

using BankTable = std::array<Text, kBankTableSize>;

// A line read from a file fills a whole text.
static_assert(kLongestLineRead >= kTextCapacity);

// A stop of a search or scan on a signal, from the level poll that showed
// it until the scan moves on: what its line in the hit log will say.
struct ScanStop {
    std::int32_t kind = kStopNone;
    Text startTime;             // local time with its UTC offset
    std::int64_t startMs = 0;   // the steady clock at the start
    Text frequency;             // MHz text; empty until it is known
    Text modeText;
    std::int32_t level = 0;     // the strongest level reading during the stop
    // 1 for a stop on a locked-out frequency, passed at once: it leaves no line.
    std::int32_t passed = 0;
};

struct PanelState {
    // Window, keys and the poll cycle.
    std::int32_t running = 0;
    std::array<std::int32_t, kKeyQueueSize> keyQueue{};
    std::int32_t keyCount = 0;
    std::int32_t keyLatch = 0;
    std::int32_t currentKey = 0;
    std::int32_t pollState = 0;
    // 1 once a level poll has gone out and the tick for its reply has
    // passed: only then may a receiver that never answered be given up.
    std::int32_t levelReplyDue = 0;
    // "RX" queries sent for the frequency of the current stop of a search.
    std::int32_t frequencyQueries = 0;

    // Configuration, files and texts fixed at start-up.
    Text portText;
    Text baudText;
    std::int32_t voiceEnabled = 0;
    // 1 when the words are to be said by the system's own voice ("S" in
    // column 7 of line 4), which alone can also say the channels' names.
    std::int32_t systemVoice = 0;
    // The pace written after it: the system voice's rate.
    SpeechPace speechPace = SpeechPace::Normal;
    std::int32_t debugEnabled = 0;
    FileHandle debugFile = 0;
    Text logLine;
    Text lineBuffer;
    Text speechFolder;
    Text effectsFolder;
    Text versionText;
    Text bannerText;

    // Receiver exchange.
    std::int32_t comPort = 0;
    Text commandText;
    Text replyText;
    std::int32_t baudRate = 0;
    std::int32_t dataBits = 0;
    std::int32_t parity = 0;
    std::int32_t stopBits = 0;
    std::int32_t receiverConnected = 0;
    // 1 from the moment the serial port was found gone until it opens again.
    std::int32_t portLost = 0;
    // 1 from the loss until a key's command finds the port still gone: "rnc"
    // is said once more then.
    std::int32_t rncAtNextCommand = 0;
    // When a lost port is tried next, in steady-clock milliseconds.
    std::int64_t portRetryAtMs = 0;
    Text statusText;
    Text barText;
    std::int32_t signalLevel = 0;
    std::int32_t squelchClosed = 0;
    std::int32_t attenuatorOn = 0;
    std::int32_t noiseLimiterOn = 0;

    // Frequency, mode and entry.
    Text frequencyText;
    Text workText;
    std::int64_t frequencyHz = 0;  // up to 3000 MHz: past what 32 bits hold
    Text modeText;
    std::int32_t entryMode = 0;
    Text entryText;
    std::int32_t startNewFrequency = 0;
    std::int32_t startNewLimit = 0;
    // What a refused or cancelled entry puts back: the limit or step as it
    // was before its prompt, the frequency as it was before typing began.
    Text limitBeforeEntry;
    Text workTextBeforeTyping;
    std::int32_t typingStarted = 0;

    // Scanning and search.
    std::int32_t scanVoice = 0;
    std::int32_t memoryScanState = 0;
    std::int32_t bankScanState = 0;
    std::int32_t scanIndex = 0;
    std::int32_t lastIndex = 0;
    std::int32_t searchState = 0;
    std::int32_t searchStopMode = 0;
    std::int32_t searchHoldTicks = 0;
    Text searchLowText;
    Text searchHighText;
    Text searchStepText;
    std::int32_t hitCount = 0;
    // 1 once a write of the search list failed during this search: "inv" has
    // been said and is not said again for the later hits.
    std::int32_t searchListWriteFailed = 0;
    // 1 while the current search stop waits to be shown and said: with
    // frequencies locked out, until its frequency is known to be none of them.
    std::int32_t searchStopUntold = 0;
    // The level reading of the last "LM" reply, 0 to 255.
    std::int32_t levelReading = 0;
    ScanStop currentStop;

    // The hit log, hits.csv, and the locked-out frequencies, lockout.dat.
    std::int32_t hitsEnabled = 1;
    FileHandle hitLogFile = 0;
    // 1 once a hit log that could not be opened was told: it is not tried again.
    std::int32_t hitLogFailed = 0;
    std::vector<Text> lockouts;
    // 1 once a lockout file that could not be read was told.
    std::int32_t lockoutReadFailed = 0;

    // Banks.
    BankTable bankLines{};
    BankTable sourceLines{};
    Text bankFileName;
    FileHandle bankFile = 0;
    std::int32_t bankReadError = 0;
    // 0 when the last bank write replaced its file, 1 when the old file stands.
    std::int32_t bankWriteError = 0;
    // 1 while bankLines holds the bank the operator selected with B and no other load or rewrite came since.
    std::int32_t selectedBankLoaded = 0;
    // The frequency line of the bank channel tuned last: its name is said
    // while the receiver is still on it.
    std::int32_t tunedChannelIndex = 0;

    // Receiver bank check (Z).
    // The receiver bank letter being checked, 'A' to 'J'.
    std::int32_t bankCheckLetter = 0;
    // 1 once the check gave up on a receiver that did not answer in time.
    std::int32_t bankCheckGivenUp = 0;

    // General.
    std::int32_t lastResult = 0;

    // Recordings already reported missing on stderr: once per word, not
    // once per play.
    std::set<std::string> reportedRecordings;
};

// The state together with the platform it talks to the world through. Every
// operation of the panel takes one of these.
struct Panel : PanelState {
    explicit Panel(Platform& platform) : io(platform) {}
    Platform& io;
};

}  // namespace voxpan
