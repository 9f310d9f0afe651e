// Whether a port opens for reading and writing, and if not, why, in words the
// operator can act on.
#pragma once

#include <string>
#include <vector>

#include "setup/port_users.h"

namespace voxpan::setup {

struct PortCheck {
    bool opens = false;
    std::string problem;  // why it does not open
    std::string note;     // when it opens but other programs have it open too
};

// Opens the device as the panel does (read and write, no controlling
// terminal, not waiting for a carrier), tries the panel's lock, and closes it.
PortCheck checkPort(const std::string& device);

// What stands between the user and the device when it refuses them.
struct AccessFacts {
    std::string device;
    std::string user;
    std::string group;          // the device's group
    bool groupIsRoot = false;   // joining it is no answer
    bool inGroupList = false;   // the system's group list has the user in the group
    bool inThisLogin = false;   // this login already carries the group
};
AccessFacts accessFactsFor(const std::string& device);
std::string accessDeniedText(const AccessFacts& facts);

// The port is held: who holds it, and what to do about the usual takers.
std::string heldText(const std::string& device, const std::vector<PortUser>& users);

// An open failure that is not about permission or another program.
std::string openFailureText(const std::string& device, int error);

}  // namespace voxpan::setup
