#include "radio/traffic_log.h"

namespace voxpan {

void writeLogLine(Panel& panel) {
    if (panel.debugEnabled != 1 || panel.debugFile == 0) return;
    panel.io.writeLine(panel.debugFile, panel.logLine);
}

}  // namespace voxpan
