// Finding the serial ports a receiver may be attached to.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace voxpan::setup {

struct FoundPort {
    std::string path;         // what to write in VOXPAN.CFG
    std::string device;       // the device node it is now (the same as path but for by-id links)
    std::string description;  // what is known of it, in words
};

// The ports under `root` (normally "/"; a test points it at a fake tree of
// dev/ and sys/), in the order they are best offered: the links in
// dev/serial/by-id first (their names stay the same whichever order adapters
// are plugged in), then dev/ttyUSB*, dev/ttyACM* and those dev/ttyS* with a
// UART behind them, in number order. A node that a by-id link already names
// is not listed a second time. Paths are under `root`.
std::vector<FoundPort> findSerialPorts(const std::filesystem::path& root = "/");

// The adapter's name as udev spells it in a by-id link name:
// "usb-FTDI_FT232R_USB_UART_A9XYZ-if00-port0" gives "FTDI FT232R USB UART A9XYZ".
std::string adapterNameFromLink(const std::string& linkName);

}  // namespace voxpan::setup
