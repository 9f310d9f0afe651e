// "EX": the receiver leaves remote control and answers nothing more.
#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace receiver_sim {
namespace {

using testing::ask;

TEST(Shutdown, ExIsNotAnsweredAndNothingAfterItIs) {
    Receiver receiver;
    EXPECT_EQ(ask(receiver, "EX"), "");
    EXPECT_TRUE(receiver.stoppedAnswering());
    EXPECT_EQ(ask(receiver, "LM"), "");
    EXPECT_EQ(ask(receiver, "VA0433000000"), "");
    EXPECT_EQ(receiver.vfoAHz(), 145'000'000) << "commands after EX have no effect";
    EXPECT_EQ(receiver.commandsReceived().back(), "EX");
}

TEST(Shutdown, CommandsInTheSameWriteAfterExAreIgnored) {
    Receiver receiver;
    receiver.receive("LM\rEX\rLM\r");
    EXPECT_EQ(receiver.takeOutput(), "LM%000\r\n");
    EXPECT_EQ(receiver.commandsReceived(), (std::vector<std::string>{"LM", "EX"}));
}

TEST(Shutdown, ExWithMoreTextIsRefused) {
    Receiver receiver;
    EXPECT_EQ(ask(receiver, "EXIT"), "?\r\n");
    EXPECT_FALSE(receiver.stoppedAnswering());
}

}  // namespace
}  // namespace receiver_sim
