// Whether a port opens for reading and writing, and if not, why, in words the
// operator can act on.
#pragma once

#include <string>

namespace voxpan::setup {

struct PortCheck {
    bool opens = false;
    std::string problem;  // why it does not open
    std::string note;     // when it opens but other programs have it open too
};

// Opens the port as the panel does (read and write, for itself alone; on
// Linux also without a controlling terminal, not waiting for a carrier, and
// trying the panel's lock), and closes it.
PortCheck checkPort(const std::string& port);

}  // namespace voxpan::setup
