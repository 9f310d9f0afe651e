// Stepping the tuned frequency with the arrow and page keys.
#pragma once

#include <cstdint>
#include <string_view>

#include "panel/panel_state.h"

namespace voxpan {

// The step of the page keys from the search step in kHz: only the first
// decimal counts ("12.5" gives 12500 Hz, "6.25" gives 6200 Hz).
std::int64_t pageStepHertz(std::string_view stepText);
// workText up or down by the step and tuned; a step that would leave 0 to
// 3000 MHz tunes nothing.
void stepFrequency(Panel& panel, std::int64_t stepHertz);

}  // namespace voxpan
