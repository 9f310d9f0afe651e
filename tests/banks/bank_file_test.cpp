#include "banks/bank_file.h"

#include <gtest/gtest.h>

#include "banks/bank_test_support.h"
#include "banks/bank_walk.h"

namespace voxpan {
namespace {

using testing::bankLinesOf;
using testing::crlf;
using testing::Lines;
using testing::manyChannels;

class BankFile : public testing::BankTest {
protected:
    void read(const std::string& bytes) {
        fake.files["bank05.dat"] = bytes;
        panel.bankFileName = "bank05.dat";
        readBankFile(panel);
    }
};

TEST_F(BankFile, ReadingFindsTheEndOnlyWhereAChannelCouldStand) {
    const std::string header = crlf({"bank05", "FM", "12.5", " "});
    const struct {
        const char* what;
        std::string bytes;
        Lines channels;
        int lastIndex;
    } cases[] = {
        {"an empty bank", crlf(bankLinesOf("bank05", "FM", "12.5", {})), {}, 2},
        {"three channels", crlf(bankLinesOf("bank05", "FM", "12.5", {"145.5", "433.075", ".5"})), {"145.5", "433.075", ".5"}, 8},
        {"lines after the marker", header + crlf({"145.5", " ", "9999", "446", " ", "9999"}), {"145.5"}, 4},
        {"a channel that reads 9999 ends the list", header + crlf({"145.5", " ", "9999", " ", "446", " ", "9999"}), {"145.5"}, 4},
        {"a step of 9999 in the header", crlf({"bank05", "FM", "9999", " ", "145.5", " ", "9999"}), {"145.5"}, 4},
        {"a label of 9999", crlf({"9999", "FM", "12.5", " ", "145.5", " ", "9999"}), {"145.5"}, 4},
        {"9999 on a channel's blank line", header + crlf({"145.5", "9999", "446", " ", "9999"}), {"145.5", "446"}, 6},
        {"9999 with a blank is no marker", header + crlf({"9999 ", " ", " 9999", " ", "9999"}), {"9999 ", " 9999"}, 6},
        {"no marker after two channels", header + crlf({"145.5", " ", "446", " "}), {"145.5", "446"}, 6},
        {"no marker, the last channel without its blank", header + crlf({"145.5"}), {"145.5"}, 4},
        {"three lines", crlf({"bank05", "FM", "12.5"}), {}, 2},
        {"an empty file", "", {}, 2},
        {"lines ending with LF alone", "bank05\nFM\n12.5\n \n145.5\n \n9999\n", {"145.5"}, 4},
        {"lines ending with CR alone", "bank05\rFM\r12.5\r \r145.5\r \r9999\r", {"145.5"}, 4},
        {"the last line without its end", header + "145.5\r\n \r\n9999", {"145.5"}, 4},
    };
    for (const auto& c : cases) {
        panel.lastIndex = -7;
        read(c.bytes);
        EXPECT_EQ(panel.bankReadError, 0) << c.what;
        EXPECT_EQ(channelsInMemory(), c.channels) << c.what;
        EXPECT_EQ(panel.lastIndex, c.lastIndex) << c.what;
        EXPECT_EQ(panel.scanIndex, c.lastIndex) << c.what;
        EXPECT_EQ(bankEndIndex(panel.bankLines), c.lastIndex + 2) << c.what;
        EXPECT_TRUE(words().empty()) << c.what << ": a file that opens says nothing";
    }
}

TEST_F(BankFile, LongLinesAreCutWithoutMovingTheLinesAfterThem) {
    const std::string longLine(300, '7');
    read(crlf({"bank05", std::string(1000, 'x'), "12.5", " ", longLine, " ", "446", " ", "9999"}));
    EXPECT_EQ(panel.bankLines[1], std::string(254, 'x'));
    EXPECT_EQ(panel.bankLines[2], "12.5");
    EXPECT_EQ(channelsInMemory(), (Lines{std::string(254, '7'), "446"}));
    EXPECT_EQ(panel.lastIndex, 6);
}

TEST_F(BankFile, BinaryBytesAndNulsAreKeptAsText) {
    const std::string odd("\x01\x00\xff\x1e", 4);
    read(crlf({"bank05", "FM", "12.5", " ", odd, " ", "9999"}));
    EXPECT_EQ(channelsInMemory(), (Lines{odd}));
}

TEST_F(BankFile, AFullFileWithoutMarkerKeepsAllItsLinesAndGetsTheMarkerAfterThem) {
    Lines lines = bankLinesOf("Scanbank", "FM", "12.5", manyChannels(210));
    lines.pop_back();
    ASSERT_GT(lines.size(), 420u);
    for (std::size_t count : {400u, 399u, 421u}) {
        read(crlf(Lines(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(count))));
        EXPECT_EQ(panel.lastIndex, 398) << count << " lines";
        EXPECT_EQ(channelCount(panel.bankLines), 198) << count << " lines";
        EXPECT_EQ(panel.bankLines[400], "9999") << count << " lines";
        EXPECT_TRUE(panel.bankLines[401].empty()) << "nothing past line 399 of the file is read";
    }
}

TEST_F(BankFile, ABankThatDoesNotOpenSaysBnfAndLeavesTheTableAlone) {
    read(crlf(bankLinesOf("bank05", "FM", "12.5", {"145.5"})));
    fake.plays.clear();
    const BankTable before = panel.bankLines;
    for (const char* name : {"bank06.dat", "bank07.dat"}) {
        panel.bankFileName = name;
        panel.lastIndex = 4;
        panel.scanIndex = 6;
        readBankFile(panel);
        EXPECT_EQ(panel.bankReadError, 1) << name;
        EXPECT_EQ(panel.bankLines, before) << name;
        EXPECT_EQ(panel.lastIndex, 4) << name;
        EXPECT_EQ(panel.scanIndex, 6) << name;
        fake.folders.insert("bank07.dat");
        fake.files["bank07.dat"] = "";
    }
    EXPECT_EQ(words(), (Lines{"wave/bnf", "wave/bnf"})) << "a missing bank and a folder of a bank's name";
}

TEST_F(BankFile, ASecondReadLeavesNothingOfTheFirstBank) {
    read(crlf(bankLinesOf("bank05", "FM", "12.5", manyChannels(20))));
    read(crlf(bankLinesOf("bank06", "AM", "5", {"7.05"})));
    EXPECT_EQ(channelsInMemory(), (Lines{"7.05"}));
    for (int i = 7; i < kBankTableSize; ++i) EXPECT_TRUE(panel.bankLines[static_cast<std::size_t>(i)].empty()) << "line " << i;
}

TEST_F(BankFile, WritingLaysTheBankOutByteForByte) {
    panel.bankFileName = "bank05.dat";
    const Lines lines = bankLinesOf("bank05", "FM", "12.5", {"145.5", "433.075"});
    for (std::size_t i = 0; i < lines.size(); ++i) panel.bankLines[i] = lines[i];
    panel.bankLines[9] = "left over";
    panel.bankLines[10] = "146";
    writeBankFile(panel);
    EXPECT_EQ(panel.bankWriteError, 0);
    EXPECT_EQ(file("bank05.dat"), "bank05\r\nFM\r\n12.5\r\n \r\n145.5\r\n \r\n433.075\r\n \r\n9999\r\n");
    EXPECT_EQ(fake.journalOf("file-"), (Lines{"file-replace bank05.dat"})) << "written as one replacement";
}

TEST_F(BankFile, AHeaderOf9999DoesNotCutTheWrittenFileShort) {
    panel.bankFileName = "bank05.dat";
    const Lines lines{"9999", "FM", "9999", " ", "145.5", "9999", "9999"};
    for (std::size_t i = 0; i < lines.size(); ++i) panel.bankLines[i] = lines[i];
    writeBankFile(panel);
    EXPECT_EQ(file("bank05.dat"), crlf(lines));
}

TEST_F(BankFile, ATableWithoutMarkerIsWrittenAsTheFourHundredLinesAFileHolds) {
    Lines lines = bankLinesOf("Scanbank", "FM", "12.5", manyChannels(198));
    lines.pop_back();
    ASSERT_EQ(lines.size(), 400u);
    read(crlf(lines));
    writeBankFile(panel);
    EXPECT_EQ(file("bank05.dat"), crlf(lines));
}

TEST_F(BankFile, AFailedWriteLeavesTheOldFileAndSaysSo) {
    const std::string old = crlf(bankLinesOf("bank05", "FM", "12.5", {"145.5"}));
    read(old);
    panel.bankLines[4] = "446";
    fake.replacementsFail = true;
    writeBankFile(panel);
    EXPECT_EQ(panel.bankWriteError, 1);
    EXPECT_EQ(file("bank05.dat"), old);
    fake.replacementsFail = false;
    writeBankFile(panel);
    EXPECT_EQ(panel.bankWriteError, 0);
    EXPECT_EQ(file("bank05.dat"), crlf(bankLinesOf("bank05", "FM", "12.5", {"446"})));
}

TEST_F(BankFile, FilesTheWriterMadeComeBackUnchanged) {
    const Lines files[] = {
        bankLinesOf("bank05", "FM", "12.5", {}),
        bankLinesOf("bank05", "FM", "12.5", {"145.5", "433.075"}),
        bankLinesOf("bank0307", "CW ", "6.25", {".5", "1296.5", "145."}),
        bankLinesOf("Scanbank", "AUT", "12.5", manyChannels(197)),
    };
    for (const Lines& lines : files) {
        read(crlf(lines));
        const BankTable first = panel.bankLines;
        writeBankFile(panel);
        EXPECT_EQ(file("bank05.dat"), crlf(lines)) << lines[0] << ", " << lines.size() << " lines";
        readBankFile(panel);
        EXPECT_EQ(panel.bankLines, first) << lines[0] << ", " << lines.size() << " lines";
    }
}

TEST_F(BankFile, OtherLineEndsAndAMissingMarkerComeBackInTheWritersForm) {
    read("bank05\nFM\r12.5\r\n \n145.5\n \n");
    writeBankFile(panel);
    EXPECT_EQ(file("bank05.dat"), crlf(bankLinesOf("bank05", "FM", "12.5", {"145.5"})));
}

TEST(BankEndIndex, IsTheFirstMarkerOnAChannelLineOrFourHundred) {
    const struct {
        std::vector<std::pair<int, const char*>> lines;
        int end;
    } cases[] = {
        {{}, 400},
        {{{4, "9999"}}, 4},
        {{{2, "9999"}, {3, "9999"}, {5, "9999"}, {8, "9999"}}, 8},
        {{{398, "9999"}}, 398},
        {{{400, "9999"}}, 400},
        {{{402, "9999"}, {418, "9999"}}, 400},
        {{{6, "9999 "}, {10, "9999"}, {12, "9999"}}, 10},
    };
    for (const auto& c : cases) {
        BankTable table{};
        std::string where;
        for (const auto& [index, text] : c.lines) {
            table[static_cast<std::size_t>(index)] = text;
            where += std::to_string(index) + "=" + text + " ";
        }
        EXPECT_EQ(bankEndIndex(table), c.end) << where;
    }
}

TEST(FrequencyText, DigitsWithAtMostOnePoint) {
    for (const char* good : {"145.5", ".5", "145.", "0145.5", "7", "1296.123456"}) EXPECT_TRUE(isFrequencyText(good)) << good;
    for (const char* bad : {"", ".", "145.5.5", " 145.5", "145.5\r", "145,5", "-145", "9e3", "14 5"})
        EXPECT_FALSE(isFrequencyText(bad)) << '"' << bad << '"';
}

}  // namespace
}  // namespace voxpan
