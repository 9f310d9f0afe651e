// Linux's sockets for the network port.
#pragma once

#include "platform/core/sockets.h"

namespace voxpan {

// The one instance, living as long as the program.
Sockets& posixSockets();

}  // namespace voxpan
