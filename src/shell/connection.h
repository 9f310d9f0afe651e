// Bringing the receiver to a known state at start-up.
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

// Resets the panel's scan, search, entry and key variables, opens the port
// and sets the receiver to VFO A on 145 MHz, FM, attenuator off. Nothing
// waits for the receiver: its first reply to a poll confirms the connection.
void connectReceiver(Panel& panel);

// After a lost port has opened again: the panel's variables are reset and
// the receiver gets the start-up commands with their words, as at start-up;
// its next answer says "connected".
void reconnectReceiver(Panel& panel);

}  // namespace voxpan
