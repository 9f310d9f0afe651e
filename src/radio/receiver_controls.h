// The receiver's controls: tuning, step, the seven receive modes, attenuator
// and noise limiter. Each builds its command, says its word first where the
// panel confirms aloud, and sends. None waits for the receiver's answer.
#pragma once

#include "panel/panel_state.h"
#include "panel/receiver_modes.h"

namespace voxpan {

// Tunes VFO A to frequencyText and gives workText a point. The panel's
// tuneVfoA also shows the frequency.
void sendVfoA(Panel& panel);
// Tunes VFO B to frequencyText and gives workText a point.
void tuneVfoB(Panel& panel);
void sendStep(Panel& panel);

// modeText becomes the mode's text; its word is said, then its command sent.
void setReceiverMode(Panel& panel, const ReceiverMode& mode);
// FM, the mode the panel starts in.
void setModeFm(Panel& panel);

void toggleAttenuator(Panel& panel);
void toggleNoiseLimiter(Panel& panel);

}  // namespace voxpan
