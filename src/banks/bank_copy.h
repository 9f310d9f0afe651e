// Adding channels to a bank: the tuned frequency (P), or the channels of
// another bank or of the search list (T). A missing target is created with
// the source's header; a channel is added only when the target was made in
// the same mode and does not hold the same frequency text already.
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

// Puts workText into bank entryText (two digits), or of its last two
// digits (four), as a one-channel source with the panel's mode and step.
// A workText that is no frequency (empty, or the end marker's text) says
// "inv".
void putFrequency(Panel& panel);

// Copies the channels of bank00.dat (two digits in entryText) or of the
// bank of its first two digits (four) into the target bank. A missing
// source is created empty.
void copyBank(Panel& panel);

// Adds the channels of sourceLines to the target bank named by entryText
// and saves it. A target holds at most 91 channels: channels that do not
// fit are left out and "bf" is said before "ok"; when none fits, "n" is
// said and nothing is written. Says "incmode" when the modes differ, "inv"
// when a file could not be written (it then stays as it was). Channels are
// taken by their frequencies (bank_channels.h): from a source out of step
// every frequency is copied, and a target out of step is saved in step.
void mergeIntoBank(Panel& panel);

}  // namespace voxpan
