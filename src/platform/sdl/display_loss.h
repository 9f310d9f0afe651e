// A display that goes away (the X server ended, the remote session
// dropped): Xlib would end the program on the spot, before the receiver is
// told that the panel has gone. This runs the panel's goodbye first.
#pragma once

#include <functional>

namespace voxpan {

// From now on, a lost X display prints one line on stderr, runs `goodbye`
// and ends the program with status 1. Does nothing on other video drivers.
void watchForDisplayLoss(std::function<void()> goodbye);
// True once the display has been lost: nothing may talk to it any more.
bool displayLost();

}  // namespace voxpan
