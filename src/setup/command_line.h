// pansetup's command line.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "setup/config_file.h"

namespace voxpan::setup {

enum class Mode { Dialogue, Script, List, Probe, Help, Version };

struct CommandLine {
    Mode mode = Mode::Dialogue;
    Settings settings;                  // Script
    std::optional<std::string> folder;  // Dialogue and Script
    std::string probeDevice;            // Probe
    std::string error;                  // a usage error: the command line means nothing
};

// The arguments after the program's name.
CommandLine parseCommandLine(std::span<const std::string> arguments);

// What --help prints.
std::string usageText();

}  // namespace voxpan::setup
