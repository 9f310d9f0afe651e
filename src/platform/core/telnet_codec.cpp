#include "platform/core/telnet_codec.h"

namespace voxpan::telnet {
namespace {

// Longer subnegotiations are none of the COM-PORT option's: the rest of
// such a one is passed over rather than kept without end.
constexpr std::size_t kLongestPayload = 64;

void appendEscaped(std::string& to, std::string_view bytes) {
    for (const char c : bytes) {
        to += c;
        if (static_cast<unsigned char>(c) == kIac) to += c;
    }
}

}  // namespace

std::string escapeData(std::string_view data) {
    std::string escaped;
    escaped.reserve(data.size());
    appendEscaped(escaped, data);
    return escaped;
}

std::string optionCommand(unsigned char verb, unsigned char option) {
    return {static_cast<char>(kIac), static_cast<char>(verb), static_cast<char>(option)};
}

std::string subnegotiation(unsigned char option, std::string_view payload) {
    std::string bytes{static_cast<char>(kIac), static_cast<char>(kSb), static_cast<char>(option)};
    appendEscaped(bytes, payload);
    bytes += static_cast<char>(kIac);
    bytes += static_cast<char>(kSe);
    return bytes;
}

std::vector<Command> Reader::read(std::string_view bytes, std::string& data) {
    std::vector<Command> commands;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (state_) {
        case State::Data:
            if (byte == kIac) state_ = State::Command;
            else data += c;
            break;
        case State::Command:
            if (byte == kIac) {
                data += c;  // a doubled 255 is one data byte
                state_ = State::Data;
            } else if (byte == kWill || byte == kWont || byte == kDo || byte == kDont) {
                pending_ = Command{byte, 0, {}};
                state_ = State::Option;
            } else if (byte == kSb) {
                pending_ = Command{kSb, 0, {}};
                state_ = State::SubOption;
            } else {
                state_ = State::Data;
            }
            break;
        case State::Option:
            pending_.option = byte;
            commands.push_back(pending_);
            state_ = State::Data;
            break;
        case State::SubOption:
            pending_.option = byte;
            state_ = State::Sub;
            break;
        case State::Sub:
            if (byte == kIac) state_ = State::SubCommand;
            else if (pending_.payload.size() < kLongestPayload) pending_.payload += c;
            break;
        case State::SubCommand:
            if (byte == kSe) {
                commands.push_back(pending_);
                state_ = State::Data;
            } else {
                // A doubled 255 belongs to the payload; IAC and anything
                // else inside a subnegotiation is no command and is dropped.
                if (byte == kIac && pending_.payload.size() < kLongestPayload) pending_.payload += c;
                state_ = State::Sub;
            }
            break;
        }
    }
    return commands;
}

}  // namespace voxpan::telnet
