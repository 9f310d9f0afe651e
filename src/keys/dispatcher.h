// The one place where key presses become operations: each call takes one
// entry from the key queue. A 0 entry reads the receiver's answer to the key
// before it; a key code goes through a fixed order of tests, and the first
// that applies handles it.
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

void dispatchKey(Panel& panel);
// M: "s", the level as a digit word (9 for anything above), "plus" above 9.
void speakSignalLevel(Panel& panel);

}  // namespace voxpan
