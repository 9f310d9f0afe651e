#include "setup/network_ports.h"

#include "platform/core/network_address.h"
#include "platform/core/network_port.h"
#include "setup/setup_serial_port.h"

namespace voxpan::setup {

std::string networkPortProblem(std::string_view port) {
    std::string why;
    if (parseNetworkAddress(port, why)) return {};
    return std::string(port) + " is no network port: " + why + ".";
}

PortCheck checkNetworkPort(const std::string& port) {
    PortCheck check;
    check.problem = networkPortProblem(port);
    if (!check.problem.empty()) return check;
    NetworkPort connection(systemSockets(), [](const std::string&) {});
    std::string why;
    check.opens = connection.openOrSayWhy(port, 9600, why);
    if (!check.opens) {
        check.problem = port + " does not answer: " + why +
                        ". Is the server (ser2net) running there, and are its address and port the ones in its "
                        "configuration?";
    }
    return check;
}

bool isRawNetworkPort(std::string_view port) {
    std::string why;
    const auto address = parseNetworkAddress(port, why);
    return address && address->kind == NetworkKind::RawTcp;
}

}  // namespace voxpan::setup
