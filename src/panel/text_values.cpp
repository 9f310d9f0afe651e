#include "panel/text_values.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace voxpan {

std::string leftText(std::string_view text, int count) {
    if (count <= 0) return {};
    return std::string(text.substr(0, static_cast<std::size_t>(count)));
}

std::string rightText(std::string_view text, int count) {
    if (count <= 0) return {};
    std::size_t n = std::min(text.size(), static_cast<std::size_t>(count));
    return std::string(text.substr(text.size() - n));
}

std::string midText(std::string_view text, int start, int count) {
    if (start < 1) start = 1;
    std::size_t from = static_cast<std::size_t>(start) - 1;
    if (from >= text.size()) return {};
    if (count < 0) return std::string(text.substr(from));
    return std::string(text.substr(from, static_cast<std::size_t>(count)));
}

int findText(std::string_view text, std::string_view what, int start) {
    if (start < 1) start = 1;
    if (text.empty() || what.empty()) return 0;
    std::size_t from = static_cast<std::size_t>(start) - 1;
    if (from >= text.size()) return 0;
    std::size_t found = text.find(what, from);
    return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

std::string quotedForMessage(std::string_view text) {
    std::string quoted = "\"";
    for (const unsigned char c : text) {
        if (c >= 0x20 && c < 0x7f) {
            quoted += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            quoted += escaped;
        }
    }
    return quoted + "\"";
}

int textLength(std::string_view text) { return static_cast<int>(text.size()); }

std::string charText(int code) { return std::string(1, static_cast<char>(code)); }

double numberOf(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    double value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        double weight = 0.1;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value += (text[i] - '0') * weight;
            weight /= 10;
            ++i;
        }
    }
    return negative ? -value : value;
}

std::string_view withoutBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string textOf(double value) {
    char buffer[64];
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        std::snprintf(buffer, sizeof buffer, " %lld", static_cast<long long>(value));
    } else {
        std::snprintf(buffer, sizeof buffer, " %.*f", 2, value);
    }
    return buffer;
}

namespace {
std::int32_t clampToInt(double value) {
    // Out-of-range numbers (a typed frequency of twenty digits) must not be
    // undefined behaviour; they saturate instead.
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}
}  // namespace

std::int32_t roundToInt(double value) { return clampToInt(std::nearbyint(value)); }

std::int32_t truncateToInt(double value) { return clampToInt(std::trunc(value)); }

std::int64_t roundToInt64(double value) {
    // 2^63 as a double; anything at or past it saturates.
    constexpr double kLimit = 9223372036854775808.0;
    const double rounded = std::nearbyint(value);
    if (std::isnan(rounded)) return 0;
    if (rounded >= kLimit) return std::numeric_limits<std::int64_t>::max();
    if (rounded < -kLimit) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(rounded);
}

}  // namespace voxpan
