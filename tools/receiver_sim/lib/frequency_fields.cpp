#include "frequency_fields.h"

#include <cstdio>

namespace receiver_sim {
namespace {

// Digits with at most one point, scaled so that `decimals` places after the
// point become whole units; further places are dropped. Up to 12 digits
// before the point.
std::optional<long long> parseScaled(std::string_view text, int decimals) {
    if (text.empty() || text == ".") {
        return std::nullopt;
    }
    long long whole = 0;
    long long fraction = 0;
    int wholeDigits = 0;
    int fractionDigits = 0;
    bool afterPoint = false;
    for (char c : text) {
        if (c == '.') {
            if (afterPoint) {
                return std::nullopt;
            }
            afterPoint = true;
            continue;
        }
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        if (!afterPoint) {
            if (++wholeDigits > 12) {
                return std::nullopt;
            }
            whole = whole * 10 + (c - '0');
        } else if (fractionDigits < decimals) {
            fraction = fraction * 10 + (c - '0');
            ++fractionDigits;
        }
    }
    long long scale = 1;
    for (int i = 0; i < decimals; ++i) {
        scale *= 10;
    }
    for (int i = fractionDigits; i < decimals; ++i) {
        fraction *= 10;
    }
    return whole * scale + fraction;
}

std::optional<long long> inReceiverRange(std::optional<long long> hz) {
    if (!hz || *hz < kLowestHz || *hz > kHighestHz) {
        return std::nullopt;
    }
    return hz;
}

}  // namespace

std::optional<long long> parseFrequencyField(std::string_view field) {
    bool hasPoint = field.find('.') != std::string_view::npos;
    if (!hasPoint && field.size() > 10) {
        return std::nullopt;
    }
    return inReceiverRange(parseScaled(field, hasPoint ? 6 : 0));
}

std::optional<long long> parseStepField(std::string_view field) {
    bool hasPoint = field.find('.') != std::string_view::npos;
    if (!hasPoint && field.size() > 6) {
        return std::nullopt;
    }
    std::optional<long long> hz = parseScaled(field, hasPoint ? 3 : 0);
    if (!hz || *hz <= 0 || *hz > 999'999) {
        return std::nullopt;
    }
    return hz;
}

std::optional<long long> parseMegahertz(std::string_view text) {
    return inReceiverRange(parseScaled(text, 6));
}

std::string tenDigitHz(long long hz) {
    char text[32];
    std::snprintf(text, sizeof text, "%010lld", hz);
    return text;
}

std::string sixDigitStep(long long hz) {
    char text[32];
    std::snprintf(text, sizeof text, "%06lld", hz);
    return text;
}

}  // namespace receiver_sim
