// Bank files of every shape the reader may meet: random bytes, long lines,
// no marker, markers in odd places, more than 420 lines. Whatever the file,
// reading it and working on it must leave a table whose end and indexes lie
// within it, and a file the reader takes back as it was. Run under the
// sanitizer build, where every table index is checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "banks/bank_channels.h"
#include "banks/bank_copy.h"
#include "banks/bank_editing.h"
#include "banks/bank_file.h"
#include "banks/bank_test_support.h"
#include "banks/bank_transfer.h"
#include "banks/bank_walk.h"
#include "scan/search_mode.h"

namespace voxpan {
namespace {

using testing::Lines;

constexpr unsigned kSeed = 20260612;
constexpr int kFiles = 1500;

class BankFuzz : public testing::BankTest {
protected:
    std::mt19937 random{kSeed};

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    std::string randomBytes(int length) {
        // Line ends, the marker's digit and the point come often, so that
        // the bytes form lines, channels and markers and not one long line.
        static const std::string common = "\r\n9.0145 ";
        std::string bytes;
        for (int i = 0; i < length; ++i)
            bytes.push_back(below(3) == 0 ? common[static_cast<std::size_t>(below(static_cast<int>(common.size())))]
                                          : static_cast<char>(below(256)));
        return bytes;
    }

    std::string randomLine() {
        switch (below(8)) {
            case 0: return "9999";
            case 1: return " ";
            case 2: return "";
            case 3: return std::string(static_cast<std::size_t>(200 + below(2000)), static_cast<char>('0' + below(10)));
            case 4: return randomBytes(below(30));
            case 5: return "9999" + std::string(static_cast<std::size_t>(below(2)), ' ');
            default: return std::to_string(below(3000)) + "." + std::to_string(below(100000));
        }
    }

    std::string randomFile() {
        const char* ends[] = {"\r\n", "\n", "\r"};
        switch (below(5)) {
            case 0: return randomBytes(below(4000));
            case 1: {  // many lines, often more than a file may hold
                std::string bytes;
                const int lines = 380 + below(250);
                for (int i = 0; i < lines; ++i) bytes += randomLine() + ends[below(3)];
                return bytes;
            }
            case 2: {  // a long bank as the panel writes it, without its marker
                Lines lines = testing::bankLinesOf("bank05", "FM", "12.5", testing::manyChannels(190 + below(30)));
                lines.pop_back();
                return testing::crlf(lines);
            }
            default: {  // a few lines of anything
                std::string bytes;
                const int lines = below(40);
                for (int i = 0; i < lines; ++i) bytes += randomLine() + ends[below(3)];
                if (below(2) == 0) bytes += randomLine();
                return bytes;
            }
        }
    }

    // The channels of a bank file as the reader takes them.
    Lines channelsOnDisk(const std::string& name) {
        panel.bankFileName = name;
        readBankFile(panel);
        Lines frequencies;
        for (const BankChannel& channel : channelsOf(panel.bankLines).channels) frequencies.push_back(channel.frequency().str());
        return frequencies;
    }

    // What every table the panel holds must satisfy.
    void expectSound(const BankTable& table, const std::string& what) {
        const int end = bankEndIndex(table);
        ASSERT_TRUE(end >= kFirstChannelIndex && end <= kUnmarkedEnd && end % 2 == 0) << what << ": end " << end;
        for (const Text& line : table) ASSERT_LE(line.size(), kTextCapacity) << what;
        for (int from : {-3, 0, 2, 3, 4, 5, end - 2, end - 1, end, end + 1, 419, 1000}) {
            for (int to : {nextChannelIndex(table, from), previousChannelIndex(table, from)})
                ASSERT_TRUE(to >= kFirstChannelIndex && to % 2 == 0 && (to < end || to == kFirstChannelIndex))
                    << what << ": from " << from << " to " << to;
        }
    }
};

TEST_F(BankFuzz, AnyFileReadsIntoASoundTableAndComesBackAsRead) {
    // How often the files met the cases that matter, so that a change of the
    // generator cannot quietly stop testing them.
    int empty = 0, full = 0, cut = 0, between = 0;
    for (int n = 0; n < kFiles; ++n) {
        const std::string what = "file " + std::to_string(n) + " of seed " + std::to_string(kSeed);
        fake.files["bank05.dat"] = randomFile();
        panel.bankFileName = "bank05.dat";
        readBankFile(panel);
        ASSERT_EQ(panel.bankReadError, 0) << what;
        expectSound(panel.bankLines, what);
        const int end = bankEndIndex(panel.bankLines);
        ASSERT_EQ(panel.lastIndex, end - 2) << what;
        ASSERT_EQ(panel.scanIndex, end - 2) << what;
        for (int i = end + 1; i < kBankTableSize; ++i)
            ASSERT_TRUE(panel.bankLines[static_cast<std::size_t>(i)].empty()) << what << ": line " << i << " after the end";

        empty += end == kFirstChannelIndex;
        full += end == kUnmarkedEnd;
        between += end > kFirstChannelIndex && end < kUnmarkedEnd;
        cut += std::any_of(panel.bankLines.begin(), panel.bankLines.end(),
                           [](const Text& line) { return line.size() == kTextCapacity; });

        const BankTable read = panel.bankLines;
        writeBankFile(panel);
        ASSERT_EQ(panel.bankWriteError, 0) << what;
        readBankFile(panel);
        ASSERT_EQ(panel.bankLines, read) << what << ": written and read again, the bank changed";
    }
    EXPECT_GT(empty, kFiles / 20) << "files without channels";
    EXPECT_GT(full, kFiles / 20) << "files of 400 lines and more without marker";
    EXPECT_GT(between, kFiles / 5) << "files with channels and an end";
    EXPECT_GT(cut, kFiles / 20) << "files with lines longer than a text";
}

TEST_F(BankFuzz, EveryOperationOnAnyBankStaysWithinTheTable) {
    panel.modeText = "FM";
    panel.searchStepText = "12.5";
    for (int n = 0; n < kFiles / 3; ++n) {
        const std::string what = "file " + std::to_string(n) + " of seed " + std::to_string(kSeed);
        const std::string bytes = randomFile();
        fake.files.clear();
        fake.files["bank05.dat"] = bytes;
        fake.files["bank06.dat"] = randomFile();

        panel.entryText = "05";
        selectBank(panel);
        expectSound(panel.bankLines, what + ", selected");
        ASSERT_EQ(fake.files["bank05.dat"], bytes) << what << ": a select changed the file";
        for (int step = 0; step < 3; ++step) {
            panel.scanIndex = below(3) == 0 ? below(kBankTableSize + 20) - 10 : nextChannelIndex(panel.bankLines, panel.scanIndex);
            deleteChannel(panel);
            expectSound(panel.bankLines, what + ", channel deleted");
        }
        panel.entryText = "06";
        sortBank(panel);
        expectSound(panel.bankLines, what + ", sorted");
        const Lines targetBefore = channelsOnDisk("bank06.dat");
        panel.entryText = "0506";
        copyBank(panel);
        expectSound(panel.bankLines, what + ", copied");
        const Lines targetAfter = channelsOnDisk("bank06.dat");
        ASSERT_TRUE(targetAfter.size() >= targetBefore.size() &&
                    std::equal(targetBefore.begin(), targetBefore.end(), targetAfter.begin()))
            << what << ": the copy lost a channel of its target";
        panel.workText = std::to_string(below(2000)) + ".5";
        panel.entryText = "05";
        putFrequency(panel);
        expectSound(panel.bankLines, what + ", put");
        fake.serialWrites.clear();
        panel.entryText = "06C";
        writeBankToReceiver(panel);
        for (const std::string& command : fake.serialWrites) {
            // "MXC00 RF" + ten digits + " ST012500 MD1 TMxxxxxxxxxxxx" and its CR.
            ASSERT_EQ(command.size(), 47u) << what << ": " << testing::visibleBytes(command);
            ASSERT_TRUE(std::all_of(command.begin() + 8, command.begin() + 18, [](char c) { return c >= '0' && c <= '9'; }))
                << what << ": " << command;
        }
        for (const char* name : {"bank05.dat", "bank06.dat"}) {
            panel.bankFileName = name;
            readBankFile(panel);
            expectSound(panel.bankLines, what + ", " + name + " read back");
        }
    }
}

TEST_F(BankFuzz, RepliesGiveADigitFrequencyOrNone) {
    for (int n = 0; n < kFiles * 4; ++n) {
        std::string reply = randomBytes(below(40));
        if (below(2) == 0) reply.insert(static_cast<std::size_t>(below(static_cast<int>(reply.size()) + 1)), "RF");
        panel.replyText = reply;
        takeStoppedFrequency(panel);
        if (panel.lastResult == 0) continue;
        ASSERT_EQ(panel.frequencyText.size(), 10u) << testing::visibleBytes(reply);
        ASSERT_TRUE(isFrequencyText(panel.workText)) << testing::visibleBytes(reply);
    }
}

}  // namespace
}  // namespace voxpan
