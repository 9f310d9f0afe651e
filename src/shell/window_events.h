// The main window's event handler: after start-up the only place where the
// panel does anything.
#pragma once

#include "platform/platform.h"
#include "panel/panel_state.h"

namespace voxpan {

// Close request, key-up, key-down and timer tick; other kinds are ignored.
// Always returns 0.
int handleWindowEvent(Panel& panel, EventKind kind, int param);

}  // namespace voxpan
