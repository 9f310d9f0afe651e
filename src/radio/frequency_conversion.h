// Conversions between a frequency written in MHz and a whole number of Hz,
// used when the operator steps the frequency up and down.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "panel/panel_state.h"

namespace voxpan {

// The receiver tunes up to 3000 MHz, past what a 32-bit count of hertz holds.
inline constexpr std::int64_t kHighestHertz = 3'000'000'000;

// 145.0125 gives 145012500; decimals past the sixth add nothing.
std::int64_t hertzOf(std::string_view megahertzText);
// 145012500 gives 145.0125; a whole number of MHz keeps its point (145.);
// below 1 MHz there is no leading zero (500000 gives .5, 50000 gives .05).
std::string megahertzTextOf(std::int64_t hertz);

// frequencyHz := frequencyText in Hz.
void frequencyToHz(Panel& panel);
// frequencyText := frequencyHz in MHz.
void hzToFrequency(Panel& panel);

}  // namespace voxpan
