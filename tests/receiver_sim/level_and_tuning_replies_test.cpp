// What "LM" and "RX" answer, field by field.
#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace receiver_sim {
namespace {

using testing::ask;
using testing::withSignal;

TEST(LevelReply, SquelchClosedWithoutSignal) {
    Receiver receiver;
    EXPECT_EQ(ask(receiver, "LM"), "LM%000\r\n");
}

TEST(LevelReply, SquelchOpenWithTheSignalsLevelInThreeDigits) {
    Receiver receiver(withSignal(145'500'000, 123));
    ask(receiver, "VA0145.50000");
    std::string reply = ask(receiver, "LM");
    EXPECT_EQ(reply, "LM 123\r\n");
    EXPECT_NE(reply[2], '%') << "third character tells an open squelch";
    EXPECT_EQ(reply.substr(3, 3), "123") << "characters 4 to 6 hold the level";
}

TEST(LevelReply, ALowLevelIsZeroPadded) {
    Receiver receiver(withSignal(145'000'000, 7));
    EXPECT_EQ(ask(receiver, "LM"), "LM 007\r\n");
}

TEST(LevelReply, ASignalIsHeardWithinHalfAStepOrFiveKilohertz) {
    Receiver receiver(withSignal(145'500'000, 200));
    ask(receiver, "VA0145.50625");
    EXPECT_EQ(ask(receiver, "LM"), "LM 200\r\n") << "half of the 12.5 kHz step off is still heard";
    ask(receiver, "VA0145.50650");
    EXPECT_EQ(ask(receiver, "LM"), "LM%000\r\n") << "6.5 kHz off with a 12.5 kHz step is not";
    ask(receiver, "ST001000");
    ask(receiver, "VA0145.49500");
    EXPECT_EQ(ask(receiver, "LM"), "LM 200\r\n") << "5 kHz off with a small step is heard";
    ask(receiver, "VA0145.49400");
    EXPECT_EQ(ask(receiver, "LM"), "LM%000\r\n") << "6 kHz off with a small step is not";
    ask(receiver, "ST025000");
    EXPECT_EQ(ask(receiver, "LM"), "LM 200\r\n") << "within half of a 25 kHz step";
}

TEST(LevelReply, TheStrongestOfSeveralSignalsIsRead) {
    Options options = withSignal(145'500'000, 80);
    options.signals.push_back(Signal{145'502'000, 150, -1});
    Receiver receiver(options);
    ask(receiver, "VA0145.50000");
    EXPECT_EQ(ask(receiver, "LM"), "LM 150\r\n");
}

TEST(LevelReply, TheAttenuatorLowersTheReading) {
    Receiver receiver(withSignal(145'000'000, 200));
    ask(receiver, "AT1");
    EXPECT_EQ(ask(receiver, "LM"), "LM 140\r\n");
}

TEST(LevelReply, ASignalEndsAfterItsSeconds) {
    Options options;
    options.signals.push_back(Signal{145'000'000, 90, 2.0});
    Receiver receiver(options);
    receiver.advance(1.9);
    EXPECT_EQ(ask(receiver, "LM"), "LM 090\r\n");
    receiver.advance(0.2);
    EXPECT_EQ(ask(receiver, "LM"), "LM%000\r\n") << "the signal has ended";
}

TEST(LevelReply, AnAddedSignalCountsItsSecondsFromNow) {
    Receiver receiver;
    receiver.advance(10);
    receiver.addSignal(Signal{145'000'000, 60, 1.0});
    EXPECT_EQ(ask(receiver, "LM"), "LM 060\r\n");
    receiver.advance(1.5);
    EXPECT_EQ(ask(receiver, "LM"), "LM%000\r\n");
}

TEST(TuningReply, NamesTheVfoAndCarriesTenDigitsOfHertz) {
    Receiver receiver;
    ask(receiver, "VA0145.50000");
    EXPECT_EQ(ask(receiver, "RX"), "VA RF0145500000 ST012500 AU0 MD1 AT0\r\n");
    ask(receiver, "VB1296.50000");
    ask(receiver, "MD2");
    ask(receiver, "AT1");
    EXPECT_EQ(ask(receiver, "RX"), "VB RF1296500000 ST012500 AU0 MD2 AT1\r\n");
}

TEST(TuningReply, DuringASearchStartsWithVsAndEndsItsFirst18AtTheDigits) {
    Receiver receiver(withSignal(145'500'000, 200));
    ask(receiver, "VA0145.00000");
    ask(receiver, "VB0146.00000");
    ask(receiver, "VS");
    receiver.advance(5);
    ASSERT_TRUE(receiver.searchStopped());
    std::string reply = ask(receiver, "RX");
    ASSERT_EQ(reply.substr(0, 2), "VS");
    EXPECT_EQ(reply.substr(0, 18), "VS AB RF0145500000")
        << "a client keeping 18 characters from VS must get RF and all ten digits";
}

}  // namespace
}  // namespace receiver_sim
