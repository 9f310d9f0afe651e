// The key dispatcher against the simulated receiver: the order of its
// tests, the immediate commands, the read-outs and the frequency steps.
#include "keys/dispatcher.h"

#include <gtest/gtest.h>

#include "keys/key_names.h"
#include "support/live_panel.h"

namespace voxpan {
namespace {

using Lines = std::vector<std::string>;

class Dispatcher : public testing::LivePanelTest {
protected:
    Dispatcher() {
        panel.debugEnabled = 1;
        panel.debugFile = fake.openForWriting("debug1.dat");
        tick(3);  // connected
        forget();
    }
    // The keys pressed and handled, then what was said and sent.
    void keys(std::initializer_list<int> codes) {
        press(codes);
        settle();
    }
};

TEST_F(Dispatcher, AZeroEntryOnlyReadsTheReply) {
    panel.keyQueue[0] = 0;
    panel.keyCount = 1;
    fake.serialInput = "LM 120\r\n";
    dispatchKey(panel);
    EXPECT_TRUE(fake.texts.empty());
    EXPECT_TRUE(fake.plays.empty());
    EXPECT_EQ(logLines().back(), "RX= LM 12") << "no key line, only the reply";
}

TEST_F(Dispatcher, KeysAreLoggedAndTheFullStopIsTheDecimalPoint) {
    keys({kKeyFullStop, kKeySpace, kKeyEnter, key('H')});
    const Lines log = logLines();
    for (const char* line : {"**.", "**SPC", "**C/R", "**H"})
        EXPECT_NE(std::find(log.begin(), log.end(), line), log.end()) << line;
    EXPECT_EQ(words().front(), "point");
    EXPECT_NE(fake.serialWritten.find('\x1e'), std::string::npos) << "Space sends the byte that lets a search go on";
}

TEST_F(Dispatcher, QuitEvenInAnEntryAndTheOrderOfTheEntryTests) {
    struct Case {
        const char* what;
        std::int32_t entryMode;
        int key;
        Lines words;
        std::int32_t entryModeAfter;
    };
    const Case cases[] = {
        {"Q in an entry quits", kEntryCopyBank, key('Q'), {"quit"}, kEntryCopyBank},
        {"R after two digits of a transfer is its letter", kEntryTransfer, key('R'), {"R"}, kEntryTransfer},
        {"E in a memory scan entry is its letter", kEntryMemoryScanBank, key('E'), {"E"}, kEntryMemoryScanBank},
        {"K in a memory scan entry is no bank", kEntryMemoryScanBank, key('K'), {"inv"}, kEntryNone},
        {"W in a memory scan entry opens a transfer", kEntryMemoryScanBank, key('W'), {"write", "fromb"}, kEntryTransfer},
        {"D in an open bank entry does nothing", kEntrySelectBank, key('D'), {}, kEntrySelectBank},
        {"K without a selected bank does nothing", kEntryNone, key('K'), {}, kEntryNone},
        {"a key cancels a limit entry and is handled", kEntrySearchLow, key('N'), {"svoice", "off"}, kEntryNone},
    };
    for (const Case& c : cases) {
        panel.entryMode = c.entryMode;
        panel.entryText = c.entryMode == kEntryTransfer ? "03" : "";
        panel.running = 1;
        panel.scanVoice = 1;
        forget();
        keys({c.key});
        EXPECT_EQ(words(), c.words) << c.what;
        EXPECT_EQ(panel.entryMode, c.entryModeAfter) << c.what;
    }
}

TEST_F(Dispatcher, TheFirstKeyAfterASilentStartSaysRncNotQuit) {
    panel.receiverConnected = kReceiverConnecting;
    keys({key('Q')});
    EXPECT_EQ(words(), Lines{"rnc"});
    EXPECT_EQ(panel.running, 0);
}

TEST_F(Dispatcher, AStartingMemoryScanIsEndedByKeysWithoutARowButNotBySpace) {
    const std::pair<int, Lines> cases[] = {
        {key('H'), {"exitscan"}}, {key('C'), {"exitscan", "stmode"}}, {key('M'), {"s", "5"}}, {kKeySpace, {}}};
    for (const auto& [code, expected] : cases) {
        panel.memoryScanState = kMemoryScanStarted;
        panel.searchStopMode = 0;
        panel.signalLevel = 5;
        forget();
        keys({code});
        EXPECT_EQ(words(), expected) << "key " << code;
        EXPECT_TRUE(commands().empty() || commands() == Lines{"\x1e"}) << "the receiver is told nothing";
    }
}

TEST_F(Dispatcher, ReadOuts) {
    panel.signalLevel = 12;
    keys({key('M')});
    EXPECT_EQ(words(), (Lines{"s", "9", "plus"}));
    forget();
    panel.signalLevel = -3;
    keys({key('M')});
    EXPECT_EQ(words(), (Lines{"s", "0"})) << "no word for a level below 0";
    forget();
    keys({key('F')});
    EXPECT_EQ(words(), (Lines{"1", "4", "5", "point", "0", "fm.wav"}));
    forget();
    panel.memoryScanState = kMemoryScanRunning;
    keys({key('F')});
    EXPECT_EQ(words(), Lines{"scan"});
}

TEST_F(Dispatcher, FSaysScanOnlyWhileAScanRuns) {
    const Lines frequency{"1", "4", "5", "point", "0", "fm.wav"};
    const std::tuple<std::int32_t, std::int32_t, Lines> cases[] = {  // bank scan, squelch closed, words
        {kBankSelected, 1, frequency}, {kBankScanStarted, 1, {"scan"}}, {kBankScanStopped, 0, frequency}};
    for (const auto& [bankScan, squelchClosed, said] : cases) {
        panel.bankScanState = bankScan;
        panel.squelchClosed = squelchClosed;
        forget();
        keys({key('F')});
        EXPECT_EQ(words(), said) << "bank scan state " << bankScan;
    }
}

TEST_F(Dispatcher, FrequencyStepsKeepTheirSizesWithinTheReceiversRange) {
    struct Case {
        const char* start;
        const char* step;
        int key;
        const char* tuned;  // "" : nothing tuned
    };
    const Case cases[] = {
        {"145.5", "12.5", kKeyPageUp, "VA0145.51250"},   {"145.5", "6.25", kKeyPageUp, "VA0145.50620"},
        {"145.0", "12.5", kKeyUp, "VA0145.00100"},       {"145.001", "12.5", kKeyDown, "VA0145.00000"},
        {"145.0", "12.5", kKeyRight, "VA0145.00010"},    {"2999.9995", "12.5", kKeyUp, ""},
        {"2500", "12.5", kKeyUp, "VA2500.00100"},        {".0005", "12.5", kKeyDown, ""},
        {"3000", "12.5", kKeyLeft, "VA2999.99990"},      {"1.0", "12.5", kKeyDown, "VA0000.99900"},
    };
    for (const Case& c : cases) {
        panel.workText = c.start;
        panel.searchStepText = c.step;
        forget();
        keys({c.key});
        const Lines sent = commands();
        EXPECT_EQ(sent.empty() ? "" : sent.front(), std::string(c.tuned)) << c.start << " key " << c.key;
    }
}

TEST_F(Dispatcher, BrowsingASelectedBankWrapsBothWays) {
    panel.bankLines = {};
    for (auto [line, text] : std::initializer_list<std::pair<int, const char*>>{
             {1, "FM"}, {4, "144.0"}, {6, "145.5"}, {8, "146.0"}, {10, "9999"}})
        panel.bankLines[static_cast<std::size_t>(line)] = text;
    panel.bankScanState = kBankSelected;
    panel.scanIndex = 8;
    keys({kKeyUp, kKeyDown, kKeyDown});
    EXPECT_EQ(commands(), (Lines{"VA0144.00000", "VA0146.00000", "VA0145.50000"}));
    EXPECT_EQ(words(), Lines{"beep"}) << "the first channel, reached by Up";
    panel.bankLines[4] = "9999";
    forget();
    keys({kKeyUp});
    EXPECT_TRUE(commands().empty()) << "a bank without channels tunes nothing";
}

}  // namespace
}  // namespace voxpan
