// The sets of recorded words that come with the panel, one for each pace,
// side by side ("wave", "wave-fast", "wave-fastest"), and which of them a
// working folder's "wave" is.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/platform.h"

namespace voxpan::setup {

// The set for the pace beside the normal one.
std::filesystem::path wordSetAt(const std::filesystem::path& normalWords, SpeechPace pace);

// The pace of the set that `wave` is: a link to it, or a copy of it (the
// same file names, each of the same size). Nothing for a folder of other
// recordings, a broken link, or when no set is known.
std::optional<SpeechPace> paceOfWords(const std::filesystem::path& wave, const std::filesystem::path& normalWords);

}  // namespace voxpan::setup
