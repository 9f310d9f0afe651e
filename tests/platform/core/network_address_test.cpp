#include "platform/core/network_address.h"

#include <gtest/gtest.h>

namespace voxpan {
namespace {

TEST(NetworkAddress, TheKindHostAndPortOfEachForm) {
    struct Row {
        const char* text;
        NetworkAddress address;
    };
    const Row rows[] = {
        {"tcp:shed-pi:4001", {NetworkKind::RawTcp, "shed-pi", "4001"}},
        {"rfc2217:192.168.1.20:4002", {NetworkKind::Rfc2217, "192.168.1.20", "4002"}},
        {"RFC2217:radio.example.org:23", {NetworkKind::Rfc2217, "radio.example.org", "23"}},
        {"tcp:[::1]:4000", {NetworkKind::RawTcp, "::1", "4000"}},
        {"tcp:[fe80::1%eth0]:65535", {NetworkKind::RawTcp, "fe80::1%eth0", "65535"}},
    };
    for (const Row& row : rows) {
        std::string why;
        const auto address = parseNetworkAddress(row.text, why);
        ASSERT_TRUE(address) << row.text << ": " << why;
        EXPECT_EQ(*address, row.address) << row.text;
    }
}

TEST(NetworkAddress, ATextThatNamesNoServerSaysWhy) {
    const std::pair<const char*, const char*> rows[] = {
        {"tcp:shed-pi", "no port number after the host"},
        {"tcp::4001", "no host before the port number"},
        {"tcp:shed-pi:0", "not one of 1 to 65535"},
        {"tcp:shed-pi:65536", "not one of 1 to 65535"},
        {"tcp:shed-pi:40a1", "is not a number"},
        {"tcp:fe80::1:4001", "an IPv6 address goes in brackets"},
        {"tcp:[fe80::1:4001", "is not closed"},
        {"tcp:[fe80::1]4001", "no port number after the host"},
        {"tcp:[fe80 ::1]:4001", "is no IPv6 address"},
        {"tcp:shed pi:4001", "holds a character no host name holds"},
        {"udp:shed-pi:4001", "neither tcp: nor rfc2217:"},
    };
    for (const auto& [text, reason] : rows) {
        std::string why;
        EXPECT_FALSE(parseNetworkAddress(text, why)) << text;
        EXPECT_NE(why.find(reason), std::string::npos) << text << ": " << why;
    }
}

}  // namespace
}  // namespace voxpan
