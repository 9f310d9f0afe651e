// The commands that set the receiver up: VFOs, step, modes, switches.
#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace receiver_sim {
namespace {

using testing::ask;

TEST(ReceiverControls, StartsAt145MhzFmWithTheSwitchesOff) {
    Receiver receiver;
    EXPECT_EQ(receiver.vfoAHz(), 145'000'000);
    EXPECT_EQ(receiver.activeVfo(), 'A');
    EXPECT_EQ(receiver.stepHz(), 12'500);
    EXPECT_EQ(receiver.modeDigit(), 1);
    EXPECT_FALSE(receiver.attenuator());
    EXPECT_FALSE(receiver.noiseLimiter());
}

TEST(ReceiverControls, VfoATakesBothFrequencyFields) {
    Receiver receiver;
    EXPECT_EQ(ask(receiver, "VA0433000000"), "\r\n") << "a setting is acknowledged with CR LF";
    EXPECT_EQ(receiver.vfoAHz(), 433'000'000);
    ask(receiver, "VA0145.01250");
    EXPECT_EQ(receiver.vfoAHz(), 145'012'500);
    ask(receiver, "VA0007.05000");
    EXPECT_EQ(receiver.vfoAHz(), 7'050'000);
    EXPECT_EQ(receiver.tunedHz(), 7'050'000);
}

TEST(ReceiverControls, VfoBTakesBothFrequencyFieldsAndBecomesTheTunedVfo) {
    Receiver receiver;
    ask(receiver, "VB0146000000");
    EXPECT_EQ(receiver.vfoBHz(), 146'000'000);
    ask(receiver, "VB0146.52500");
    EXPECT_EQ(receiver.vfoBHz(), 146'525'000);
    EXPECT_EQ(receiver.activeVfo(), 'B');
    EXPECT_EQ(receiver.tunedHz(), 146'525'000);
    EXPECT_EQ(receiver.vfoAHz(), 145'000'000) << "VFO A keeps its frequency";
    ask(receiver, "VA");
    EXPECT_EQ(receiver.activeVfo(), 'A') << "\"VA\" alone selects VFO A";
}

TEST(ReceiverControls, RefusesABadFrequencyAndKeepsTheOldOne) {
    Receiver receiver;
    EXPECT_EQ(ask(receiver, "VA0145.0x250"), "?\r\n");
    EXPECT_EQ(ask(receiver, "VA0000000000"), "?\r\n");
    EXPECT_EQ(receiver.vfoAHz(), 145'000'000);
}

TEST(ReceiverControls, RfSetsTheTunedVfoInHertz) {
    Receiver receiver;
    ask(receiver, "RF0145500000");
    EXPECT_EQ(receiver.vfoAHz(), 145'500'000);
    ask(receiver, "VB");
    ask(receiver, "RF0430000000");
    EXPECT_EQ(receiver.vfoBHz(), 430'000'000);
    EXPECT_EQ(receiver.vfoAHz(), 145'500'000);
}

TEST(ReceiverControls, StepTakesKilohertzWithPointAndHertzWithout) {
    Receiver receiver;
    ask(receiver, "ST005000");
    EXPECT_EQ(receiver.stepHz(), 5'000);
    ask(receiver, "ST012.50");
    EXPECT_EQ(receiver.stepHz(), 12'500);
    ask(receiver, "ST006.25");
    EXPECT_EQ(receiver.stepHz(), 6'250);
    EXPECT_EQ(ask(receiver, "ST"), "ST006250\r\n") << "bare ST reports the step in hertz";
    EXPECT_EQ(ask(receiver, "ST000000"), "?\r\n");
    EXPECT_EQ(receiver.stepHz(), 6'250);
}

TEST(ReceiverControls, ModeDigitsSetTheModeAndEndAutomaticMode) {
    Receiver receiver;
    for (int digit = 0; digit <= 5; ++digit) {
        ask(receiver, "MD" + std::to_string(digit));
        EXPECT_EQ(receiver.modeDigit(), digit) << "after MD" << digit;
    }
    ask(receiver, "AU1");
    EXPECT_TRUE(receiver.autoMode());
    EXPECT_EQ(receiver.modeDigit(), -1) << "automatic mode has no fixed mode";
    ask(receiver, "MD2");
    EXPECT_FALSE(receiver.autoMode());
    EXPECT_EQ(receiver.modeDigit(), 2);
}

TEST(ReceiverControls, ModeQueryNamesTheModeInUse) {
    Receiver receiver;
    ask(receiver, "MD3");
    EXPECT_EQ(ask(receiver, "MD"), "MD3\r\n");
    ask(receiver, "VA0118.10000");
    ask(receiver, "AU1");
    EXPECT_EQ(ask(receiver, "MD"), "MD2\r\n") << "automatic mode picks AM on the air band";
    ask(receiver, "VA0098.50000");
    EXPECT_EQ(ask(receiver, "MD"), "MD0\r\n") << "automatic mode picks wide FM on broadcast";
}

TEST(ReceiverControls, RefusesModesItDoesNotHave) {
    Receiver receiver;
    EXPECT_EQ(ask(receiver, "MD9"), "?\r\n");
    EXPECT_EQ(ask(receiver, "MD12"), "?\r\n");
    EXPECT_EQ(receiver.modeDigit(), 1);
}

TEST(ReceiverControls, AttenuatorAndNoiseLimiterSwitch) {
    Receiver receiver;
    ask(receiver, "AT1");
    EXPECT_TRUE(receiver.attenuator());
    EXPECT_EQ(ask(receiver, "AT"), "AT 1\r\n");
    ask(receiver, "AT0");
    EXPECT_FALSE(receiver.attenuator());
    ask(receiver, "NL1");
    EXPECT_TRUE(receiver.noiseLimiter());
    EXPECT_EQ(ask(receiver, "NL"), "NL1\r\n");
    ask(receiver, "NL0");
    EXPECT_FALSE(receiver.noiseLimiter());
    EXPECT_EQ(ask(receiver, "AT2"), "?\r\n");
    EXPECT_FALSE(receiver.attenuator());
}

TEST(ReceiverControls, UnknownCommandsAreRefused) {
    Receiver receiver;
    EXPECT_EQ(ask(receiver, "ZZ"), "?\r\n");
    EXPECT_EQ(ask(receiver, "lm"), "?\r\n") << "commands are upper case";
    EXPECT_EQ(ask(receiver, "\xff\x01LM"), "?\r\n");
    EXPECT_EQ(ask(receiver, std::string(400, 'L')), "?\r\n") << "overlong line";
}

TEST(ReceiverControls, MqIsAcknowledgedAndChangesNothing) {
    Receiver receiver;
    EXPECT_EQ(ask(receiver, "MQB%%"), "\r\n");
    EXPECT_EQ(ask(receiver, "MQA%%"), "\r\n");
    EXPECT_EQ(receiver.vfoAHz(), 145'000'000);
    EXPECT_FALSE(receiver.memoryScanning());
}

TEST(ReceiverControls, RecordsEveryCommandAsReceived) {
    Receiver receiver;
    receiver.receive("VA0145000000\rMD1\r\x1e" "LM\r\n");
    EXPECT_EQ(receiver.commandsReceived(),
              (std::vector<std::string>{"VA0145000000", "MD1", "\x1e", "LM"}));
}

}  // namespace
}  // namespace receiver_sim
