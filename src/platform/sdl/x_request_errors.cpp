#include "platform/sdl/x_request_errors.h"

#include <X11/Xlib.h>

#include <atomic>
#include <cstdio>
#include <string>

namespace voxpan {

namespace {

std::atomic<bool> told{false};

// Xlib goes on with the program when this returns. Only the first error is
// told: a stream of them would bury the lines that matter.
int onRefusedRequest(Display* display, XErrorEvent* error) {
    if (told.exchange(true)) return 0;
    char what[160] = "";
    XGetErrorText(display, error->error_code, what, sizeof what);
    const std::string code = std::to_string(error->request_code);
    char request[80] = "";
    XGetErrorDatabaseText(display, "XRequest", code.c_str(), "", request, sizeof request);
    const std::string requestName = request[0] != '\0' ? request : "request " + code;
    std::fprintf(stderr, "voxpan: the display refused a request: %s in %s; the panel goes on\n", what,
                 requestName.c_str());
    std::fflush(stderr);
    return 0;
}

}  // namespace

void surviveRefusedXRequests() { XSetErrorHandler(onRefusedRequest); }

}  // namespace voxpan
