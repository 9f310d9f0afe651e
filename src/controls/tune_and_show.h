// Tuning VFO A the way the operator follows it: the command goes out and the
// frequency line shows what was tuned.
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

// Tunes VFO A to frequencyText, gives workText a point and shows it.
void tuneVfoA(Panel& panel);

}  // namespace voxpan
