// The program's main sequence: window, configuration, log, greeting,
// connection, event loop, and the orderly shutdown.
#pragma once

#include "panel/panel_state.h"
#include "panel/version.h"
#include "platform/platform.h"

namespace voxpan {

inline constexpr const char* kWindowTitle = "*** AR8600 Voxpan Front Panel v" VOXPAN_VERSION_TEXT "***";
inline constexpr const char* kConfigurationName = "VOXPAN.CFG";

// Runs the panel until the operator quits; returns the process exit code:
// 0 for every run that opened its window, also without a configuration; 1
// when no window could be opened at all.
int runPanel(Platform& platform);

// Reads the configuration lines by column: the five the panel always read,
// and the hit log switch of line 6 (on when the line is missing); false
// when the file cannot be opened.
bool readConfiguration(Panel& panel);
// Stops the timer, ends the hit log (with the line of a stop still going
// on), closes the log, sends "EX", closes the port and window.
void shutDown(Panel& panel);

}  // namespace voxpan
