// Bringing the receiver to a known state at start-up.
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

// Resets the panel's scan, search, entry and key variables, opens the port
// and sets the receiver to VFO A on 145 MHz, FM, attenuator off. Nothing
// waits for the receiver: its first reply to a poll confirms the connection.
void connectReceiver(Panel& panel);

// After a lost port has opened again: the receiver kept its own settings
// meanwhile, and keys pressed meanwhile changed only the panel, so the
// receiver is given the panel's frequency, mode and attenuator, without
// words. The receiver's next answer says "connected", as at start-up.
void reconnectReceiver(Panel& panel);

}  // namespace voxpan
