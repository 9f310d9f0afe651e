// The 100 ms poll cycle: one step per timer tick. It hands queued key
// entries to the dispatcher one per tick, and with no key waiting polls the
// receiver's level ("LM" on one tick, the reply on the next), draws the
// signal bar and follows the scans; after a search stops on a signal it
// reads the stopped frequency with "RX". While the serial port is gone it
// polls nothing and hands on the keys alone.
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

void runPollStep(Panel& panel);

}  // namespace voxpan
