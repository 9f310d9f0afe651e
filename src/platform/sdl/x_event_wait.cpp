#include "platform/sdl/x_event_wait.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <poll.h>

namespace voxpan {

XEventWait::XEventWait(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window != nullptr && SDL_GetWindowWMInfo(window, &info) == SDL_TRUE &&
        info.subsystem == SDL_SYSWM_X11)
        display_ = info.info.x11.display;
}

void XEventWait::wait(int timeoutMs) const {
    // Sends what is still buffered and takes in what has arrived.
    if (XEventsQueued(display_, QueuedAfterFlush) > 0) return;
    pollfd connection{ConnectionNumber(display_), POLLIN, 0};
    poll(&connection, 1, timeoutMs);
}

}  // namespace voxpan
