// Removing a bank file (D).
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

// Removes "bank" + entryText + ".dat" (entryText of exactly two characters)
// and says "ok", also when there was no such file. Says "inv" when the
// entry is not two characters, or when a file (or a folder) of that name
// is there and cannot be removed.
void deleteBankFile(Panel& panel);

}  // namespace voxpan
