// The receiver-sim tool's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "receiver_sim/receiver.h"

namespace receiver_sim {

struct ToolOptions {
    Options receiver;
    std::string captureFile;     // empty: none
    std::string lineReportFile;  // empty: none
    std::string memoryReportFile;  // empty: none
    std::string linkPath;        // empty: none
    bool help = false;
};

struct CommandLineResult {
    std::optional<ToolOptions> options;
    std::string error;  // when options is empty
};

CommandLineResult parseCommandLine(const std::vector<std::string>& arguments);

// "145.5:200" or "145.5:200:3.5" -> signal; empty when malformed.
std::optional<Signal> parseSignalOption(const std::string& value);

const char* usageText();

}  // namespace receiver_sim
