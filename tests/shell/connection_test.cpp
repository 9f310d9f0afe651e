#include "shell/connection.h"

#include <gtest/gtest.h>

#include "radio/serial_link.h"
#include "receiver_sim/receiver.h"
#include "support/panel_fixture.h"

namespace voxpan {
namespace {

using Lines = std::vector<std::string>;

class Connection : public testing::PanelTest {
protected:
    Connection() {
        panel.portText = "/dev/ttyUSB0";
        panel.baudText = "9600";
    }
};

TEST_F(Connection, BringsTheReceiverTo145MegahertzFmAttenuatorOff) {
    connectReceiver(panel);
    EXPECT_EQ(fake.serialWritten, "VA0145000000\rMD1\rAT0\r");
    EXPECT_EQ(fake.plays, (Lines{"wave/1", "wave/4", "wave/5", "wave/FM", "wave/attoff"}));
    EXPECT_EQ(panel.workText, "145.0");
    EXPECT_EQ(panel.frequencyText, "145");
    EXPECT_EQ(panel.modeText, "FM");
    EXPECT_EQ(panel.attenuatorOn, 0);
    EXPECT_EQ(panel.noiseLimiterOn, 0);
    EXPECT_EQ(fake.journalOf("serial-open"), Lines{"serial-open /dev/ttyUSB0 9600"});
    EXPECT_EQ(fake.journalOf("serial-format"), Lines{"serial-format 8 0 2"});
}

TEST_F(Connection, ResetsThePanelVariables) {
    panel.keyCount = 6;
    panel.entryMode = 5;
    panel.searchState = 2;
    panel.searchStopMode = 1;
    panel.memoryScanState = 3;
    panel.bankScanState = 4;
    panel.scanVoice = 0;
    panel.pollState = 4;
    panel.noiseLimiterOn = 1;
    connectReceiver(panel);
    EXPECT_EQ(panel.keyCount, 0) << "pending keys are dropped";
    EXPECT_EQ(panel.entryMode, 0);
    EXPECT_EQ(panel.searchState, 0);
    EXPECT_EQ(panel.searchStopMode, 0);
    EXPECT_EQ(panel.memoryScanState, 0);
    EXPECT_EQ(panel.bankScanState, 0);
    EXPECT_EQ(panel.scanVoice, 1);
    EXPECT_EQ(panel.pollState, 0);
    EXPECT_EQ(panel.noiseLimiterOn, 0);
    EXPECT_EQ(panel.receiverConnected, -1);
    EXPECT_EQ(panel.statusText, "Connecting");
    EXPECT_EQ(panel.barText, "******************");
    EXPECT_EQ(panel.searchLowText, "145");
    EXPECT_EQ(panel.searchHighText, "146");
    EXPECT_EQ(panel.searchStepText, "12.5");
    EXPECT_EQ(panel.startNewFrequency, 1);
    EXPECT_EQ(panel.startNewLimit, 0) << "no limit entry is open";
    EXPECT_EQ(panel.baudRate, 9600);
    EXPECT_EQ(panel.dataBits, 8);
    EXPECT_EQ(panel.parity, 0);
    EXPECT_EQ(panel.stopBits, 2);
}

TEST_F(Connection, DrawsTheSearchLineTheFrequencyAndTheMode) {
    connectReceiver(panel);
    ASSERT_EQ(fake.texts.size(), 8u);
    EXPECT_EQ(fake.textsDrawn(), (Lines{"145" + std::string(10, ' '), "12.5" + std::string(9, ' '), "CONT",
                                        "146" + std::string(8, ' '), std::string(20, ' '), "145.0",
                                        "0000" + std::string(16, ' '), "FM      "}));
    const testing::DrawnText& mode = fake.texts.back();
    EXPECT_EQ(mode.x, 370);
    EXPECT_EQ(mode.y, 80);
    EXPECT_EQ(mode.face, "Ariel");
    EXPECT_EQ(mode.points, 50);
    EXPECT_EQ(mode.colour, kBlack);
    EXPECT_EQ(fake.texts[5].colour, kBlue);
    EXPECT_EQ(fake.texts[5].x, 300);
    EXPECT_EQ(fake.texts[5].y, 150);
}

TEST_F(Connection, TheSearchLineIsDrawnBeforeThePortOpens) {
    connectReceiver(panel);
    const auto firstText = std::find(fake.journal.begin(), fake.journal.end(), "text 145" + std::string(10, ' '));
    const auto open = std::find(fake.journal.begin(), fake.journal.end(), "serial-open /dev/ttyUSB0 9600");
    EXPECT_LT(firstText, open);
    EXPECT_EQ(fake.journal[0], "move 0 0");
    EXPECT_EQ(fake.journal[1], "font Ariel 50 700");
}

TEST_F(Connection, ComPortIsTheLastDigitOfThePortText) {
    panel.portText = "12";
    connectReceiver(panel);
    EXPECT_EQ(panel.comPort, 2);
    EXPECT_EQ(fake.journalOf("serial-open"), Lines{"serial-open /dev/ttyS1 9600"});
}

TEST_F(Connection, APortThatDoesNotOpenChangesNothingTheOperatorNotices) {
    fake.serialOpens = false;
    connectReceiver(panel);
    EXPECT_EQ(fake.serialWritten, "");
    EXPECT_EQ(fake.plays, (Lines{"wave/1", "wave/4", "wave/5", "wave/FM", "wave/attoff"}));
    EXPECT_EQ(panel.statusText, "Connecting");
}

TEST_F(Connection, TheLogHoldsTheThreeStartUpCommands) {
    panel.debugEnabled = 1;
    panel.debugFile = fake.openForWriting("debug1.dat");
    connectReceiver(panel);
    EXPECT_EQ(logLines(), (Lines{"TX= VA0145000000", "TX= MD1", "TX= AT0"}));
}

// The panel against the simulated receiver: what it sends must put the
// receiver where the panel believes it is, and the receiver's level reply
// completes the connection.
TEST_F(Connection, TheSimulatedReceiverEndsUpWhereThePanelBelievesItIs) {
    receiver_sim::Receiver receiver;
    fake.onSerialWrite = [&](std::string_view bytes) { receiver.receive(bytes); };
    panel.attenuatorOn = 1;
    connectReceiver(panel);
    EXPECT_EQ(receiver.vfoAHz(), 145000000);
    EXPECT_EQ(receiver.modeDigit(), 1) << "FM";
    EXPECT_FALSE(receiver.attenuator());

    panel.commandText = "LM";
    sendCommand(panel);
    receiver.advance(0.1);
    fake.serialInput += receiver.takeOutput();
    readReply(panel);
    EXPECT_EQ(panel.replyText.str().substr(0, 2), "LM");
    EXPECT_EQ(panel.statusText, ">");
    EXPECT_EQ(panel.receiverConnected, 1);
    EXPECT_EQ(fake.plays.back(), "wave/connected");
}

}  // namespace
}  // namespace voxpan
