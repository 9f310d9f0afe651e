#include "platform/core/telnet_codec.h"

#include <gtest/gtest.h>

#include "telnet_bytes.h"

namespace voxpan::telnet {
namespace {

using voxpan::testing::bytes;

TEST(TelnetCodec, TheByte255IsDoubledInDataAndInASubnegotiationOnly) {
    EXPECT_EQ(escapeData("LM\r"), "LM\r");
    EXPECT_EQ(escapeData(bytes({'A', 255, 'B', 255, 255})), bytes({'A', 255, 255, 'B', 255, 255, 255, 255}));
    EXPECT_EQ(optionCommand(kWill, kComPortOption), bytes({255, 251, 44}));
    EXPECT_EQ(subnegotiation(kComPortOption, bytes({1, 0, 0, 0x25, 0x80})),
              bytes({255, 250, 44, 1, 0, 0, 0x25, 0x80, 255, 240}));
    EXPECT_EQ(subnegotiation(kComPortOption, bytes({1, 0, 0, 255, 255})),
              bytes({255, 250, 44, 1, 0, 0, 255, 255, 255, 255, 255, 240}));
}

// The server's bytes: data around two options, a subnegotiation holding an
// escaped 255, a NOP, and data with an escaped 255 in it.
const std::string kFromServer = "LM" + bytes({255, 251, 3}) + "%0" + bytes({255, 253, 44}) +
                                bytes({255, 250, 44, 101, 0, 0, 255, 255, 255, 240}) + bytes({255, 241}) + "00" +
                                bytes({255, 255}) + "\r\n";
const std::string kData = "LM%000" + bytes({255}) + "\r\n";
const std::vector<Command> kCommands = {
    {kWill, 3, ""}, {kDo, 44, ""}, {kSb, 44, bytes({101, 0, 0, 255})}};

TEST(TelnetCodec, DataAndCommandsAreTheSameWhereverTheReadsCutTheStream) {
    for (std::size_t first = 0; first <= kFromServer.size(); ++first) {
        for (std::size_t second = first; second <= kFromServer.size(); ++second) {
            Reader reader;
            std::string data;
            std::vector<Command> commands;
            for (const auto& piece : {kFromServer.substr(0, first), kFromServer.substr(first, second - first),
                                      kFromServer.substr(second)}) {
                for (Command& command : reader.read(piece, data)) commands.push_back(std::move(command));
            }
            ASSERT_EQ(data, kData) << "cut at " << first << " and " << second;
            ASSERT_EQ(commands, kCommands) << "cut at " << first << " and " << second;
        }
    }
}

}  // namespace
}  // namespace voxpan::telnet
