// A serial port that goes away while the panel runs (a USB adapter pulled)
// and comes back under the same name.
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

// Called at every tick before the poll cycle's step. Says "rnc" once when
// the port is found gone, then tries the device of the configuration again
// once a second, quietly; when it opens, reconnects the receiver. True while
// the port is gone: the tick then polls nothing.
bool followLostPort(Panel& panel);

}  // namespace voxpan
