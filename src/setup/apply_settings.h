// Making the chosen settings real: the working folder, its words and its
// VOXPAN.CFG.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>

#include "setup/config_file.h"

namespace voxpan::setup {

// The recorded words a working folder is to have for the settings' pace:
// the pace's set beside the normal words `normalWords` (empty when it is
// not there), and whether it takes the place of another pace's set that
// the folder has now.
struct WordsPlan {
    std::filesystem::path words;
    bool replacing = false;
};
WordsPlan planWords(const std::filesystem::path& folder, const Settings& settings,
                    const std::filesystem::path& normalWords);

// What will be done, one line each, for the operator to confirm.
void describePlan(std::ostream& out, const std::filesystem::path& folder, const Settings& settings,
                  const std::filesystem::path& words);

// The pace of the folder's words: the set its wave is, else the pace its
// VOXPAN.CFG names, else normal.
SpeechPace currentPace(const std::filesystem::path& folder, const std::filesystem::path& normalWords);

// Changes only the voice (when `voice` is given, its voice and systemVoice)
// and the pace (the words linked or copied in, and line 4) of the folder's
// existing VOXPAN.CFG, keeping every other line as it is. True when done.
bool changeVoiceAndPace(std::ostream& out, std::ostream& err, const std::filesystem::path& folder,
                        const Settings* voice, std::optional<SpeechPace> pace,
                        const std::filesystem::path& normalWords);

// Prepares the folder and writes its VOXPAN.CFG, telling `out` what was done
// and `err` what went wrong. True when the file was written.
bool applySettings(std::ostream& out, std::ostream& err, const std::filesystem::path& folder,
                   const Settings& settings, const std::filesystem::path& words);

}  // namespace voxpan::setup
