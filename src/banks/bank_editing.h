// Working on one bank in place: selecting it for the panel (B), sorting it
// (O), and deleting the channel the operator is on (K).
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

// Loads "bank" + entryText + ".dat" and puts the receiver on the bank's
// mode, first channel and step, a pause before each, then says "sel". A
// missing bank says "bnf" and ends the selection. Never writes a file.
// Tunes the channel at the index of the loaded bank and shows it.
void tuneBankChannel(Panel& panel, int index);

void selectBank(Panel& panel);

// The loaded bank's step becomes the panel's step and is sent to the
// receiver, when selecting a bank and when its scan starts again. A step
// line that holds no step (anything but digits with at most one point, or
// 0) leaves the panel's step, which is sent instead; nothing more is said.
void sendBankStep(Panel& panel);

// Rewrites "bank" + entryText + ".dat" with its channels in rising order of
// frequency, each frequency text kept once; says "ok", or "inv" when the
// file could not be replaced (it then stays as it was). A bank out of step
// comes back in step with every frequency it held (bank_channels.h).
void sortBank(Panel& panel);

// Removes the channel at scanIndex from the selected bank, rewrites its
// file and tunes the channel that took its place; says "ok". Says "inv"
// and changes nothing when scanIndex is on no frequency, when the bank in
// memory is no longer the one the operator selected, or when the file
// could not be replaced.
void deleteChannel(Panel& panel);

}  // namespace voxpan
