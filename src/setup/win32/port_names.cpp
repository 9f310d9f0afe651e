#include "setup/port_names.h"

#include "platform/platform.h"
#include "radio/port_selection.h"
#include "setup/network_ports.h"
#include "setup/win32/port_words.h"

namespace voxpan::setup {

namespace {

constexpr std::string_view kDeviceNamespace = "\\\\.\\";

}  // namespace

const PortWords kPortWords{
    "a COM port such as COM5, or a receiver on the network: tcp:HOST:PORT or rfc2217:HOST:PORT",
    "a COM port such as COM5 (see\n                   pansetup --list), or a receiver on the network:\n"
    "                   tcp:HOST:PORT or rfc2217:HOST:PORT",
    "port name",
    "the port's name, such as COM5",
};

bool isWritablePortText(std::string_view port) {
    if (namesNetworkPort(port)) return networkPortProblem(port).empty();
    return comPortNumber(port) != 0;
}

std::string typedPortProblem(std::string_view typed, bool listShown) {
    // Whether the port is there, the open check that follows tells.
    if (namesNetworkPort(typed)) return networkPortProblem(typed);
    if (isWritablePortText(typed)) return {};
    const std::string list = listShown ? "a number from the list or " : "";
    return std::string(typed) + " is not a port: type " + list + "a port name such as COM5.";
}

std::string portForFile(std::string_view port) {
    if (namesNetworkPort(port)) return std::string(port);
    return std::to_string(comPortNumber(port));
}

std::string portFromFile(std::string_view portText) {
    const std::string device = windowsSerialDeviceFor(portText);
    if (device.starts_with(kDeviceNamespace)) {
        const int number = comPortNumber(std::string_view(device).substr(kDeviceNamespace.size()));
        if (number != 0) return "COM" + std::to_string(number);
    }
    return device;
}

}  // namespace voxpan::setup
