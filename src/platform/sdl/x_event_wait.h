// Waiting for the panel's X events without SDL_WaitEvent. While SDL waits on
// X11, every event it queues (a key, the close box, a tick from another
// thread) makes it wake the wait by sending an X event to the window over a
// second connection to the X server. The server may take that one after the
// window has gone and refuse it. Waiting on the X connection here, with SDL
// only polling, SDL never sends one.
#pragma once

struct SDL_Window;
struct _XDisplay;

namespace voxpan {

class XEventWait {
public:
    // A window of another video driver has no X connection to wait on.
    explicit XEventWait(SDL_Window* window);
    bool possible() const { return display_ != nullptr; }
    // Returns once the X server has sent the panel something, or after
    // timeoutMs.
    void wait(int timeoutMs) const;

private:
    _XDisplay* display_ = nullptr;
};

}  // namespace voxpan
