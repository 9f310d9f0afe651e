#include "setup/port_names.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "panel/text_values.h"
#include "platform/platform.h"
#include "setup/network_ports.h"

namespace voxpan::setup {
namespace fs = std::filesystem;

const PortWords kPortWords{
    "a device path such as /dev/ttyUSB0, or a receiver on the network: tcp:HOST:PORT or rfc2217:HOST:PORT",
    "a device path such as /dev/ttyUSB0 or\n                   /dev/serial/by-id/..., or a receiver on the network:\n"
    "                   tcp:HOST:PORT or rfc2217:HOST:PORT",
    "device path",
    "the device's path",
};

bool isWritablePortText(std::string_view port) {
    if (namesNetworkPort(port)) return networkPortProblem(port).empty();
    return port.find('/') != std::string_view::npos &&
           std::none_of(port.begin(), port.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

std::string typedPortProblem(std::string_view typed, bool listShown) {
    if (namesNetworkPort(typed)) return networkPortProblem(typed);
    const std::string list = listShown ? "a number from the list or " : "";
    if (!typed.starts_with('/')) {
        return std::string(typed) + " is not a port: type " + list + "a device path, which starts with /.";
    }
    if (!isWritablePortText(typed)) return "A device path cannot hold control characters.";
    std::error_code error;
    if (!fs::exists(fs::path(typed), error)) {
        return "There is no device " + std::string(typed) + ": type " + list + "the full path of a device.";
    }
    return {};
}

std::string portForFile(std::string_view port) { return std::string(port); }

std::string portFromFile(std::string_view portText) {
    if (namesNetworkPort(withoutBlanks(portText))) return std::string(withoutBlanks(portText));
    if (portText.find('/') != std::string_view::npos) return std::string(withoutBlanks(portText));
    if (portText.empty() || portText.back() < '1' || portText.back() > '9') return {};
    return "/dev/ttyS" + std::to_string(portText.back() - '1');
}

}  // namespace voxpan::setup
