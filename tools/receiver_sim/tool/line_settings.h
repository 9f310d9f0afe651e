// The line settings a client applied to the terminal, as one line of text:
// "speed=9600 data=8 parity=none stop=2 raw=yes".
#pragma once

#include <string>

#include <termios.h>

namespace receiver_sim {

// raw=yes when none of ECHO, ICANON, ISIG, OPOST, ICRNL, INLCR, IGNCR, IXON
// is set. The speed is the output speed; "other" when it is no standard one.
std::string describeLineSettings(const termios& settings);

}  // namespace receiver_sim
