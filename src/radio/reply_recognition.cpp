#include "radio/reply_recognition.h"

#include <array>
#include <utility>

#include "panel/text_values.h"

namespace voxpan {

std::string recogniseReply(std::string_view received) {
    // Memory scan report, bank setting, search state, level: the window
    // lengths cover the fields read from each.
    static constexpr std::array<std::pair<std::string_view, int>, 4> kKeywords{{
        {"LC", 30},
        {"MW", 13},
        {"VS", 18},
        {"LM", 6},
    }};
    for (const auto& [keyword, length] : kKeywords) {
        const int position = findText(received, keyword);
        if (position > 0) return midText(received, position, length);
    }
    return {};
}

}  // namespace voxpan
