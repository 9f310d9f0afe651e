// The traffic log "debug1.dat": one line per command, reply or key.
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

inline constexpr const char* kTrafficLogName = "debug1.dat";

// Writes logLine to the log when the log is switched on; lines written while
// the log is closed are dropped.
void writeLogLine(Panel& panel);

}  // namespace voxpan
