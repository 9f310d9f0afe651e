#include "controls/tune_and_show.h"

#include "display/display.h"
#include "radio/receiver_controls.h"

namespace voxpan {

void tuneVfoA(Panel& panel) {
    sendVfoA(panel);
    showFrequency(panel);
    // A redraw of the frequency line restarts a search limit being typed.
    panel.startNewLimit = 1;
}

}  // namespace voxpan
