#include "platform/sdl/display_loss.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>

namespace voxpan {

namespace {

std::function<void()>& goodbyeHandler() {
    static std::function<void()> handler;
    return handler;
}

std::atomic<bool> lost{false};

// Xlib calls this when the connection breaks and ends the program when it
// returns, so it never returns.
int onDisplayGone(Display*) {
    if (lost.exchange(true)) _exit(1);  // the goodbye itself touched the display
    std::fprintf(stderr, "voxpan: lost the connection to the display; closing the receiver line\n");
    std::fflush(stderr);
    if (goodbyeHandler()) goodbyeHandler()();
    std::fflush(nullptr);
    _exit(1);
}

}  // namespace

void watchForDisplayLoss(std::function<void()> goodbye) {
    goodbyeHandler() = std::move(goodbye);
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || std::strcmp(driver, "x11") != 0) return;
    XSetIOErrorHandler(onDisplayGone);
}

bool displayLost() { return lost; }

}  // namespace voxpan
