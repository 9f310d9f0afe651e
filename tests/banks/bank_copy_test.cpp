#include "banks/bank_copy.h"
#include "banks/bank_editing.h"

#include <gtest/gtest.h>

#include "banks/bank_file.h"
#include "banks/bank_test_support.h"

namespace voxpan {
namespace {

using testing::bankLinesOf;
using testing::crlf;
using testing::Lines;
using testing::manyChannels;

class BankCopy : public testing::BankTest {
protected:
    BankCopy() {
        panel.modeText = "FM";
        panel.searchStepText = "12.5";
    }
    void put(const std::string& frequency, const std::string& number) {
        panel.workText = frequency;
        panel.entryText = number;
        putFrequency(panel);
    }
    void copy(const std::string& numbers) {
        panel.entryText = numbers;
        copyBank(panel);
    }
};

TEST_F(BankCopy, PutIntoAMissingBankCreatesItWithThePanelsModeAndStep) {
    put("145.5", "05");
    EXPECT_EQ(said(), (Lines{"bnf", "create", "0", "5", "ok"}));
    EXPECT_EQ(file("bank05.dat"), crlf({"bank05", "FM", "12.5", " ", "145.5", " ", "9999"}));
    EXPECT_EQ(replacements(), 2) << "created, then merged";
}

TEST_F(BankCopy, PutAddsANewFrequencyAfterTheBanksOwnChannels) {
    putFile("bank05.dat", bankLinesOf("bank05", "FM", "5", {"446", "145.5"}));
    put("433.075", "05");
    EXPECT_EQ(said(), (Lines{"ok"}));
    EXPECT_EQ(file("bank05.dat"), crlf(bankLinesOf("bank05", "FM", "5", {"446", "145.5", "433.075"})));
    EXPECT_EQ(panel.lastIndex, 8);
}

TEST_F(BankCopy, PutOfAFrequencyTheBankHoldsWritesItUnchanged) {
    const Lines bank = bankLinesOf("bank05", "FM", "12.5", {"145.5"});
    putFile("bank05.dat", bank);
    put("145.5", "05");
    EXPECT_EQ(said(), (Lines{"ok"}));
    EXPECT_EQ(file("bank05.dat"), crlf(bank));
    put("145.50", "05");
    EXPECT_EQ(file("bank05.dat"), crlf(bankLinesOf("bank05", "FM", "12.5", {"145.5", "145.50"})))
        << "compared as texts";
}

TEST_F(BankCopy, PutIntoABankOfAnotherModeSaysIncmodeOnly) {
    const struct {
        const char* bankMode;
        const char* panelMode;
        Lines words;
    } cases[] = {
        {"AM", "FM", {"incmode"}},
        {"CW ", "CW ", {"ok"}},
        {"CW", "CW ", {"incmode"}},
        {"AUT", "AUT", {"ok"}},
    };
    for (const auto& c : cases) {
        const Lines bank = bankLinesOf("bank05", c.bankMode, "12.5", {"7.05"});
        putFile("bank05.dat", bank);
        panel.modeText = c.panelMode;
        fake.plays.clear();
        put("7.1", "05");
        EXPECT_EQ(said(), c.words) << c.bankMode << " / " << c.panelMode;
        if (c.words.back() == "incmode") {
            EXPECT_EQ(file("bank05.dat"), crlf(bank)) << "a bank of another mode is not written";
        }
    }
}

TEST_F(BankCopy, PutOfNothingOrOfTheMarkerIsRefused) {
    for (const char* frequency : {"", "9999", "1.2."}) {
        fake.plays.clear();
        put(frequency, "05");
        EXPECT_EQ(said(), (Lines{"inv"})) << '"' << frequency << '"';
        EXPECT_EQ(fake.files.count("bank05.dat"), 0u);
    }
}

TEST_F(BankCopy, CopyingTheSearchListAddsItsNewHitsAfterTheTargetsChannels) {
    putFile("bank00.dat", bankLinesOf("Scanbank", "FM", "12.5", {"145.5", "145.6", "446", "145.7", "145.8"}));
    putFile("bank05.dat", bankLinesOf("bank05", "FM", "12.5", {"446", "7.05", "29.97"}));
    copy("05");
    EXPECT_EQ(said(), (Lines{"ok"}));
    EXPECT_EQ(file("bank05.dat"),
              crlf(bankLinesOf("bank05", "FM", "12.5", {"446", "7.05", "29.97", "145.5", "145.6", "145.7", "145.8"})));
    EXPECT_EQ(file("bank00.dat"), crlf(bankLinesOf("Scanbank", "FM", "12.5", {"145.5", "145.6", "446", "145.7", "145.8"})))
        << "the source is not written";
}

TEST_F(BankCopy, CopyingABankOntoItselfAddsNothing) {
    const Lines bank = bankLinesOf("bank03", "AM", "5", {"7.05", "7.1"});
    putFile("bank03.dat", bank);
    copy("0303");
    EXPECT_EQ(said(), (Lines{"ok"}));
    EXPECT_EQ(file("bank03.dat"), crlf(bank));
}

TEST_F(BankCopy, CopyIntoAMissingBankCreatesItWithTheSourcesHeaderAndTheWholeEntryAsLabel) {
    putFile("bank03.dat", bankLinesOf("bank03", "AM", "5", {"7.05", "7.05", "7.1"}));
    copy("0307");
    EXPECT_EQ(said(), (Lines{"bnf", "create", "0", "7", "ok"}));
    EXPECT_EQ(file("bank07.dat"), crlf(bankLinesOf("bank0307", "AM", "5", {"7.05", "7.1"})))
        << "a frequency the source holds twice is added once";
}

TEST_F(BankCopy, CopyWhenNeitherTheSearchListNorTheTargetExists) {
    copy("05");
    EXPECT_EQ(said(), (Lines{"bnf", "create", "0", "5", "bnf", "create", "0", "5", "ok"}));
    EXPECT_EQ(file("bank00.dat"), crlf({"bank05", "FM", "12.5", " ", "9999"}));
    EXPECT_EQ(file("bank05.dat"), crlf({"bank05", "FM", "12.5", " ", "9999"}));
}

TEST_F(BankCopy, ATargetTakesNoMoreThan91ChannelsAndLosesNoneOfItsOwn) {
    const struct {
        const char* what;
        int targetChannels;   // -1: no target file
        int sourceChannels;   // distinct from the target's
        int sourceRepeats;    // of the target's own channels, at the start of the source
        Lines words;
        int channelsAfter;    // -1: target file untouched
    } cases[] = {
        {"a long search list into a new bank", -1, 150, 0, {"bnf", "create", "0", "5", "bf", "ok"}, 91},
        {"into a bank with room for some", 80, 30, 0, {"bf", "ok"}, 91},
        {"exactly filling the bank", 80, 11, 0, {"ok"}, 91},
        {"into a full bank", 91, 1, 0, {"n"}, -1},
        {"nothing new into a full bank", 91, 0, 5, {"ok"}, 91},
        {"into a bank already past 91", 120, 3, 0, {"n"}, -1},
        {"nothing new into a bank past 91", 120, 0, 2, {"ok"}, 120},
    };
    for (const auto& c : cases) {
        fake.files.clear();
        fake.plays.clear();
        const Lines own = manyChannels(std::max(c.targetChannels, 0), 200000);
        Lines source(own.begin(), own.begin() + c.sourceRepeats);
        for (const std::string& channel : manyChannels(c.sourceChannels)) source.push_back(channel);
        putFile("bank00.dat", bankLinesOf("Scanbank", "FM", "12.5", source));
        if (c.targetChannels >= 0) putFile("bank05.dat", bankLinesOf("bank05", "FM", "12.5", own));
        const std::string before = file("bank05.dat");
        copy("05");
        EXPECT_EQ(said(), c.words) << c.what;
        if (c.channelsAfter < 0) {
            EXPECT_EQ(file("bank05.dat"), before) << c.what;
            continue;
        }
        Lines expected = own;
        const Lines fresh = manyChannels(c.sourceChannels);
        expected.insert(expected.end(), fresh.begin(), fresh.begin() + (c.channelsAfter - static_cast<int>(own.size())));
        EXPECT_EQ(file("bank05.dat"), crlf(bankLinesOf("bank05", "FM", "12.5", expected))) << c.what;
    }
}

TEST_F(BankCopy, AMergeThatCannotBeSavedSaysInvAndLeavesTheTarget) {
    putFile("bank00.dat", bankLinesOf("Scanbank", "FM", "12.5", {"145.5"}));
    const Lines target = bankLinesOf("bank05", "FM", "12.5", {"446"});
    putFile("bank05.dat", target);
    fake.replacementsFail = true;
    copy("05");
    EXPECT_EQ(said(), (Lines{"inv"}));
    EXPECT_EQ(file("bank05.dat"), crlf(target));
    EXPECT_EQ(channelsInMemory(), (Lines{"446"}));
}

TEST_F(BankCopy, ABankThatCannotBeCreatedSaysInvAndNothingMore) {
    fake.replacementsFail = true;
    put("145.5", "05");
    EXPECT_EQ(said(), (Lines{"bnf", "create", "0", "5", "inv"}));
    EXPECT_EQ(fake.files.count("bank05.dat"), 0u);
    fake.plays.clear();
    copy("0307");
    EXPECT_EQ(said(), (Lines{"bnf", "create", "0", "3", "inv"}));
    EXPECT_TRUE(fake.files.empty());
}

TEST_F(BankCopy, AFolderNamedAsTheTargetIsNeverWrittenOver) {
    fake.folders.insert("bank05.dat");
    put("145.5", "05");
    EXPECT_EQ(said(), (Lines{"bnf", "create", "0", "5", "inv"}));
}

// The line after a channel's frequency is its name: it goes wherever the channel goes. Edited by hand, a
// bank's lines can be out of step with its channel pairs: no frequency is lost and the bank is saved in step.
TEST_F(BankCopy, SortDeleteCopyAndPutKeepEachNameWithItsChannelAndSaveABankInStep) {
    const Lines named{" ", "433.075", "Airport", "145.5", "Repeater", "29.97", " ", "145.5", "Twin", "9999"},
        onReserved{" ", "145.5", "433.075", "145.5", " ", "9999"}, noHeaderBlank{"145.5", " ", "433.075", " ", "9999"},
        noReserved{" ", "446", "145.5", " ", "433.075", " ", "9999"}, note{" ", "446", " ", "note", "145.5", " ", "9999"},
        extraBlank{" ", " ", "145.5", " ", "433.075", " ", "9999"};
    const struct {
        char key;             // O sort, K delete the first channel, T copy into bank 06 (7.05 Marine), P put
        const Lines& bank05;  // lines 3 on
        Lines written;        // channels and names of the bank written; none: the bank stays as it was
        const char* put = "433.075";
    } cases[] = {
        {'O', named, {"29.97", " ", "145.5", "Repeater", "433.075", "Airport"}},
        {'K', named, {"145.5", "Repeater", "29.97", " ", "145.5", "Twin"}},
        {'T', named, {"7.05", "Marine", "433.075", "Airport", "145.5", "Repeater", "29.97", " "}},
        {'P', named, {"433.075", "Airport", "145.5", "Repeater", "29.97", " ", "145.5", "Twin", "446", " "}, "446"},
        {'O', onReserved, {"145.5", " ", "433.075", " "}},    {'O', extraBlank, {"145.5", " ", "433.075", " "}},
        {'O', note, {"145.5", " ", "446", " ", "note", " "}}, {'K', onReserved, {"433.075", " ", "145.5", " "}},
        {'K', noReserved, {"145.5", " ", "433.075", " "}},    {'K', note, {"145.5", " "}},
        {'K', extraBlank, {}}, {'P', noReserved, {"446", " ", "145.5", " ", "433.075", " "}},
        {'T', noHeaderBlank, {"7.05", "Marine", "145.5", " ", "433.075", " "}},
        {'T', note, {"7.05", "Marine", "446", " ", "note", " ", "145.5", " "}},
    };
    for (const auto& c : cases) {
        Lines bank{"bank05", "FM", "12.5"};
        bank.insert(bank.end(), c.bank05.begin(), c.bank05.end());
        const std::string what = c.key + (" on " + testing::visibleBytes(crlf(bank)));
        putFile("bank05.dat", bank);
        putFile("bank06.dat", {"bank06", "FM", "12.5", " ", "7.05", "Marine", "9999"});
        panel.entryText = "05";
        if (c.key == 'K') selectBank(panel);  // on the first channel, which K deletes
        if (c.key == 'K') deleteChannel(panel);
        if (c.key == 'O') sortBank(panel);
        if (c.key == 'T') copy("0506");
        if (c.key == 'P') put(c.put, "05");
        Lines written{c.key == 'T' ? "bank06" : "bank05", "FM", "12.5", " "};
        written.insert(written.end(), c.written.begin(), c.written.end());
        written.push_back("9999");
        EXPECT_EQ(file(written[0] + ".dat"), crlf(c.written.empty() ? bank : written)) << what;
        EXPECT_EQ(said().back(), c.written.empty() ? "inv" : "ok") << what;
    }
}

}  // namespace
}  // namespace voxpan
