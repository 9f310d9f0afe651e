// The scans followed by the squelch, against the simulated receiver.
#include <gtest/gtest.h>

#include "keys/key_names.h"
#include "support/live_panel.h"

namespace voxpan {
namespace {

using Lines = std::vector<std::string>;

class Scans : public testing::StationOn145_5Test {
protected:
    // A bank in memory, selected as the bank keys leave it.
    void selectBank(const Lines& channels) {
        panel.bankLines = {};
        panel.bankLines[0] = "bank05";
        panel.bankLines[1] = "FM";
        panel.bankLines[2] = "12.5";
        int line = 4;
        for (const std::string& channel : channels) {
            panel.bankLines[static_cast<std::size_t>(line++)] = channel;
            panel.bankLines[static_cast<std::size_t>(line++)] = " ";
        }
        panel.bankLines[static_cast<std::size_t>(line)] = "9999";
        panel.bankScanState = kBankSelected;
        panel.scanIndex = 4;
    }
    std::vector<std::string> tuned() const {
        std::vector<std::string> vfo;
        for (const std::string& c : commands())
            if (c.rfind("VA", 0) == 0) vfo.push_back(c);
        return vfo;
    }
};

TEST_F(Scans, TheBankScanTunesAChannelAPollAndStopsOnASignal) {
    selectBank({"144.0", "145.5", "146.0"});
    press(key('R'));
    settle();
    EXPECT_EQ(panel.bankScanState, kBankScanStarted);
    tick(3);
    EXPECT_EQ(tuned(), (Lines{"VA0144.00000", "VA0144.00000"})) << "R tunes the first channel, the scan tunes it again";
    EXPECT_EQ(words(), (Lines{"FM", "scan"}));
    tick(6);
    EXPECT_EQ(panel.bankScanState, kBankScanStopped) << "145.5 carries a signal";
    EXPECT_EQ(panel.workText, "145.5");
    EXPECT_EQ(words().back(), "stop");
    EXPECT_EQ(fake.textsDrawn().back(), "      *** STOPPED ***  ");
}

TEST_F(Scans, ABankScanWrapsRoundItsChannelsAndAnEmptyBankTunesNothing) {
    selectBank({"144.0", "146.0"});
    press(key('R'));
    settle();
    tick(9);
    EXPECT_EQ(tuned(), (Lines{"VA0144.00000", "VA0144.00000", "VA0146.00000", "VA0144.00000"}));
    selectBank({});
    press(key('R'));
    settle();
    forget();
    tick(9);
    EXPECT_TRUE(tuned().empty()) << "never the end marker 9999";
}

TEST_F(Scans, DigitsTypedBeforeAScanTuneStartANewFrequency) {
    selectBank({"144.0", "146.0"});
    press(key('R'));
    settle();
    press(key('1'));
    settle();
    tick(3);  // the scan tunes a channel
    press(key('2'));
    settle();
    EXPECT_EQ(panel.workText, "2");
}

TEST_F(Scans, AMemoryScanThatStopsAndGoesOnWhenTheSignalEnds) {
    receiver.receive("MXA00 RF0144000000 ST012500 MD1 TMxxxxxxxxxxxx\r"
                     "MXA01 RF0433075000 ST012500 MD1 TMxxxxxxxxxxxx\r");
    receiver.addSignal({433'075'000, 200, 2.0});
    forget();
    press({key('G'), key('A'), kKeyEnter});
    settle();
    EXPECT_EQ(commands(), (Lines{"LC1", "MSA"}));
    for (int i = 0; i < 20 && panel.memoryScanState != kMemoryScanStopped; ++i) tick();
    EXPECT_EQ(panel.memoryScanState, kMemoryScanStopped);
    EXPECT_EQ(fake.textsDrawn().back(), "      *** STOPPED ***  ");
    for (int i = 0; i < 40 && panel.memoryScanState != kMemoryScanRunning; ++i) tick();
    EXPECT_EQ(panel.memoryScanState, kMemoryScanRunning);
    EXPECT_EQ(words(), (Lines{"radbank", "A", "stop", "scan"})) << "it stopped before the first poll";
}

TEST_F(Scans, RDuringAMemoryScanEndsItsState) {
    panel.memoryScanState = kMemoryScanRunning;
    selectBank({"144.0"});
    press(key('R'));
    settle();
    EXPECT_EQ(panel.memoryScanState, kMemoryScanOff);
    EXPECT_EQ(panel.bankScanState, kBankScanStarted);
}

}  // namespace
}  // namespace voxpan
