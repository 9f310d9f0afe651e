// Winsock 2 (ws2_32, in every Windows) for the network port: the sockets it
// connects, reads and writes with.
#pragma once

#include "platform/core/sockets.h"

namespace voxpan {

// The one instance, living as long as the program; Winsock is started the
// first time it is asked for.
Sockets& win32Sockets();

}  // namespace voxpan
