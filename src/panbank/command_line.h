// panbank's command line: a command, its arguments and its options, in any
// order, "--option value" or "--option=value".
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "panbank/hit_log.h"
#include "panel/receiver_modes.h"

namespace voxpan::panbank {

enum class Command { Help, Version, List, Show, Import, Export, Hits, Lockouts, Unlock };

struct CommandLine {
    Command command = Command::Help;
    std::optional<std::string> folder;
    // show, export, import --bank: 0 to 99.
    int bank = -1;
    // import: the list to read; export: the list to write ("" for stdout).
    std::string file;
    const ReceiverMode* mode = nullptr;
    std::optional<std::string> step;  // the bank's step line, checked
    bool replace = false;
    bool split = false;
    std::optional<Since> since;
    // unlock: the frequency, or nothing for "all".
    std::optional<std::int64_t> unlockHertz;
    // A usage error: the command line means nothing.
    std::string error;
};

// The arguments after the program's name.
CommandLine parseCommandLine(std::span<const std::string> arguments);

// What --help prints.
std::string usageText();

}  // namespace voxpan::panbank
