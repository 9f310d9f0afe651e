// The three paces of the panel's words: their names in VOXPAN.CFG and on
// pansetup's command line, and the folders of recorded words made for each.
#pragma once

#include <optional>
#include <string_view>

#include "platform/platform.h"

namespace voxpan {

struct PaceEntry {
    SpeechPace pace;
    std::string_view name;        // "normal", "fast", "fastest"
    std::string_view wordFolder;  // the installed set: "wave", "wave-fast", "wave-fastest"
};

inline constexpr PaceEntry kPaces[] = {
    {SpeechPace::Normal, "normal", "wave"},
    {SpeechPace::Fast, "fast", "wave-fast"},
    {SpeechPace::Fastest, "fastest", "wave-fastest"},
};

// The pace of a name, letter case ignored; nothing for any other text.
std::optional<SpeechPace> paceNamed(std::string_view name);
const PaceEntry& paceEntry(SpeechPace pace);

}  // namespace voxpan
