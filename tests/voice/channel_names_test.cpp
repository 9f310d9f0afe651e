// Channel names said by the system voice: browsing, reading out with F,
// and a bank scan stopping on a channel.
#include "banks/channel_names.h"

#include <gtest/gtest.h>

#include "keys/key_names.h"
#include "support/live_panel.h"

namespace voxpan {
namespace {

using Lines = std::vector<std::string>;

BankTable bankOf(const Lines& lines) {
    BankTable table{};
    std::copy(lines.begin(), lines.end(), table.begin());
    return table;
}

class ChannelNames : public testing::StationOn145_5Test {
protected:
    // Bank 05, selected, its channels as frequency and name lines in turn.
    void selectBank(Lines channels, bool systemVoice) {
        channels.insert(channels.begin(), {"bank05", "FM", "12.5", ""});
        channels.push_back("9999");
        panel.bankLines = bankOf(channels);
        panel.bankScanState = kBankSelected;
        panel.scanIndex = panel.tunedChannelIndex = 4;
        panel.workText = channels[4];
        fake.systemVoiceThere = systemVoice;
        if (systemVoice) fake.useSystemVoice(SpeechPace::Normal);
    }
};

TEST(ChannelNameLines, TheLineAfterAFrequencyTrimmedUnlessBlankOrAFrequency) {
    const BankTable table = bankOf({"bank05", "FM", "12.5", " ", "118.1", "  Tower  ", "121.5", " ", "122.8", "123.45",
                                    "123.45", "Ch 16", "9999", "After the end"});
    using Case = std::pair<int, std::string>;  // frequency line, name
    for (const auto& [index, name] : {Case{4, "Tower"}, Case{6, ""}, Case{8, ""}, Case{10, "Ch 16"}, Case{12, ""},
                                      Case{2, ""}, Case{5, ""}, Case{-2, ""}, Case{418, ""}})
        EXPECT_EQ(channelNameAt(table, index), name) << "line " << index;
}

TEST_F(ChannelNames, UpDownAndFSayTheNameWithTheSystemVoiceAndTheWordsStayTheSame) {
    std::vector<Lines> words;
    for (const bool system : {false, true}) {
        selectBank({"118.1", "Tower", "121.5", " ", "145.5", "Repeater GB3"}, system);
        forget();
        fake.journal.clear();
        // Up onto the unnamed channel, onto a named one, round to the first; F
        // there; then a typed frequency, which is no channel of the bank.
        press({kKeyUp, kKeyUp, kKeyUp, key('F'), key('1'), key('4'), key('6'), kKeyEnter, key('F')});
        settle();
        words.push_back(this->words());
        EXPECT_EQ(fake.said, (system ? Lines{"Repeater GB3", "Tower", "Tower"} : Lines{})) << "system voice " << system;
        if (system) {
            const auto f = std::find(fake.journal.begin(), fake.journal.end(), "play wave/fm.wav");
            ASSERT_NE(f, fake.journal.end());
            EXPECT_EQ(*(f + 1), "say Tower") << "the name comes after the frequency and the mode";
        }
    }
    EXPECT_EQ(words[0], words[1]) << "the recorded words are the same with either voice";
    EXPECT_EQ(words[0].front(), "beep") << "the first channel, reached round the bank";
}

TEST_F(ChannelNames, ABankScanStoppingOnANamedChannelSaysItAfterStop) {
    selectBank({"144.0", "Calling", "145.5", "Repeater GB3", "146.0", " "}, true);
    press(key('R'));
    settle();
    forget();
    fake.journal.clear();
    tick(9);
    ASSERT_EQ(panel.bankScanState, kBankScanStopped) << "145.5 carries a signal";
    Lines spoken;
    for (const std::string& line : fake.journal)
        if (line == "play wave/stop" || line.starts_with("say ")) spoken.push_back(line);
    EXPECT_EQ(spoken, (Lines{"play wave/stop", "say Repeater GB3"})) << "the channel it stopped on, not the next";
}

}  // namespace
}  // namespace voxpan
