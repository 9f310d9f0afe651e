#include "receiver_sim/lib/command_parser.h"

#include <gtest/gtest.h>

namespace receiver_sim {
namespace {

using namespace std::string_view_literals;

std::vector<std::string> texts(const std::vector<Command>& commands) {
    std::vector<std::string> list;
    for (const Command& command : commands) {
        list.push_back(command.text);
    }
    return list;
}

TEST(CommandParser, SplitsCommandsAtCarriageReturns) {
    CommandParser parser;
    EXPECT_EQ(texts(parser.feed("VA0145000000\rMD1\rAT0\r")),
              (std::vector<std::string>{"VA0145000000", "MD1", "AT0"}));
}

TEST(CommandParser, JoinsACommandSentInPieces) {
    CommandParser parser;
    EXPECT_TRUE(parser.feed("V").empty()) << "a line without CR is not complete";
    EXPECT_TRUE(parser.feed("A0145.0").empty());
    EXPECT_EQ(texts(parser.feed("1250\rL")), (std::vector<std::string>{"VA0145.01250"}));
    EXPECT_EQ(texts(parser.feed("M\r")), (std::vector<std::string>{"LM"}));
}

TEST(CommandParser, DropsLineFeedsAndNuls) {
    CommandParser parser;
    EXPECT_EQ(texts(parser.feed("LM\r\nRX\r\n\0MD1\r"sv)),
              (std::vector<std::string>{"LM", "RX", "MD1"}));
}

TEST(CommandParser, EmptyLinesAreNoCommands) {
    CommandParser parser;
    EXPECT_EQ(texts(parser.feed("\r\r\n\rLM\r")), (std::vector<std::string>{"LM"}));
}

TEST(CommandParser, ControlByteActsAloneWithoutCarriageReturn) {
    CommandParser parser;
    EXPECT_EQ(texts(parser.feed("\x1e")), (std::vector<std::string>{"\x1e"}));
    EXPECT_EQ(texts(parser.feed("\x1e\x1e")), (std::vector<std::string>{"\x1e", "\x1e"}));
}

TEST(CommandParser, ControlByteInsideALineLeavesTheLineWhole) {
    CommandParser parser;
    EXPECT_EQ(texts(parser.feed("L\x1eM\r")), (std::vector<std::string>{"\x1e", "LM"}));
}

TEST(CommandParser, KeepsGarbageBytesInTheLine) {
    CommandParser parser;
    std::vector<Command> commands = parser.feed("\xff\x01zLM\r");
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].text, "\xff\x01zLM") << "stray bytes belong to the command they precede";
    EXPECT_FALSE(commands[0].overlong);
}

TEST(CommandParser, CutsAnOverlongLineAndMarksIt) {
    CommandParser parser;
    std::string longLine(CommandParser::kMaxLine + 500, 'X');
    std::vector<Command> commands = parser.feed(longLine + "\rLM\r");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_TRUE(commands[0].overlong);
    EXPECT_EQ(commands[0].text.size(), CommandParser::kMaxLine);
    EXPECT_EQ(commands[1].text, "LM") << "the line after an overlong one is read normally";
    EXPECT_FALSE(commands[1].overlong);
}

TEST(CommandParser, ALineOfExactlyTheLimitIsNotOverlong) {
    CommandParser parser;
    std::vector<Command> commands = parser.feed(std::string(CommandParser::kMaxLine, 'Y') + "\r");
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_FALSE(commands[0].overlong);
}

}  // namespace
}  // namespace receiver_sim
