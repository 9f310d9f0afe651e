#include "controls/mode_line.h"

#include "display/display.h"
#include "panel/receiver_modes.h"
#include "radio/receiver_controls.h"

namespace voxpan {

void showAndSetMode(Panel& panel) {
    drawModeLine(panel);
    panel.io.setFont(kFontAerial, 30, kBold);
    if (const ReceiverMode* mode = modeOfText(panel.modeText)) setReceiverMode(panel, *mode);
}

}  // namespace voxpan
