#include "platform/core/network_address.h"

#include <algorithm>

#include "platform/platform.h"

namespace voxpan {
namespace {

constexpr int kHighestTcpPort = 65535;
constexpr std::string_view kExample = ", e.g. tcp:shed-pi:4001";

bool isHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_';
}

// Inside brackets: an IPv6 address, and after "%" the name of the network
// interface it belongs to.
bool isBracketedCharacter(char c) { return isHostCharacter(c) || c == ':' || c == '%'; }

bool takePort(std::string_view digits, std::string& port, std::string& why) {
    if (digits.empty()) {
        why = "no port number after the host: write HOST:PORT" + std::string(kExample);
        return false;
    }
    long number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            why = "the port number '" + std::string(digits) + "' is not a number";
            return false;
        }
        number = std::min<long>(number * 10 + (c - '0'), kHighestTcpPort + 1);
    }
    if (number < 1 || number > kHighestTcpPort) {
        why = "the port number " + std::string(digits) + " is not one of 1 to 65535";
        return false;
    }
    port = std::to_string(number);
    return true;
}

}  // namespace

std::optional<NetworkAddress> parseNetworkAddress(std::string_view text, std::string& why) {
    if (!namesNetworkPort(text)) {
        why = "it starts with neither tcp: nor rfc2217:";
        return std::nullopt;
    }
    NetworkAddress address;
    address.kind = text[0] == 't' || text[0] == 'T' ? NetworkKind::RawTcp : NetworkKind::Rfc2217;
    std::string_view rest = text.substr(text.find(':') + 1);
    std::string_view host;
    if (rest.starts_with('[')) {
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos) {
            why = "the '[' before the IPv6 address is not closed with ']'";
            return std::nullopt;
        }
        host = rest.substr(1, close - 1);
        if (!std::all_of(host.begin(), host.end(), isBracketedCharacter)) {
            why = std::string(host).insert(0, 1, '\'') + "' is no IPv6 address";
            return std::nullopt;
        }
        rest.remove_prefix(close + 1);
        if (!rest.starts_with(':')) {
            why = "no port number after the host: write HOST:PORT" + std::string(kExample);
            return std::nullopt;
        }
    } else {
        const std::size_t colon = rest.find(':');
        if (colon == std::string_view::npos) {
            why = "no port number after the host: write HOST:PORT" + std::string(kExample);
            return std::nullopt;
        }
        host = rest.substr(0, colon);
        rest.remove_prefix(colon);
        if (rest.find(':', 1) != std::string_view::npos) {
            why = "an IPv6 address goes in brackets, e.g. tcp:[fe80::1]:4001";
            return std::nullopt;
        }
        if (!std::all_of(host.begin(), host.end(), isHostCharacter)) {
            why = "the host '" + std::string(host) + "' holds a character no host name holds";
            return std::nullopt;
        }
    }
    if (host.empty()) {
        why = "no host before the port number" + std::string(kExample);
        return std::nullopt;
    }
    address.host = std::string(host);
    if (!takePort(rest.substr(1), address.port, why)) return std::nullopt;
    return address;
}

}  // namespace voxpan
