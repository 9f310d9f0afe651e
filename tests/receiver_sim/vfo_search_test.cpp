// The VFO search started by "VS": from VFO A to VFO B at the step.
#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace receiver_sim {
namespace {

using testing::ask;
using testing::withSignal;

void startSearch(Receiver& receiver, const char* low, const char* high, const char* step) {
    ask(receiver, std::string("VA") + low);
    ask(receiver, std::string("VB") + high);
    ask(receiver, std::string("ST") + step);
    EXPECT_EQ(ask(receiver, "VS"), "\r\n");
}

TEST(VfoSearch, StartsAtVfoAAndMovesOneStepEvery50Ms) {
    Receiver receiver;
    startSearch(receiver, "0145.00000", "0146.00000", "012.50");
    EXPECT_TRUE(receiver.searching());
    EXPECT_EQ(receiver.tunedHz(), 145'000'000);
    receiver.advance(0.049);
    EXPECT_EQ(receiver.tunedHz(), 145'000'000);
    receiver.advance(0.001);
    EXPECT_EQ(receiver.tunedHz(), 145'012'500);
    receiver.advance(0.5);
    EXPECT_EQ(receiver.tunedHz(), 145'137'500) << "eleven steps after 0.55 s";
}

TEST(VfoSearch, WrapsFromVfoBBackToVfoA) {
    Receiver receiver;
    startSearch(receiver, "0145.00000", "0145.05000", "012.50");
    receiver.advance(0.2);
    EXPECT_EQ(receiver.tunedHz(), 145'050'000);
    receiver.advance(0.05);
    EXPECT_EQ(receiver.tunedHz(), 145'000'000);
}

TEST(VfoSearch, StopsOnASignalAndTheLevelReplyShowsIt) {
    Receiver receiver(withSignal(145'500'000, 180));
    startSearch(receiver, "0145.00000", "0146.00000", "012.50");
    receiver.advance(0.3);
    EXPECT_EQ(ask(receiver, "LM"), "LM%000\r\n") << "nothing heard on the way";
    receiver.advance(5);
    EXPECT_TRUE(receiver.searchStopped());
    EXPECT_EQ(receiver.tunedHz(), 145'500'000);
    EXPECT_EQ(ask(receiver, "LM"), "LM 180\r\n");
    receiver.advance(10);
    EXPECT_EQ(receiver.tunedHz(), 145'500'000) << "it stays while the signal is there";
}

TEST(VfoSearch, ControlByteLetsAStoppedSearchGoOn) {
    Receiver receiver(withSignal(145'500'000, 180));
    startSearch(receiver, "0145.00000", "0146.00000", "012.50");
    receiver.advance(5);
    ASSERT_TRUE(receiver.searchStopped());
    receiver.receive("\x1e");
    EXPECT_EQ(receiver.takeOutput(), "\r\n");
    EXPECT_FALSE(receiver.searchStopped());
    receiver.advance(0.05);
    EXPECT_EQ(receiver.tunedHz(), 145'512'500) << "one step past the signal";
    EXPECT_EQ(ask(receiver, "LM"), "LM%000\r\n");
}

TEST(VfoSearch, GoesOnPastASignalWiderThanTheStep) {
    Receiver receiver(withSignal(145'500'000, 180));
    startSearch(receiver, "0145.48000", "0145.60000", "002.00");
    receiver.advance(0.5);
    ASSERT_TRUE(receiver.searchStopped());
    EXPECT_EQ(receiver.tunedHz(), 145'496'000) << "stops 4 kHz before the carrier";
    receiver.receive("\x1e");
    receiver.advance(0.1);
    EXPECT_FALSE(receiver.searchStopped()) << "the same carrier does not stop it again";
    receiver.advance(0.5);
    EXPECT_GT(receiver.tunedHz(), 145'505'000);
}

TEST(VfoSearch, GoesOnByItselfWhenTheSignalEnds) {
    Options options;
    options.signals.push_back(Signal{145'500'000, 150, 6.0});
    Receiver receiver(options);
    startSearch(receiver, "0145.00000", "0146.00000", "012.50");
    receiver.advance(5);
    ASSERT_TRUE(receiver.searchStopped());
    receiver.advance(1.1);
    EXPECT_FALSE(receiver.searchStopped());
    EXPECT_GT(receiver.tunedHz(), 145'500'000);
}

TEST(VfoSearch, ControlByteWithoutAStoppedSearchChangesNothing) {
    Receiver receiver;
    receiver.receive("\x1e");
    EXPECT_EQ(receiver.takeOutput(), "\r\n");
    EXPECT_EQ(receiver.vfoAHz(), 145'000'000);
    EXPECT_FALSE(receiver.searching());
}

TEST(VfoSearch, TuningAVfoEndsTheSearch) {
    Receiver receiver;
    startSearch(receiver, "0145.00000", "0146.00000", "012.50");
    receiver.advance(1);
    ask(receiver, "VA0433.00000");
    EXPECT_FALSE(receiver.searching());
    EXPECT_EQ(receiver.tunedHz(), 433'000'000);
}

TEST(VfoSearch, SearchesDownwardWhenVfoBIsBelowVfoA) {
    Receiver receiver;
    startSearch(receiver, "0146.00000", "0145.00000", "100.00");
    receiver.advance(0.1);
    EXPECT_EQ(receiver.tunedHz(), 145'800'000);
}

}  // namespace
}  // namespace receiver_sim
