// Where a network port is: the kind of connection and the server's host and
// TCP port, read from a device text such as "rfc2217:shed-pi:4001" or
// "tcp:[fe80::1%eth0]:4000".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace voxpan {

enum class NetworkKind {
    RawTcp,   // "tcp:": the bytes pass as they are
    Rfc2217,  // "rfc2217:": telnet, with the line settings asked of the server
};

struct NetworkAddress {
    NetworkKind kind = NetworkKind::RawTcp;
    std::string host;  // a name or an address, without brackets
    std::string port;  // decimal digits, 1 to 65535
    friend bool operator==(const NetworkAddress&, const NetworkAddress&) = default;
};

// The address the device text names, or nothing with `why` filled in, in
// words the operator can act on.
std::optional<NetworkAddress> parseNetworkAddress(std::string_view text, std::string& why);

}  // namespace voxpan
