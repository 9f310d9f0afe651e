// The receiver's controls: tuning, step, the seven receive modes, attenuator
// and noise limiter. Each builds its command, says its word first where the
// panel confirms aloud, and sends. None waits for the receiver's answer.
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

// Tunes VFO A to frequencyText and gives workText a point. The panel's
// tuneVfoA also shows the frequency.
void sendVfoA(Panel& panel);
// Tunes VFO B to frequencyText and gives workText a point.
void tuneVfoB(Panel& panel);
void sendStep(Panel& panel);

void setModeFm(Panel& panel);
void setModeAm(Panel& panel);
void setModeWfm(Panel& panel);
void setModeUsb(Panel& panel);
void setModeLsb(Panel& panel);
void setModeCw(Panel& panel);
void setModeAuto(Panel& panel);

void toggleAttenuator(Panel& panel);
void toggleNoiseLimiter(Panel& panel);

}  // namespace voxpan
