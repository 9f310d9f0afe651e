// A receiver on the network as pansetup names it, checks it and writes it
// on line 1: "tcp:HOST:PORT" or "rfc2217:HOST:PORT", the same on Linux and
// on Windows.
#pragma once

#include <string>
#include <string_view>

#include "setup/port_check.h"

namespace voxpan::setup {

// Why the text is no network port pansetup may write, in one line; empty
// when it is one.
std::string networkPortProblem(std::string_view port);

// Connects to the server as the panel does (within a few seconds) and
// closes the connection again.
PortCheck checkNetworkPort(const std::string& port);

// True for "tcp:...": a connection whose line speed is set at the server,
// so that asking the receiver at each speed would ask the same line.
bool isRawNetworkPort(std::string_view port);

}  // namespace voxpan::setup
