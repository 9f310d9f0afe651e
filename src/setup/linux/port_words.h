// What pansetup says about serial ports on Linux: the adapter's name in
// udev's links, and why a port does not open.
#pragma once

#include <string>
#include <vector>

#include "setup/linux/port_users.h"

namespace voxpan::setup {

// The adapter's name as udev spells it in a by-id link name:
// "usb-FTDI_FT232R_USB_UART_A9XYZ-if00-port0" gives "FTDI FT232R USB UART A9XYZ".
std::string adapterNameFromLink(const std::string& linkName);

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
