// Memory channels written with "MX", and the memory scan of "LC1" + "MS".
#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace receiver_sim {
namespace {

using testing::ask;
using testing::withSignal;

TEST(MemoryWrite, StoresTheChannelAsTheTransferWritesIt) {
    Receiver receiver;
    EXPECT_EQ(ask(receiver, "MXC01 RF0433075000 ST012500 MD1 TMxxxxxxxxxxxx"), "\r\n");
    std::optional<MemoryChannel> channel = receiver.memoryChannel('C', 1);
    ASSERT_TRUE(channel) << "channel C01 was not stored";
    EXPECT_EQ(channel->hz, 433'075'000);
    EXPECT_EQ(channel->stepHz, 12'500);
    EXPECT_EQ(channel->modeDigit, 1);
    EXPECT_EQ(channel->text, "xxxxxxxxxxxx");
}

TEST(MemoryWrite, ReadsHamlibsFieldsAndATextWithBlanks) {
    Receiver receiver;
    ask(receiver, "MXa07 RF0145500000 AU0 ST025000 MD2 AT1 TMtower  east");
    std::optional<MemoryChannel> channel = receiver.memoryChannel('a', 7);
    ASSERT_TRUE(channel);
    EXPECT_EQ(channel->stepHz, 25'000);
    EXPECT_EQ(channel->modeDigit, 2);
    EXPECT_TRUE(channel->attenuator);
    EXPECT_FALSE(channel->autoMode);
    EXPECT_EQ(channel->text, "tower  east");
}

TEST(MemoryWrite, RefusesAWriteItCannotStore) {
    Receiver receiver;
    EXPECT_EQ(ask(receiver, "MXK00 RF0145500000"), "?\r\n") << "no bank K";
    EXPECT_EQ(ask(receiver, "MXA0 RF0145500000"), "?\r\n") << "one-digit channel";
    EXPECT_EQ(ask(receiver, "MXA00 ST012500 MD1"), "?\r\n") << "no frequency";
    EXPECT_EQ(ask(receiver, "MXA00 RF01455000x0"), "?\r\n") << "bad frequency";
    EXPECT_FALSE(receiver.memoryChannel('A', 0));
}

TEST(MemoryWrite, AWriteReplacesTheChannel) {
    Receiver receiver;
    ask(receiver, "MXB03 RF0145500000 ST012500 MD1 TMxxxxxxxxxxxx");
    ask(receiver, "MXB03 RF0146500000 ST012500 MD2 TMxxxxxxxxxxxx");
    EXPECT_EQ(receiver.memoryChannel('B', 3)->hz, 146'500'000);
}

class MemoryScan : public ::testing::Test {
protected:
    void storeBankA(Receiver& receiver) {
        ask(receiver, "MXA00 RF0145100000 ST012500 MD1 TMxxxxxxxxxxxx");
        ask(receiver, "MXA01 RF0145500000 ST012500 MD1 TMxxxxxxxxxxxx");
        ask(receiver, "MXA02 RF0433075000 ST012500 MD2 TMxxxxxxxxxxxx");
        ask(receiver, "MXB00 RF0118100000 ST025000 MD2 TMxxxxxxxxxxxx");
    }
};

TEST_F(MemoryScan, RunsOverTheBanksChannelsOnePer50Ms) {
    Receiver receiver;
    storeBankA(receiver);
    ask(receiver, "LC1");
    EXPECT_EQ(ask(receiver, "MSA"), "\r\n");
    EXPECT_TRUE(receiver.memoryScanning());
    EXPECT_EQ(receiver.tunedHz(), 145'100'000);
    receiver.advance(0.05);
    EXPECT_EQ(receiver.tunedHz(), 145'500'000);
    receiver.advance(0.05);
    EXPECT_EQ(receiver.tunedHz(), 433'075'000);
    receiver.advance(0.05);
    EXPECT_EQ(receiver.tunedHz(), 145'100'000) << "back to the first channel, bank B left out";
}

TEST_F(MemoryScan, StopsOnASignalAndSendsItsReportByItself) {
    Receiver receiver(withSignal(145'500'000, 170));
    storeBankA(receiver);
    ask(receiver, "LC1");
    ask(receiver, "MSA");
    receiver.advance(0.05);
    EXPECT_TRUE(receiver.memoryScanStopped());
    std::string report = receiver.takeOutput();
    EXPECT_EQ(report, "LC1 MXA01 RF0145500000 ST012500 AU0 MD1 AT0 TMxxxxxxxxxxxx\r\n");
    std::size_t rf = report.find("RF");
    EXPECT_LT(rf + 12, 30u) << "RF and its ten digits must lie within 30 characters from LC";
    EXPECT_EQ(ask(receiver, "LM"), "LM 170\r\n");
    receiver.advance(2);
    EXPECT_EQ(receiver.takeOutput(), "") << "one report per stop";
    EXPECT_EQ(receiver.tunedHz(), 145'500'000);
}

TEST_F(MemoryScan, WithoutLc1TheStopIsNotReported) {
    Receiver receiver(withSignal(145'500'000, 170));
    storeBankA(receiver);
    ask(receiver, "MSA");
    receiver.advance(0.05);
    EXPECT_TRUE(receiver.memoryScanStopped());
    EXPECT_EQ(receiver.takeOutput(), "");
}

TEST_F(MemoryScan, ControlByteLetsItGoOnAndTheNextStopIsReportedAgain) {
    Receiver receiver(withSignal(145'500'000, 170));
    storeBankA(receiver);
    ask(receiver, "LC1");
    ask(receiver, "MSA");
    receiver.advance(0.05);
    receiver.takeOutput();
    receiver.receive("\x1e");
    EXPECT_EQ(receiver.takeOutput(), "\r\n");
    receiver.advance(0.05);
    EXPECT_EQ(receiver.tunedHz(), 433'075'000);
    receiver.advance(0.1);
    EXPECT_TRUE(receiver.memoryScanStopped()) << "round again to the signal";
    EXPECT_NE(receiver.takeOutput().find("LC1 MXA01"), std::string::npos);
}

TEST_F(MemoryScan, GoesOnWhenTheSignalEnds) {
    Options options;
    options.signals.push_back(Signal{145'500'000, 170, 1.0});
    Receiver receiver(options);
    storeBankA(receiver);
    ask(receiver, "MSA");
    receiver.advance(0.5);
    EXPECT_TRUE(receiver.memoryScanStopped());
    receiver.advance(0.55);
    EXPECT_FALSE(receiver.memoryScanStopped());
    EXPECT_TRUE(receiver.memoryScanning());
}

TEST_F(MemoryScan, StartsStoppedWhenTheFirstChannelHasASignal) {
    Receiver receiver(withSignal(118'100'000, 120));
    storeBankA(receiver);
    ask(receiver, "LC1");
    EXPECT_EQ(ask(receiver, "MSB"), "\r\nLC1 MXB00 RF0118100000 ST025000 AU0 MD2 AT0 TMxxxxxxxxxxxx\r\n");
}

TEST_F(MemoryScan, MsAloneScansEveryBank) {
    Receiver receiver;
    storeBankA(receiver);
    ask(receiver, "MS");
    receiver.advance(0.15);
    EXPECT_EQ(receiver.tunedHz(), 118'100'000) << "bank B follows bank A";
}

TEST_F(MemoryScan, AnEmptyBankIsRefused) {
    Receiver receiver;
    storeBankA(receiver);
    EXPECT_EQ(ask(receiver, "MSD"), "?\r\n");
    EXPECT_FALSE(receiver.memoryScanning());
    EXPECT_EQ(ask(receiver, "MSZ"), "?\r\n");
}

TEST_F(MemoryScan, TuningReplyNamesTheChannel) {
    Receiver receiver;
    storeBankA(receiver);
    ask(receiver, "MSA");
    EXPECT_EQ(ask(receiver, "RX"), "MR A00 RF0145100000 ST012500 AU0 MD1 AT0\r\n");
}

TEST_F(MemoryScan, TuningAVfoEndsTheScan) {
    Receiver receiver;
    storeBankA(receiver);
    ask(receiver, "MSA");
    ask(receiver, "VA0145000000");
    EXPECT_FALSE(receiver.memoryScanning());
}

}  // namespace
}  // namespace receiver_sim
