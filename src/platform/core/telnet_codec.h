// The telnet bytes a network port exchanges with an RFC 2217 server: the
// commands it sends, the doubling of the byte 255 in data, and the reading
// of what the server sends into data and commands, also when a command is
// cut between two reads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace voxpan::telnet {

inline constexpr unsigned char kIac = 255;   // "interpret as command"
inline constexpr unsigned char kDont = 254;
inline constexpr unsigned char kDo = 253;
inline constexpr unsigned char kWont = 252;
inline constexpr unsigned char kWill = 251;
inline constexpr unsigned char kSb = 250;    // a subnegotiation begins
inline constexpr unsigned char kSe = 240;    // and ends

inline constexpr unsigned char kBinary = 0;
inline constexpr unsigned char kSuppressGoAhead = 3;
inline constexpr unsigned char kComPortOption = 44;

// The data with every byte 255 doubled, as it goes to the server.
std::string escapeData(std::string_view data);
// IAC and the verb (WILL, WONT, DO or DONT) for the option.
std::string optionCommand(unsigned char verb, unsigned char option);
// IAC SB, the option, the payload with its 255s doubled, IAC SE.
std::string subnegotiation(unsigned char option, std::string_view payload);

struct Command {
    unsigned char verb = 0;  // WILL, WONT, DO, DONT, or SB for a subnegotiation
    unsigned char option = 0;
    std::string payload;     // a subnegotiation's bytes after the option, 255s single again
    friend bool operator==(const Command&, const Command&) = default;
};

// Reads the server's bytes as they come, in pieces of any size.
class Reader {
public:
    // Adds the data to `data` and returns the commands completed by these
    // bytes, in order; a command cut at their end is completed by the next
    // call. Other commands (NOP, go-ahead, ...) are passed over.
    std::vector<Command> read(std::string_view bytes, std::string& data);

private:
    enum class State { Data, Command, Option, SubOption, Sub, SubCommand };
    State state_ = State::Data;
    Command pending_;
};

}  // namespace voxpan::telnet
