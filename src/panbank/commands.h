// What each of panbank's commands does in the working folder (the current
// folder by the time they run). Plain lines go to `out`, one thing a line,
// in the order a screen reader reads them; refusals and problems to `err`
// as "panbank: ...".
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "panbank/command_line.h"
#include "panel/panel_state.h"

namespace voxpan::panbank {

inline constexpr int kDone = 0;
inline constexpr int kRefused = 1;
inline constexpr int kUsageError = 2;

struct Console {
    // The panel's state over the console platform: the bank file routines
    // work on it as they do in the panel.
    Panel& panel;
    std::ostream& out;
    std::ostream& err;
    // "panbank: " + text on err.
    void refuse(const std::string& text) const;
};

int listBanks(const Console& console);
int showBank(const Console& console, const CommandLine& line);
// `list` holds the bytes of the file to import.
int importList(const Console& console, const CommandLine& line, const std::string& list);
int exportList(const Console& console, const CommandLine& line);

int showHits(const Console& console, const CommandLine& line);
int showLockouts(const Console& console);
int unlockFrequencies(const Console& console, const CommandLine& line);

// The lines of a file of the working folder; nothing when it does not open.
std::optional<std::vector<std::string>> linesOfFile(Platform& platform, const std::string& name);

}  // namespace voxpan::panbank
