#include "command_parser.h"

namespace receiver_sim {

std::vector<Command> CommandParser::feed(std::string_view bytes) {
    std::vector<Command> commands;
    for (char byte : bytes) {
        switch (byte) {
        case '\r':
            if (!line_.empty() || overlong_) {
                commands.push_back(Command{line_, overlong_});
            }
            line_.clear();
            overlong_ = false;
            break;
        case '\n':
        case '\0':
            break;
        case kContinueByte:
            commands.push_back(Command{std::string(1, kContinueByte), false});
            break;
        default:
            if (line_.size() < kMaxLine) {
                line_.push_back(byte);
            } else {
                overlong_ = true;
            }
            break;
        }
    }
    return commands;
}

}  // namespace receiver_sim
