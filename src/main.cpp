// voxpan: a speaking, keyboard-driven front panel for the AR8600 receiver.
#include <cstdlib>

#include "platform/core/tracing_platform.h"
#include "platform/sdl/sdl_platform.h"
#include "shell/startup.h"

int main() {
    voxpan::SdlPlatform platform;
    const char* tracePath = std::getenv("VOXPAN_TRACE");
    if (tracePath != nullptr && *tracePath != '\0') {
        voxpan::TracingPlatform traced(platform, tracePath);
        return voxpan::runPanel(traced);
    }
    return voxpan::runPanel(platform);
}
