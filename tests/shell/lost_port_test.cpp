// A port that goes away and comes back under its name.
#include "shell/lost_port.h"

#include <gtest/gtest.h>

#include "keys/key_names.h"
#include "support/live_panel.h"

namespace voxpan {
namespace {

using Lines = std::vector<std::string>;
using LostPort = testing::LivePanelTest;

// Lost before the receiver's first answer, when a key would otherwise end the panel.
TEST_F(LostPort, IsToldAloudKeysGoOnAndTheReturnRunsTheStartUpAgain) {
    fake.pullSerialDevice();
    auto run = [&](int ticks) { for (int i = 0; i < ticks; ++i) fake.advanceClock(100), tick(); };
    run(30);
    press({kKeyF1 + 1, key('A'), key('1'), key('4'), key('6')});
    settle();
    EXPECT_EQ(panel.running, 1) << "the panel goes on without its receiver";
    EXPECT_EQ(words(), (Lines{"rnc", "AM", "rnc", "atton", "1", "4", "6"}))
        << "rnc when the loss is found, again at the first key that sends a command, and only then";
    EXPECT_EQ(fake.journalOf("serial-write").size(), 2u) << "only the keys' commands: nothing is polled";
    EXPECT_EQ(fake.journalOf("serial-quiet-open"), Lines(2, "serial-quiet-open /dev/ttyUSB0 9600"))
        << "the device is tried once a second";
    EXPECT_EQ(fake.problems, Lines{}) << "quietly";
    forget();
    fake.serialOpens = true;
    run(12);
    EXPECT_EQ(fake.journalOf("serial-format"), Lines{"serial-format 8 0 2"});
    const Lines sent = commands();
    EXPECT_EQ(Lines(sent.begin(), sent.begin() + std::min<std::size_t>(4, sent.size())),
              (Lines{"VA0145000000", "MD1", "AT0", "LM"}))
        << "the start-up commands, whatever the keys set while the port was gone";
    EXPECT_EQ(panel.modeText, "FM");
    EXPECT_EQ(panel.attenuatorOn, 0);
    press(kKeyF1 + 1);
    settle();
    EXPECT_EQ(words(), (Lines{"1", "4", "5", "FM", "attoff", "connected", "AM"}))
        << "the start-up words, connected at the first answer; no rnc once back";
}

}  // namespace
}  // namespace voxpan
