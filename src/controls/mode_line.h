// The mode line together with the receiver's mode: where a mode comes from
// a bank or a search set-up, it is shown and then applied.
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

// Draws modeText on the mode line, leaves the small Aerial font, and sets
// the receiver to the mode modeText names; a text that names no mode (such
// as "CW" without its trailing blank) is drawn but sets nothing.
void showAndSetMode(Panel& panel);

}  // namespace voxpan
