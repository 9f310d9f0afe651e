#include "radio/reply_fields.h"

#include <algorithm>

#include "panel/text_values.h"

namespace voxpan {

bool squelchClosedIn(std::string_view reply) { return midText(reply, 3, 1) == "%"; }

std::int32_t signalLevelIn(std::string_view reply) {
    const double reading = numberOf(midText(reply, 4, 3));
    return std::max<std::int32_t>(0, truncateToInt(reading / 12.0));
}

std::int32_t levelReadingIn(std::string_view reply) {
    return std::clamp<std::int32_t>(truncateToInt(numberOf(midText(reply, 4, 3))), 0, 255);
}

std::string digitsAfterRf(std::string_view reply, int count) {
    const int position = findText(reply, "RF");
    if (position == 0) return {};
    const std::string digits = midText(reply, position + 2, count);
    const bool whole = textLength(digits) == count &&
                       std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    return whole ? digits : std::string();
}

std::string megahertzFromDigits(std::string_view digits, bool dropTrailingZeros) {
    std::string text = leftText(digits, 4) + "." + midText(digits, 5);
    const std::size_t firstKept = text.find_first_not_of('0');
    text.erase(0, firstKept == std::string::npos ? text.size() : firstKept);
    if (dropTrailingZeros) {
        const std::size_t lastKept = text.find_last_not_of('0');
        text.erase(lastKept == std::string::npos ? 0 : lastKept + 1);
    }
    return text;
}

}  // namespace voxpan
