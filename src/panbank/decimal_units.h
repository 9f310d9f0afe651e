// Decimal numbers as channel lists, bank files and the hit log write them
// (MHz, kHz, seconds), counted in whole units so that no sum or comparison
// goes through binary fractions: MHz in hertz has six decimals, kHz in
// hertz three, seconds in tenths one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace voxpan::panbank {

inline constexpr int kMegahertzDecimals = 6;
inline constexpr int kKilohertzDecimals = 3;

// Digits with at most one point and at least one digit ("162.400000",
// "7", ".5", "5."), blanks around it allowed; decimals past `decimals` must
// be zeros. Nothing for a sign, an exponent, a second point, a finer
// value or more than twelve whole digits.
std::optional<std::int64_t> unitsOf(std::string_view text, int decimals);

// The shortest text of the value: no trailing zeros, no point for a whole
// number, one "0" before the point below 1 (162.4, 7, 0.53).
std::string shortestText(std::int64_t units, int decimals);

// At least `shown` decimals, more where the value needs them (162.400000
// with six shown; a step of 8.33 kHz with two, 0.125 with three).
std::string fixedText(std::int64_t units, int decimals, int shown);

// A bank or channel number with at least two digits: "05", "90", "120".
std::string twoDigits(int number);

}  // namespace voxpan::panbank
