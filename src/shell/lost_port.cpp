#include "shell/lost_port.h"

#include <cstdint>

#include "radio/serial_link.h"
#include "shell/connection.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

// Trying a missing device costs one failed open.
constexpr std::int64_t kRetryMilliseconds = 1000;

}  // namespace

bool followLostPort(Panel& panel) {
    const std::int64_t now = panel.io.steadyMilliseconds();
    if (panel.portLost == 0) {
        if (!panel.io.serialLost()) return false;
        panel.portLost = 1;
        panel.rncAtNextCommand = 1;
        panel.portRetryAtMs = now + kRetryMilliseconds;
        speakWord(panel, "rnc");
        return true;
    }
    if (now < panel.portRetryAtMs) return true;
    panel.portRetryAtMs = now + kRetryMilliseconds;
    if (!reopenReceiverPort(panel)) return true;
    panel.portLost = 0;
    panel.rncAtNextCommand = 0;
    reconnectReceiver(panel);
    return false;
}

}  // namespace voxpan
