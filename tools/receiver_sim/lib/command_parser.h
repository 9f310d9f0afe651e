// Splits the byte stream from the client into the receiver's commands.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace receiver_sim {

// The byte that lets a search or scan stopped on a signal go on. It acts on
// its own, wherever it arrives, without a CR.
inline constexpr char kContinueByte = '\x1e';

struct Command {
    std::string text;  // without CR; kContinueByte alone for the control byte
    bool overlong = false;  // the line was longer than kMaxLine: text holds its start
};

class CommandParser {
public:
    static constexpr std::size_t kMaxLine = 256;

    // Commands completed by these bytes. A CR ends a line; an empty line is
    // no command. LF and NUL are dropped. Other bytes, printable or not, are
    // part of the line.
    std::vector<Command> feed(std::string_view bytes);

private:
    std::string line_;
    bool overlong_ = false;
};

}  // namespace receiver_sim
