#include "panbank/decimal_units.h"

#include "panel/text_values.h"

namespace voxpan::panbank {

namespace {

constexpr std::size_t kMostWholeDigits = 12;

std::int64_t powerOfTen(int exponent) {
    std::int64_t power = 1;
    for (int i = 0; i < exponent; ++i) power *= 10;
    return power;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::int64_t> unitsOf(std::string_view text, int decimals) {
    text = withoutBlanks(text);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (whole.size() + fraction.size() == 0 || whole.size() > kMostWholeDigits) return std::nullopt;
    std::int64_t units = 0;
    for (char c : whole) {
        if (!isDigit(c)) return std::nullopt;
        units = units * 10 + (c - '0');
    }
    units *= powerOfTen(decimals);
    for (std::size_t i = 0; i < fraction.size(); ++i) {
        const char c = fraction[i];
        if (!isDigit(c)) return std::nullopt;
        if (static_cast<int>(i) < decimals) units += (c - '0') * powerOfTen(decimals - 1 - static_cast<int>(i));
        else if (c != '0') return std::nullopt;
    }
    return units;
}

std::string fixedText(std::int64_t units, int decimals, int shown) {
    const std::int64_t scale = powerOfTen(decimals);
    std::string fraction = std::to_string(units % scale);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    while (static_cast<int>(fraction.size()) > shown && fraction.back() == '0') fraction.pop_back();
    const std::string whole = std::to_string(units / scale);
    return fraction.empty() ? whole : whole + "." + fraction;
}

std::string twoDigits(int number) {
    std::string text = std::to_string(number);
    if (number >= 0 && number < 10) text.insert(text.begin(), '0');
    return text;
}

std::string shortestText(std::int64_t units, int decimals) { return fixedText(units, decimals, 0); }

}  // namespace voxpan::panbank
