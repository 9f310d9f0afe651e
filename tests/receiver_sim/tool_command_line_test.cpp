#include "command_line.h"

#include <gtest/gtest.h>

namespace receiver_sim {
namespace {

TEST(ToolCommandLine, ReadsEveryOption) {
    CommandLineResult result = parseCommandLine(
        {"--signal", "145.5:200", "--signal", "433.075:80:3.5", "--fault", "split", "--seed", "9",
         "--bank", "D=50", "--bank-delay", "0.5", "--capture", "/tmp/c", "--line-report",
         "/tmp/r", "--link", "/tmp/l", "--memory-report", "/tmp/m", "--ignore", "MW", "--ignore", "LM"});
    ASSERT_TRUE(result.options) << result.error;
    const ToolOptions& options = *result.options;
    ASSERT_EQ(options.receiver.signals.size(), 2u);
    EXPECT_EQ(options.receiver.signals[0].hz, 145'500'000);
    EXPECT_EQ(options.receiver.signals[0].level, 200);
    EXPECT_EQ(options.receiver.signals[0].seconds, -1);
    EXPECT_EQ(options.receiver.signals[1].hz, 433'075'000);
    EXPECT_EQ(options.receiver.signals[1].seconds, 3.5);
    EXPECT_EQ(options.receiver.fault, Fault::Split);
    EXPECT_EQ(options.receiver.seed, 9u);
    EXPECT_EQ(options.receiver.bankSettings.at('D'), 50);
    EXPECT_EQ(options.receiver.bankSetSeconds, 0.5);
    EXPECT_EQ(options.captureFile, "/tmp/c");
    EXPECT_EQ(options.lineReportFile, "/tmp/r");
    EXPECT_EQ(options.linkPath, "/tmp/l");
    EXPECT_EQ(options.memoryReportFile, "/tmp/m");
    EXPECT_EQ(options.receiver.ignoredCommands, (std::vector<std::string>{"MW", "LM"}));
    EXPECT_FALSE(options.help);
}

TEST(ToolCommandLine, RefusesBadValuesWithAMessage) {
    for (std::vector<std::string> arguments : std::vector<std::vector<std::string>>{
             {"--signal", "145.5"},
             {"--signal", "145.5:1000"},
             {"--signal", "abc:10"},
             {"--signal", "145.5:10:-1"},
             {"--fault", "loud"},
             {"--seed", "-3"},
             {"--bank", "K=50"},
             {"--bank", "D50"},
             {"--bank", "D=5000"},
             {"--bank-delay", "soon"},
             {"--capture"},
             {"--ignore", ""},
             {"--memory-report"},
             {"--frobnicate", "1"},
         }) {
        CommandLineResult result = parseCommandLine(arguments);
        EXPECT_FALSE(result.options) << "accepted " << arguments[0];
        EXPECT_FALSE(result.error.empty()) << "no message for " << arguments[0];
    }
}

TEST(ToolCommandLine, HelpNeedsNoValue) {
    CommandLineResult result = parseCommandLine({"--help"});
    ASSERT_TRUE(result.options);
    EXPECT_TRUE(result.options->help);
}

}  // namespace
}  // namespace receiver_sim
