// What the squelch tells after each level poll: the receiver's memory scan,
// the panel's bank scan and the search are moved between running and
// stopped, with their words and status texts.
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

// One decision per level poll, on the squelch of the last level reply.
// Leaves pollState at what the cycle does next.
void advanceScans(Panel& panel);

// Shows the stopped search and, in stop mode, says "stop". While
// frequencies are locked out this waits until the stop's frequency is
// known to be none of them: a passed stop is neither shown nor heard.
void announceSearchStop(Panel& panel);

}  // namespace voxpan
