// A receiver that ignores one kind of command: taken in, never carried out,
// never answered.
#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace receiver_sim {
namespace {

using testing::ask;

TEST(IgnoredCommands, ACommandOfThatKindIsRecordedButNeitherDoneNorAnswered) {
    Options options;
    options.bankSettings['D'] = 50;
    options.ignoredCommands = {"MW"};
    Receiver receiver(options);
    EXPECT_EQ(ask(receiver, "MWD"), "");
    EXPECT_EQ(ask(receiver, "MWD90"), "");
    receiver.advance(5.0);
    EXPECT_EQ(receiver.takeOutput(), "") << "no late answer either";
    EXPECT_FALSE(receiver.outputPending());
    EXPECT_EQ(receiver.bankSetting('D'), 50) << "the setting was not carried out";
    EXPECT_EQ(receiver.commandsReceived(), (std::vector<std::string>{"MWD", "MWD90"}));
}

TEST(IgnoredCommands, OtherCommandsAreAnsweredAsUsual) {
    Options options;
    options.ignoredCommands = {"MW"};
    Receiver receiver(options);
    EXPECT_EQ(ask(receiver, "LM"), "LM%000\r\n");
    EXPECT_EQ(ask(receiver, "MQA%%"), "\r\n");
}

TEST(IgnoredCommands, ALongerPrefixPicksOneBank) {
    Options options;
    options.ignoredCommands = {"MWE", "MWG9"};
    Receiver receiver(options);
    const struct {
        const char* command;
        const char* answer;
    } cases[] = {
        {"MWD", "MWD 090\r\n"}, {"MWE", ""}, {"MWE90", ""}, {"MWF", "MWF 090\r\n"}, {"MWG", "MWG 090\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(ask(receiver, c.command), c.answer) << c.command;
    EXPECT_EQ(ask(receiver, "MWG90"), "") << "the setting of bank G is ignored";
    receiver.advance(2.0);
    EXPECT_EQ(receiver.takeOutput(), "");
}

TEST(IgnoredCommands, AnEmptyPrefixIgnoresNothing) {
    Options options;
    options.ignoredCommands = {""};
    Receiver receiver(options);
    EXPECT_EQ(ask(receiver, "MWA"), "MWA 090\r\n");
}

}  // namespace
}  // namespace receiver_sim
