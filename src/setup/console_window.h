// The window pansetup talks in.
#pragma once

#include <iosfwd>

namespace voxpan::setup {

// A console window that pansetup has to itself (started from the Explorer
// on Windows) closes as soon as the program ends, taking its last lines
// with it: this waits for Enter first. Anywhere else it does nothing.
void holdOwnConsoleWindow(std::istream& in, std::ostream& out);

}  // namespace voxpan::setup
