#include "radio/frequency_conversion.h"

#include <cstdlib>

namespace voxpan {

std::int32_t hertzOf(std::string_view megahertzText) {
    const int point = findText(megahertzText, ".");
    if (point == 0) return roundToInt(numberOf(megahertzText) * 1000000.0);
    double hertz = roundToInt(numberOf(leftText(megahertzText, point - 1)) * 1000000.0);
    std::int32_t weight = 100000;
    for (char c : midText(megahertzText, point + 1)) {
        hertz = roundToInt(hertz + numberOf(std::string(1, c)) * weight);
        weight /= 10;
    }
    return roundToInt(hertz);
}

std::string megahertzTextOf(std::int32_t hertz) {
    // Written as a magnitude with at least seven digits, so that a frequency
    // below 1 MHz keeps the zeros between the point and its first digit.
    const long long magnitude = std::llabs(static_cast<long long>(hertz));
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
