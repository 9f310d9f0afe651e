#include "controls/tune_and_show.h"

#include "display/display.h"
#include "radio/receiver_controls.h"

namespace voxpan {

void tuneVfoA(Panel& panel) {
    sendVfoA(panel);
    showFrequency(panel);
    // Digits typed from here on are refused back to what was just tuned.
    panel.typingStarted = 0;
}

}  // namespace voxpan
