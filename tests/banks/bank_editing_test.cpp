#include "banks/bank_editing.h"

#include <gtest/gtest.h>

#include "banks/bank_file.h"
#include "banks/bank_test_support.h"
#include "scan/bank_scan.h"

namespace voxpan {
namespace {

using testing::bankLinesOf;
using testing::crlf;
using testing::Lines;
using testing::manyChannels;

class BankEditing : public testing::BankTest {
protected:
    void select(const std::string& number) {
        panel.entryText = number;
        panel.entryMode = kEntrySelectBank;
        selectBank(panel);
    }
    void sort(const std::string& number) {
        panel.entryText = number;
        sortBank(panel);
    }
    // Selects bank 05 holding these channels and stands on channel `place`
    // (0 for the first), as browsing would leave it.
    void selectAndStandOn(const Lines& channels, int place) {
        putFile("bank05.dat", bankLinesOf("bank05", "FM", "12.5", channels));
        select("05");
        panel.scanIndex = 4 + 2 * place;
        fake.journal.clear();
        fake.plays.clear();
        fake.serialWrites.clear();
    }
};

TEST_F(BankEditing, SelectingABankSetsModeFirstChannelAndStepWithAPauseBeforeEach) {
    putFile("bank05.dat", bankLinesOf("bank05", "FM", "12.5", {"145.5", "433.075"}));
    panel.searchStepText = "5";
    select("05");
    EXPECT_EQ(events(), (Lines{"play wave/shdel", "serial-write MQA%%\\r", "play wave/shdel", "play wave/FM",
                               "serial-write MD1\\r", "play wave/shdel", "serial-write VA0145.50000\\r",
                               "play wave/shdel", "serial-write ST012.50\\r", "play wave/sel"}));
    EXPECT_EQ(panel.bankScanState, kBankSelected);
    EXPECT_EQ(panel.scanIndex, 4);
    EXPECT_EQ(panel.lastIndex, 6);
    EXPECT_EQ(panel.entryMode, kEntryNone);
    EXPECT_EQ(panel.modeText, "FM");
    EXPECT_EQ(panel.workText, "145.5");
    EXPECT_EQ(panel.searchStepText, "12.5");
    EXPECT_EQ(panel.selectedBankLoaded, 1);
}

TEST_F(BankEditing, SelectingAMissingBankSaysBnfAfterMqAndEndsTheSelection) {
    for (const char* number : {"07", "0512"}) {
        panel.bankScanState = kBankScanRunning;
        fake.journal.clear();
        select(number);
        EXPECT_EQ(events(), (Lines{"play wave/shdel", "serial-write MQA%%\\r", "play wave/bnf"})) << number;
        EXPECT_EQ(fake.journalOf("file-read"), (Lines{std::string("file-read bank") + number + ".dat"}));
        EXPECT_EQ(panel.bankScanState, kBankScanOff) << number;
        EXPECT_EQ(panel.selectedBankLoaded, 0) << number;
    }
}

TEST_F(BankEditing, SelectingAnEmptyBankTunesNothing) {
    putFile("bank05.dat", bankLinesOf("bank05", "AM", "5", {}));
    panel.workText = "145.0";
    select("05");
    EXPECT_EQ(events(), (Lines{"play wave/shdel", "serial-write MQA%%\\r", "play wave/shdel", "play wave/AM",
                               "serial-write MD2\\r", "play wave/shdel", "serial-write ST005000\\r", "play wave/sel"}));
    EXPECT_EQ(panel.workText, "145.0") << "the marker is not a frequency";
    EXPECT_EQ(panel.bankScanState, kBankSelected);
}

TEST_F(BankEditing, SelectingABankMadeInCwSetsCw) {
    putFile("bank05.dat", bankLinesOf("bank05", "CW ", "12.5", {"7.05"}));
    select("05");
    EXPECT_EQ(panel.modeText, "CW ");
    EXPECT_EQ(commands()[1], "MD5\r");
}

TEST_F(BankEditing, SelectingNeverWritesAFileWhateverTheFileHolds) {
    const std::string damaged[] = {
        crlf({"bank05", "FM", "12.5"}),
        std::string("bank05\r\n\0\xff\r\n", 12),
        crlf({"bank05", "FM", "12.5", " ", "145.5", " "}),
        "",
    };
    for (const std::string& bytes : damaged) {
        fake.files["bank05.dat"] = bytes;
        select("05");
        EXPECT_EQ(fake.files["bank05.dat"], bytes);
        EXPECT_EQ(replacements(), 0);
        EXPECT_EQ(fake.plays.back(), "wave/sel");
    }
}

TEST_F(BankEditing, ADamagedStepLineLeavesThePanelsStepOnSelectAndOnTheScansRestart) {
    for (const char* line : {"12.5", "", " ", "0", "12.5 kHz", "FM"}) {
        putFile("bank05.dat", {"bank05", "FM", line, " ", "145.5", " ", "9999"});
        for (const bool scan : {false, true}) {
            panel.searchStepText = "6.25";
            fake.plays.clear();
            scan ? restartBankScan(panel) : select("05");
            const std::string what = std::string(scan ? "R" : "B") + " with the step line '" + line + "'";
            EXPECT_EQ(commands().back(), std::string_view(line) == "12.5" ? "ST012.50\r" : "ST006.25\r") << what;
            EXPECT_EQ(said().back(), scan ? "shdel" : "sel") << what << ": nothing more is said";
        }
    }
}

TEST_F(BankEditing, SortingOrdersByValueAndKeepsEachTextOnce) {
    const struct {
        const char* what;
        Lines channels;
        Lines sorted;
    } cases[] = {
        {"repeats", {"433.075", "145.5", "145.5", "29.97"}, {"29.97", "145.5", "433.075"}},
        {"a run of three", {"145.5", "446", "145.5", "145.5"}, {"145.5", "446"}},
        {"a run of four", {"7", "7", "7", "7"}, {"7"}},
        {"two runs", {"2", "1", "2", "1", "2", "1"}, {"1", "2"}},
        {"equal values, two texts", {"145.50", "145.5", "145.50"}, {"145.50", "145.5", "145.50"}},
        {"already in order", {".5", "1.2", "1296.5"}, {".5", "1.2", "1296.5"}},
        {"above 9999 MHz stays in the bank", {"10000", "145.5", "99999.5"}, {"145.5", "10000", "99999.5"}},
        {"empty", {}, {}},
        {"one", {"145.5"}, {"145.5"}},
    };
    for (const auto& c : cases) {
        putFile("bank05.dat", bankLinesOf("bank05", "FM", "12.5", c.channels));
        fake.plays.clear();
        sort("05");
        EXPECT_EQ(file("bank05.dat"), crlf(bankLinesOf("bank05", "FM", "12.5", c.sorted))) << c.what;
        EXPECT_EQ(words(), (Lines{"wave/ok"})) << c.what;
        EXPECT_EQ(panel.lastIndex, 2 + 2 * static_cast<int>(c.sorted.size())) << c.what;
        EXPECT_EQ(panel.scanIndex, panel.lastIndex) << c.what;
    }
}

TEST_F(BankEditing, SortingAFullBankKeepsAllItsChannels) {
    Lines channels = manyChannels(197);
    std::reverse(channels.begin(), channels.end());
    putFile("bank05.dat", bankLinesOf("Scanbank", "FM", "12.5", channels));
    sort("05");
    EXPECT_EQ(file("bank05.dat"), crlf(bankLinesOf("Scanbank", "FM", "12.5", manyChannels(197))));
}

TEST_F(BankEditing, SortingAMissingBankSaysBnfAndWritesNothing) {
    sort("05");
    EXPECT_EQ(words(), (Lines{"wave/bnf"}));
    EXPECT_EQ(replacements(), 0);
}

TEST_F(BankEditing, ASortThatCannotBeSavedSaysInvAndKeepsFileAndMemory) {
    const std::string old = crlf(bankLinesOf("bank05", "FM", "12.5", {"446", "145.5"}));
    fake.files["bank05.dat"] = old;
    fake.replacementsFail = true;
    sort("05");
    EXPECT_EQ(words(), (Lines{"wave/inv"}));
    EXPECT_EQ(file("bank05.dat"), old);
    EXPECT_EQ(channelsInMemory(), (Lines{"446", "145.5"}));
}

TEST_F(BankEditing, DeletingAChannelShiftsTheRestAndTunesTheOneInItsPlace) {
    const struct {
        const char* what;
        Lines channels;
        int place;
        Lines left;
        int scanIndex;
        const char* tuned;  // nullptr: nothing tuned
    } cases[] = {
        {"the first of three", {"145.5", "433.075", "446"}, 0, {"433.075", "446"}, 4, "VA0433.07500\r"},
        {"the middle one", {"145.5", "433.075", "446"}, 1, {"145.5", "446"}, 6, "VA0446000000\r"},
        {"the last: back to the first", {"145.5", "433.075", "446"}, 2, {"145.5", "433.075"}, 4, "VA0145.50000\r"},
        {"the only one", {"145.5"}, 0, {}, 4, nullptr},
        {"one far down a long list", manyChannels(150), 120, [] {
             Lines left = manyChannels(150);
             left.erase(left.begin() + 120);
             return left;
         }(), 244, "VA0103.05000\r"},
    };
    for (const auto& c : cases) {
        selectAndStandOn(c.channels, c.place);
        deleteChannel(panel);
        EXPECT_EQ(file("bank05.dat"), crlf(bankLinesOf("bank05", "FM", "12.5", c.left))) << c.what;
        EXPECT_EQ(panel.scanIndex, c.scanIndex) << c.what;
        EXPECT_EQ(panel.lastIndex, 2 + 2 * static_cast<int>(c.left.size())) << c.what;
        EXPECT_EQ(channelsInMemory(), c.left) << c.what;
        EXPECT_EQ(commands(), c.tuned ? Lines{c.tuned} : Lines{}) << c.what;
        EXPECT_EQ(words().back(), "wave/ok") << c.what;
        EXPECT_EQ(panel.bankScanState, kBankSelected) << c.what;
    }
}

TEST_F(BankEditing, DeletingWhereThereIsNoChannelSaysInvAndWritesNothing) {
    const struct {
        const char* what;
        Lines channels;
        int scanIndex;
    } cases[] = {
        {"on the marker", {"145.5", "446"}, 8},
        {"in an empty bank", {}, 4},
        {"in the header", {"145.5"}, 2},
        {"below the table", {"145.5"}, -2},
        {"past the table", {"145.5"}, 500},
        {"on a blank line", {"145.5", "446"}, 5},
    };
    for (const auto& c : cases) {
        selectAndStandOn(c.channels, 0);
        const std::string before = file("bank05.dat");
        panel.scanIndex = c.scanIndex;
        deleteChannel(panel);
        EXPECT_EQ(words(), (Lines{"wave/inv"})) << c.what;
        EXPECT_EQ(replacements(), 0) << c.what;
        EXPECT_EQ(file("bank05.dat"), before) << c.what;
        EXPECT_TRUE(commands().empty()) << c.what;
    }
}

TEST_F(BankEditing, DeletingAfterAnotherBankWasLoadedSaysInv) {
    putFile("bank06.dat", bankLinesOf("bank06", "FM", "12.5", {"7.05", "7.1"}));
    const struct {
        const char* what;
        void (*since)(Panel&);
    } cases[] = {
        {"a sort of another bank", [](Panel& p) { p.entryText = "06"; sortBank(p); }},
        {"a sort of the same bank", [](Panel& p) { p.entryText = "05"; sortBank(p); }},
        {"a read of another bank", [](Panel& p) { p.bankFileName = "bank06.dat"; readBankFile(p); }},
    };
    for (const auto& c : cases) {
        selectAndStandOn({"145.5", "446"}, 0);
        c.since(panel);
        const std::string five = file("bank05.dat");
        const std::string six = file("bank06.dat");
        fake.plays.clear();
        deleteChannel(panel);
        EXPECT_EQ(words(), (Lines{"wave/inv"})) << c.what;
        EXPECT_EQ(file("bank05.dat"), five) << c.what;
        EXPECT_EQ(file("bank06.dat"), six) << c.what;
    }
}

TEST_F(BankEditing, DeletingWithNoBankSelectedSaysInv) {
    selectAndStandOn({"145.5", "446"}, 0);
    panel.bankScanState = kBankScanRunning;
    deleteChannel(panel);
    EXPECT_EQ(words(), (Lines{"wave/inv"}));
    EXPECT_EQ(replacements(), 0);
}

TEST_F(BankEditing, ADeleteThatCannotBeSavedChangesNothing) {
    selectAndStandOn({"145.5", "446"}, 0);
    const std::string before = file("bank05.dat");
    const BankTable table = panel.bankLines;
    fake.replacementsFail = true;
    deleteChannel(panel);
    EXPECT_EQ(words(), (Lines{"wave/inv"}));
    EXPECT_EQ(file("bank05.dat"), before);
    EXPECT_EQ(panel.bankLines, table);
    EXPECT_EQ(panel.scanIndex, 4);
    EXPECT_TRUE(commands().empty()) << "nothing tuned";
}

TEST_F(BankEditing, ChannelsCanBeDeletedOneAfterAnotherUntilNoneIsLeft) {
    selectAndStandOn({"1", "2", "3", "4"}, 2);
    for (int i = 0; i < 4; ++i) {
        deleteChannel(panel);
        EXPECT_EQ(fake.plays.back(), "wave/ok");
    }
    EXPECT_EQ(file("bank05.dat"), crlf(bankLinesOf("bank05", "FM", "12.5", {})));
    EXPECT_EQ(commands(), (Lines{"VA0004000000\r", "VA0001000000\r", "VA0002000000\r"}));
    deleteChannel(panel);
    EXPECT_EQ(fake.plays.back(), "wave/inv");
}

}  // namespace
}  // namespace voxpan
