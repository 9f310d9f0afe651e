// Finding the serial ports a receiver may be attached to.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace voxpan::setup {

struct FoundPort {
    std::string path;         // what the operator chooses: /dev/ttyUSB0, or COM5 on Windows
    std::string device;       // what it opens now (a by-id link's node; \\.\COM5 on Windows)
    std::string description;  // what is known of it, in words
};

// The ports in the order they are best offered.
// On Linux, those under `root` (normally "/"; a test points it at a fake
// tree of dev/ and sys/): the links in dev/serial/by-id first (their names
// stay the same whichever order adapters are plugged in), then dev/ttyUSB*,
// dev/ttyACM* and those dev/ttyS* with a UART behind them, in number order.
// A node that a by-id link already names is not listed a second time. Paths
// are under `root`.
// On Windows, the COM ports the registry lists under
// HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM, in number order;
// `root` is not used.
std::vector<FoundPort> findSerialPorts(const std::filesystem::path& root = "/");

}  // namespace voxpan::setup
