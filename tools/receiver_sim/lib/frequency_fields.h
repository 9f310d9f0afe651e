// The numeric fields of the receiver's commands and replies.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace receiver_sim {

inline constexpr long long kLowestHz = 100'000;
inline constexpr long long kHighestHz = 3'000'000'000;

// A frequency field of "VA", "VB", "RF" or "MX": with a point it is
// megahertz ("0145.01250"), without one a count of hertz ("0145000000").
// Decimals past the sixth are dropped. Empty when malformed or outside the
// receiver's range.
std::optional<long long> parseFrequencyField(std::string_view field);

// A step field of "ST": with a point it is kilohertz ("012.50"), without one
// hertz ("012500"). Empty when malformed, zero or above 999,999 Hz.
std::optional<long long> parseStepField(std::string_view field);

// Megahertz as a person writes it ("145.5", "7.05", "446"), for the tool's
// command line. Empty when malformed or outside the receiver's range.
std::optional<long long> parseMegahertz(std::string_view text);

// Ten digits of hertz, as "RF" carries it: 145500000 -> "0145500000".
std::string tenDigitHz(long long hz);

// Six digits of hertz, as "ST" carries it: 12500 -> "012500".
std::string sixDigitStep(long long hz);

}  // namespace receiver_sim
