// pansetup's command line.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "setup/config_file.h"

namespace voxpan::setup {

// Change: only the voice or the pace of an existing working folder.
enum class Mode { Dialogue, Script, Change, List, Probe, Help, Version };

struct CommandLine {
    Mode mode = Mode::Dialogue;
    Settings settings;                  // Script, and the changes of Change
    bool voiceGiven = false;            // --voice was given
    bool paceGiven = false;             // --pace was given
    std::optional<std::string> folder;  // Dialogue, Script and Change
    std::string probeDevice;            // Probe
    std::string error;                  // a usage error: the command line means nothing
};

// The arguments after the program's name.
CommandLine parseCommandLine(std::span<const std::string> arguments);

// What --help prints.
std::string usageText();

}  // namespace voxpan::setup
