// The poll cycle against the simulated receiver and, where a reply must be
// exact, against scripted bytes.
#include "shell/poll_cycle.h"

#include <gtest/gtest.h>

#include "keys/entries.h"
#include "keys/key_names.h"
#include "support/live_panel.h"

namespace voxpan {
namespace {

using Lines = std::vector<std::string>;
using testing::LivePanelTest;

class PollCycle : public LivePanelTest {
protected:
    PollCycle() : LivePanelTest(options()) {}
    static receiver_sim::Options options() {
        receiver_sim::Options options;
        options.signals.push_back({145'000'000, 60});
        return options;
    }
};

TEST_F(PollCycle, AnIdlePanelPollsTheLevelEveryThirdTickAndDrawsTheBar) {
    tick(9);
    EXPECT_EQ(commands(), (Lines{"LM", "LM", "LM"})) << "nothing else goes out";
    EXPECT_EQ(words(), Lines{"connected"}) << "the first reply connects, once";
    EXPECT_EQ(panel.receiverConnected, kReceiverConnected);
    EXPECT_EQ(panel.signalLevel, 5) << "a reading of 060 is level 5";
    const auto& bar = fake.texts.back();
    EXPECT_EQ(bar.text, "*****>" + std::string(17, ' '));
    EXPECT_EQ(bar.x, 320);
    EXPECT_EQ(bar.y, 30);
    EXPECT_EQ(bar.colour, kGreen);
    EXPECT_EQ(fake.journal.back(), "colour 0,0,0") << "the bar leaves the colour black";
}

TEST_F(PollCycle, AClosedSquelchDrawsTheEmptyBar) {
    receiver.receive("VA0146000000\r");  // away from the signal
    tick(3);
    EXPECT_EQ(panel.squelchClosed, 1);
    EXPECT_EQ(panel.signalLevel, 0);
    EXPECT_EQ(fake.texts.back().text, ">" + std::string(26, ' '));
}

// A key pressed during the start-up words waits for the first level poll.
TEST_F(PollCycle, AKeyBeforeTheFirstReplyWaitsForIt) {
    press(key('F'));
    tick(6);
    EXPECT_EQ(commands().front(), "LM") << "the level poll goes out before the key";
    EXPECT_EQ(panel.running, 1);
    EXPECT_EQ(words(), (Lines{"connected", "1", "4", "5", "point", "0", "fm.wav"}));
}

class SilentReceiver : public LivePanelTest {
protected:
    SilentReceiver() : LivePanelTest(options()) {}
    static receiver_sim::Options options() {
        receiver_sim::Options options;
        options.fault = receiver_sim::Fault::Silent;
        return options;
    }
};

TEST_F(SilentReceiver, IsGivenUpOnlyAfterTheReplyTickOfAPoll) {
    press(key('F'));
    tick(3);
    EXPECT_EQ(panel.running, 1) << "the reply tick of the first poll has only just passed";
    tick(1);
    EXPECT_EQ(commands(), Lines{"LM"});
    EXPECT_EQ(words(), Lines{"rnc"});
    EXPECT_EQ(panel.running, 0);
    EXPECT_EQ(panel.receiverConnected, kReceiverGivenUp);
}

class StoppedSearch : public testing::PanelTest {
protected:
    StoppedSearch() {
        openPort();
        panel.receiverConnected = kReceiverConnected;
        panel.searchState = kSearchStopped;
        panel.pollState = kPollSendFrequencyQuery;
        panel.bankLines[0] = "Scanbank";
        panel.bankLines[4] = "9999";
    }
    void tick() { runPollStep(panel); }
};

TEST_F(StoppedSearch, TheStoppedFrequencyIsShownAndRecorded) {
    tick();
    EXPECT_EQ(fake.serialWritten, "RX\r");
    fake.serialInput = "VS AB RF0145500000 ST012500 AU0 MD1 AT0\r\n";
    tick();
    EXPECT_EQ(panel.frequencyText, "0145500000");
    EXPECT_EQ(panel.workText, "145.5");
    EXPECT_EQ(fake.textsDrawn()[1], "145.5");
    EXPECT_EQ(panel.pollState, kPollIdle);
}

TEST_F(StoppedSearch, TheReceiversFrequencyEndsTheTypingAndTheNextDigitStartsANewOne) {
    auto type = [&](char digit) {
        panel.currentKey = key(digit);
        enterDigit(panel);
    };
    // Read after "RX", and from a stopped memory scan's report.
    for (const PollStep from : {kPollSendFrequencyQuery, kPollMemoryScanPause}) {
        type('1');
        fake.serialInput = "VS AB RF0145500000 ST012500 AU0 MD1 AT0\r\n";
        panel.replyText = fake.serialInput;
        for (panel.pollState = from; panel.pollState != kPollIdle;) tick();
        type('9');
        EXPECT_EQ(panel.workText, "9") << "from poll step " << from;
    }
}

TEST_F(StoppedSearch, AFrequencyThatNeverComesBackIsAskedForTenTimesOnly) {
    for (int i = 0; i < 40 && panel.pollState != kPollIdle; ++i) {
        if (panel.pollState == kPollReadFrequency) fake.serialInput = "VS AB RF0145 00000\r\n";  // a blank in it
        tick();
    }
    EXPECT_EQ(panel.pollState, kPollIdle) << "back to polling the level, without a hit";
    EXPECT_EQ(fake.serialWrites.size(), 10u) << "ten RX queries";
    EXPECT_TRUE(fake.texts.empty()) << "a broken field never reaches the display";
    EXPECT_EQ(panel.hitCount, 0);
}

TEST_F(StoppedSearch, AMemoryScanReportIsReadAgainWithItsZeros) {
    panel.searchState = kSearchOff;
    panel.pollState = kPollMemoryScanPause;
    panel.replyText = "LC1 MXA05 RF0145500000 ST01250";
    tick();
    tick();
    EXPECT_EQ(panel.workText, "145.50000");
    EXPECT_EQ(panel.frequencyText, "145.50000");
    EXPECT_EQ(panel.pollState, kPollIdle);
}

}  // namespace
}  // namespace voxpan
