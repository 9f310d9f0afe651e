#include "radio/serial_link.h"

#include <gtest/gtest.h>

#include <random>

#include "support/panel_fixture.h"

namespace voxpan {
namespace {

using Lines = std::vector<std::string>;

class SerialLink : public testing::PanelTest {
protected:
    SerialLink() {
        openPort();
        fake.files["debug1.dat"];
        panel.debugEnabled = 1;
        panel.debugFile = fake.openForWriting("debug1.dat");
        panel.statusText = "Connecting";
        panel.receiverConnected = -1;
    }
};

TEST_F(SerialLink, ACommandGoesOutWithItsCarriageReturnInOneWrite) {
    panel.commandText = "AT1";
    sendCommand(panel);
    EXPECT_EQ(fake.serialWrites, Lines{std::string("\x41\x54\x31\x0d")});
    EXPECT_EQ(logLines(), Lines{"TX= AT1"});
}

TEST_F(SerialLink, TheLogLineIsWrittenBeforeTheBytesGoOut) {
    panel.commandText = "LM";
    sendCommand(panel);
    const Lines tail(fake.journal.end() - 2, fake.journal.end());
    EXPECT_EQ(tail, (Lines{"file-line TX= LM", "serial-write LM\\r"}));
}

TEST_F(SerialLink, AnEmptyCommandSendsAndLogsNothing) {
    panel.commandText = "";
    sendCommand(panel);
    EXPECT_TRUE(fake.serialWrites.empty());
    EXPECT_TRUE(logLines().empty());
}

TEST_F(SerialLink, CommandsAreLoggedEvenWhenThePortIsNotOpen) {
    fake.serialClose();
    panel.commandText = "MD1";
    sendCommand(panel);
    EXPECT_EQ(fake.serialWritten, "");
    EXPECT_EQ(logLines(), Lines{"TX= MD1"});
}

TEST_F(SerialLink, NothingIsLoggedWithTheLogSwitchedOff) {
    panel.debugEnabled = 2;
    panel.commandText = "MD1";
    sendCommand(panel);
    fake.serialInput = "LM123\r";
    readReply(panel);
    EXPECT_TRUE(logLines().empty());
    EXPECT_EQ(fake.serialWritten, "MD1\r");
}

TEST_F(SerialLink, TheControlByteGoesAloneAndUnlogged) {
    sendControlByte(panel);
    EXPECT_EQ(fake.serialWrites, Lines{"\x1e"});
    EXPECT_TRUE(logLines().empty());
}

TEST_F(SerialLink, NothingWaitingLeavesTheReplyEmptyAndReadsNothing) {
    panel.replyText = "old";
    readReply(panel);
    EXPECT_EQ(panel.replyText, "");
    EXPECT_TRUE(fake.journalOf("serial-read").empty()) << "no read without bytes waiting";
    EXPECT_TRUE(logLines().empty());
}

TEST_F(SerialLink, AReplyIsCutToItsKeywordLoggedAndConnects) {
    fake.serialInput = "xyLM123\r";
    readReply(panel);
    EXPECT_EQ(panel.replyText, "LM123\r");
    EXPECT_EQ(logLines(), Lines{"RX= LM123"});
    EXPECT_EQ(panel.receiverConnected, 1);
    EXPECT_EQ(panel.statusText, ">");
    EXPECT_EQ(fake.plays, Lines{"wave/connected"});
}

TEST_F(SerialLink, ConnectedIsSpokenOnceOnly) {
    for (int i = 0; i < 3; ++i) {
        fake.serialInput = "LM%000\r";
        readReply(panel);
    }
    EXPECT_EQ(fake.plays, Lines{"wave/connected"});
    EXPECT_EQ(logLines(), (Lines{"RX= LM%00", "RX= LM%00", "RX= LM%00"}));
}

TEST_F(SerialLink, TheLogAlwaysDropsTheLastKeptCharacter) {
    fake.serialInput = "LM1";
    readReply(panel);
    EXPECT_EQ(panel.replyText, "LM1");
    EXPECT_EQ(logLines(), Lines{"RX= LM"});
}

TEST_F(SerialLink, UnrecognisedRepliesAreDroppedWithoutLogOrConnection) {
    fake.serialInput = "garbage\r\n";
    readReply(panel);
    EXPECT_EQ(panel.replyText, "");
    EXPECT_EQ(fake.serialInput, "") << "the bytes are taken from the line all the same";
    EXPECT_TRUE(logLines().empty());
    EXPECT_EQ(panel.statusText, "Connecting");
    EXPECT_EQ(panel.receiverConnected, -1);
    EXPECT_TRUE(fake.plays.empty());
}

TEST_F(SerialLink, AtMost255BytesAreTakenPerRead) {
    fake.serialInput.assign(300, 'x');
    fake.serialInput += "LM123\r";
    readReply(panel);
    EXPECT_EQ(panel.replyText, "");
    EXPECT_EQ(fake.serialInput.size(), 51u);
    readReply(panel);
    EXPECT_EQ(panel.replyText, "LM123\r") << "the rest is taken by the next read";
}

TEST_F(SerialLink, AReplySplitAcrossReadsIsHandledPieceByPiece) {
    fake.serialInput = "L";
    readReply(panel);
    EXPECT_EQ(panel.replyText, "") << "a keyword cut in two is lost";
    fake.serialInput = "M123\rVS RF01";
    readReply(panel);
    EXPECT_EQ(panel.replyText, "VS RF01");
    fake.serialInput = "45500000\r";
    readReply(panel);
    EXPECT_EQ(panel.replyText, "");
}

TEST_F(SerialLink, AClosedPortFindsNothingWaiting) {
    fake.serialClose();
    fake.serialInput = "LM123\r";
    readReply(panel);
    EXPECT_EQ(panel.replyText, "");
    EXPECT_EQ(bytesWaiting(panel), 0);
}

TEST_F(SerialLink, OpeningTheReceiverPortAppliesTheLineFormatAfterOpening) {
    fake.journal.clear();
    panel.portText = "/dev/ttyUSB1";
    panel.baudRate = 19200;
    panel.dataBits = 8;
    panel.parity = 0;
    panel.stopBits = 2;
    openReceiverPort(panel);
    EXPECT_EQ(fake.journal, (Lines{"serial-close", "serial-open /dev/ttyUSB1 19200", "serial-nonblocking",
                                   "serial-format 8 0 2"}));
}

// Random bytes arriving in random pieces: every read takes at most 255 bytes,
// keeps at most a 30-character window, logs one line per kept reply and
// connects once.
TEST_F(SerialLink, RandomReceptionsNeverOverreadOrLoseTheLog) {
    std::mt19937 random(3141);
    int kept = 0;
    for (int round = 0; round < 100000; ++round) {
        const int size = std::uniform_int_distribution<int>(0, 400)(random);
        std::string bytes;
        for (int i = 0; i < size; ++i)
            bytes += random() % 3 ? static_cast<char>(random() % 256) : "LMVSCW%\r0"[random() % 10];
        fake.serialInput += bytes;
        const std::size_t before = fake.serialInput.size();
        readReply(panel);
        ASSERT_LE(before - fake.serialInput.size(), 255u) << "round " << round;
        ASSERT_LE(panel.replyText.size(), 30u) << "round " << round;
        if (!panel.replyText.empty()) ++kept;
    }
    fake.serialInput.clear();
    EXPECT_GT(kept, 1000) << "the generator should hit keywords often";
    EXPECT_EQ(fake.plays, Lines{"wave/connected"});
    const auto& log = fake.files["debug1.dat"];
    std::size_t rxLines = 0;
    for (std::size_t at = log.find("RX= "); at != std::string::npos; at = log.find("RX= ", at + 1)) ++rxLines;
    EXPECT_GE(rxLines, static_cast<std::size_t>(kept)) << "every kept reply is logged";
}

}  // namespace
}  // namespace voxpan
