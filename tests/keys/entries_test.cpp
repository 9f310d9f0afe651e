// Prompted entries, typed through the dispatcher against the simulated
// receiver: what is said, what is sent, what is kept.
#include "keys/entries.h"

#include <gtest/gtest.h>

#include "keys/key_names.h"
#include "support/live_panel.h"

namespace voxpan {
namespace {

using Lines = std::vector<std::string>;

int keyFor(char c) { return c == '.' ? kKeyFullStop : key(c); }

class Entries : public testing::LivePanelTest {
protected:
    Entries() {
        tick(3);  // connected
        forget();
    }
    // Types the keys: characters as their keys, '\n' as Enter.
    void type(std::string_view keys) {
        for (char c : keys) {
            press(c == '\n' ? kKeyEnter : keyFor(c));
            settle();
        }
    }
};

TEST_F(Entries, ATypedFrequencyIsSpokenBackAndTunedWithEnter) {
    type("\n145.5\n");
    EXPECT_EQ(words(), (Lines{"ok", "1", "4", "5", "point", "5", "ok"}));
    EXPECT_EQ(commands(), (Lines{"VA0145.00000", "VA0145.50000"})) << "the first Enter tunes what is shown";
    EXPECT_EQ(receiver.vfoAHz(), 145'500'000);
}

TEST_F(Entries, DigitsAfterAStepJoinTheSteppedFrequency) {
    type("145");
    press(kKeyUp);
    type("5\n");
    EXPECT_EQ(commands().back(), "VA0145.00150");
}

TEST_F(Entries, MalformedFrequenciesAreRefusedAndChangeNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"1.2.3", "inv"}, {".", "inv"}, {"12345", "inv"}, {"145.123456", "inv"}, {".5", "ok"}};
    for (const auto& [typed, word] : cases) {
        type("\n");
        forget();
        type(std::string(typed) + "\n");
        EXPECT_EQ(words().back(), word) << typed;
        if (std::string_view(word) == "inv") {
            EXPECT_TRUE(commands().empty()) << typed << " tunes nothing";
            EXPECT_EQ(panel.workText, "145.0") << typed << ": the frequency stays";
        }
    }
    EXPECT_EQ(commands(), Lines{"VA0000.50000"}) << ".5 is half a megahertz";
    EXPECT_EQ(panel.workText, ".5") << "shown as typed";
}

TEST_F(Entries, SearchLimitsAndStep) {
    type("S\n");
    EXPECT_EQ(words(), (Lines{"start", "1", "4", "5"})) << "S, Enter reads the limit back";
    forget();
    type("S14\n");
    EXPECT_EQ(panel.searchLowText, "14");
    EXPECT_EQ(words().back(), "ok");
    EXPECT_EQ(fake.textsDrawn()[4], "14" + std::string(10, ' ')) << "the search line is redrawn";
    forget();
    type("I\n");
    EXPECT_EQ(commands(), Lines{"ST012.50"}) << "I, Enter sends the unchanged step";
    EXPECT_EQ(words(), (Lines{"incr", "1", "2", "point", "5"}));
    const std::pair<const char*, const char*> refused[] = {{"I0\n", "12.5"}, {"I1000\n", "12.5"},
                                                           {"E1.2.\n", "146"}, {"S12345\n", "14"}};
    for (const auto& [keys, kept] : refused) {
        forget();
        type(keys);
        EXPECT_EQ(words().back(), "inv") << keys;
        EXPECT_TRUE(commands().empty()) << keys;
    }
    EXPECT_EQ(panel.searchStepText, "12.5");
    EXPECT_EQ(panel.searchHighText, "146");
    EXPECT_EQ(panel.searchLowText, "14");
    type("E2\n");
    EXPECT_EQ(panel.searchHighText, "2") << "a lower limit above the upper one is allowed";
}

TEST_F(Entries, ACancelledLimitEntryPutsTheLimitBack) {
    type("S13");
    press(key('H'));
    settle();
    EXPECT_EQ(panel.searchLowText, "145") << "no half-typed limit is kept unannounced";
    EXPECT_EQ(panel.entryMode, kEntryNone);
}

TEST_F(Entries, ARedrawBetweenTwoDigitsDoesNotRestartTheLimit) {
    type("S1");
    panel.workText = "433.075";
    panel.frequencyText = "433.075";
    tuneTypedFrequency(panel);  // what a bank scan does between two polls
    type("4\n");
    EXPECT_EQ(panel.searchLowText, "14");
}

TEST_F(Entries, MemoryScanOfAReceiverBank) {
    const std::tuple<const char*, Lines, std::int32_t> cases[] = {
        {"GE\n", {"LC1", "MSE"}, kEntryNone},
        {"GEF\n", {"LC1", "MSF"}, kEntryNone},
        {"G\n", {"LC1", "MS"}, kEntryNone},
    };
    for (const auto& [keys, sent, after] : cases) {
        panel.entryText = "";
        forget();
        type(keys);
        EXPECT_EQ(commands(), sent) << keys;
        EXPECT_EQ(panel.entryMode, after) << keys;
        EXPECT_EQ(panel.memoryScanState, kMemoryScanStarted) << keys;
        panel.memoryScanState = kMemoryScanOff;
    }
    panel.entryText = "12";  // left by a bank entry
    forget();
    type("G\n");
    EXPECT_EQ(words(), (Lines{"radbank", "inv"}));
    EXPECT_EQ(panel.entryMode, kEntryMemoryScanBank) << "the entry stays open for a letter";
    EXPECT_TRUE(commands().empty());
}

TEST_F(Entries, ABankLetterForATransfer) {
    type("W03B");
    EXPECT_EQ(words(), (Lines{"write", "fromb", "0", "3", "torb", "B"}));
    EXPECT_EQ(commands(), Lines{"MQB%%"});
    const std::pair<std::vector<int>, Lines> cases[] = {
        {{key('W'), key('0'), key('3'), kKeySpace}, {"\x1e", "MQ %%"}},
        {{key('W'), key('0'), key('3'), kKeyF1}, {}},
        {{key('W'), key('0'), key('3'), 189}, {}},  // the minus key: no character of its own
        {{key('W'), key('0'), key('3'), key('4')}, {}},
        {{key('W'), key('0'), key('A')}, {}},
    };
    for (const auto& [keys, sent] : cases) {
        panel.entryMode = kEntryNone;
        forget();
        for (int code : keys) press(code);
        settle();
        EXPECT_EQ(commands(), sent) << keys.back();
        if (sent.empty()) {
            EXPECT_EQ(words().back(), "inv") << keys.back();
        }
    }
}

TEST_F(Entries, BankNumbersOfTwoOrFourDigits) {
    type("B1\n");
    EXPECT_EQ(words(), (Lines{"bank", "1", "inv"}));
    forget();
    panel.entryMode = kEntrySelectBank;
    type("D");
    EXPECT_TRUE(words().empty()) << "D does nothing in an open bank entry";
    type("\n");
    EXPECT_EQ(panel.entryMode, kEntryNone);
}

TEST_F(Entries, EnterEndsABankScanButLeavesASelectedBank) {
    panel.bankScanState = kBankScanRunning;
    type("\n");
    EXPECT_EQ(words().front(), "exitscan");
    EXPECT_EQ(panel.bankScanState, kBankScanOff);
    panel.bankScanState = kBankSelected;
    forget();
    type("\n");
    EXPECT_EQ(words(), Lines{"ok"});
    EXPECT_EQ(panel.bankScanState, kBankSelected);
    panel.bankScanState = kBankScanRunning;
    type("GA\n");
    EXPECT_EQ(panel.bankScanState, kBankScanOff) << "the receiver's memory scan takes over";
}

}  // namespace
}  // namespace voxpan
