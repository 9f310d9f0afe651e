#include "controls/mode_line.h"

#include <array>
#include <string_view>
#include <utility>

#include "display/display.h"
#include "radio/receiver_controls.h"

namespace voxpan {

void showAndSetMode(Panel& panel) {
    drawModeLine(panel);
    panel.io.setFont(kFontAerial, 30, kBold);
    static constexpr std::array<std::pair<std::string_view, void (*)(Panel&)>, 7> kSetters{{
        {"FM", setModeFm},
        {"AM", setModeAm},
        {"WFM", setModeWfm},
        {"LSB", setModeLsb},
        {"USB", setModeUsb},
        {"CW ", setModeCw},
        {"AUT", setModeAuto},
    }};
    for (const auto& [mode, set] : kSetters) {
        if (panel.modeText == mode) {
            set(panel);
            return;
        }
    }
}

}  // namespace voxpan
