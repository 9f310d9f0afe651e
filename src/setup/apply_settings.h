// Making the chosen settings real: the working folder, its words and its
// VOXPAN.CFG.
#pragma once

#include <filesystem>
#include <iosfwd>

#include "setup/config_file.h"

namespace voxpan::setup {

// What will be done, one line each, for the operator to confirm.
void describePlan(std::ostream& out, const std::filesystem::path& folder, const Settings& settings,
                  const std::filesystem::path& words);

// Prepares the folder and writes its VOXPAN.CFG, telling `out` what was done
// and `err` what went wrong. True when the file was written.
bool applySettings(std::ostream& out, std::ostream& err, const std::filesystem::path& folder,
                   const Settings& settings, const std::filesystem::path& words);

}  // namespace voxpan::setup
