// A pseudo-terminal whose slave side stands for the receiver's serial port.
// The tool keeps the slave open itself, so a client closing and reopening
// the device never hangs up the master, and the line settings the client
// applies can be read back.
#pragma once

#include <string>

#include <termios.h>

namespace receiver_sim {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Opens both sides, the master non-blocking, and sets the line raw.
    // False with `error` filled when it cannot.
    bool open(std::string& error);

    int master() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }
    // The slave's current line settings; false when they cannot be read.
    bool lineSettings(termios& settings) const;

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

// Makes `linkPath` a symbolic link to `target`, replacing an earlier
// symbolic link there but nothing else.
bool makeDeviceLink(const std::string& linkPath, const std::string& target, std::string& error);

}  // namespace receiver_sim
