#include "radio/frequency_conversion.h"


namespace voxpan {

std::int64_t hertzOf(std::string_view megahertzText) {
    const int point = findText(megahertzText, ".");
    if (point == 0) return roundToInt64(numberOf(megahertzText) * 1000000.0);
    std::int64_t hertz = roundToInt64(numberOf(leftText(megahertzText, point - 1)) * 1000000.0);
    std::int64_t weight = 100000;
    for (char c : midText(megahertzText, point + 1)) {
        if (weight == 0) break;
        hertz = roundToInt64(static_cast<double>(hertz) + numberOf(std::string(1, c)) * static_cast<double>(weight));
        weight /= 10;
    }
    return hertz;
}

std::string megahertzTextOf(std::int64_t hertz) {
    // Written as a magnitude with at least seven digits, so that a frequency
    // below 1 MHz keeps the zeros between the point and its first digit.
    const unsigned long long magnitude =
        hertz < 0 ? 0ULL - static_cast<unsigned long long>(hertz) : static_cast<unsigned long long>(hertz);
    std::string digits = std::to_string(magnitude);
    if (digits.size() < 7) digits.insert(0, 7 - digits.size(), '0');
    std::string whole = digits.substr(0, digits.size() - 6);
    if (whole == "0") whole.clear();
    std::string text = whole + "." + digits.substr(digits.size() - 6);
    while (text.back() == '0') text.pop_back();
    return hertz < 0 ? "-" + text : text;
}

void frequencyToHz(Panel& panel) { panel.frequencyHz = hertzOf(panel.frequencyText); }

void hzToFrequency(Panel& panel) { panel.frequencyText = megahertzTextOf(panel.frequencyHz); }

}  // namespace voxpan
