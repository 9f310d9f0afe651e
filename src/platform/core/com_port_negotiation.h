// The panel's side of an RFC 2217 connection: the telnet options it takes
// and refuses, the line settings it asks the server for, and the check of
// the server's answers. Bytes in, bytes out: no socket here.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/core/telnet_codec.h"

namespace voxpan {

class ComPortNegotiation {
public:
    // What goes to the server first: the offer to use the COM-PORT option
    // and the settings of the serial line behind the server: the speed,
    // 8 data bits, no parity, 1 stop bit and XON/XOFF.
    std::string opening(int baudRate);
    // The framing asked for later (parity 0 none, 1 odd, 2 even; stopBits
    // 1 one, anything else two): only the settings that differ from those
    // asked before.
    std::string lineFormat(int dataBits, int parity, int stopBits);
    // What answers a command of the server; often nothing.
    std::string answer(const telnet::Command& command);
    // True once the server has taken or refused the COM-PORT option.
    bool settled() const { return settled_; }
    // What the server refused since the last call, one text each.
    std::vector<std::string> takeRefusals();

private:
    std::string ask(unsigned char command, unsigned value);
    void checkAnswer(const std::string& payload);

    static constexpr int kCommands = 6;  // SET-BAUDRATE 1 to SET-CONTROL 5
    std::array<int, kCommands> awaited_{};  // requests not yet answered
    std::array<unsigned, kCommands> asked_{};
    std::array<bool, 256> weDo_{};
    std::array<bool, 256> theyDo_{};
    bool offered_ = false;
    bool settled_ = false;
    std::vector<std::string> refusals_;
};

}  // namespace voxpan
