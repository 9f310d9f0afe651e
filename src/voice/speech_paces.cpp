#include "voice/speech_paces.h"

#include <algorithm>

namespace voxpan {

std::optional<SpeechPace> paceNamed(std::string_view name) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    for (const PaceEntry& entry : kPaces) {
        if (std::equal(name.begin(), name.end(), entry.name.begin(), entry.name.end(),
                       [&](char a, char b) { return lower(a) == b; }))
            return entry.pace;
    }
    return std::nullopt;
}

const PaceEntry& paceEntry(SpeechPace pace) {
    for (const PaceEntry& entry : kPaces)
        if (entry.pace == pace) return entry;
    return kPaces[0];
}

}  // namespace voxpan
