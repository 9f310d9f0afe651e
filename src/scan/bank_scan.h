// The panel's own scan through the loaded bank: one channel tuned per level
// poll while the squelch stays closed.
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

// R with a bank in use: the scan starts again at the bank's first channel,
// with the bank's mode and step.
void restartBankScan(Panel& panel);
// Tunes the channel at scanIndex and moves scanIndex on to the next one,
// round the bank. A bank without channels tunes nothing.
void tuneNextBankChannel(Panel& panel);

}  // namespace voxpan
