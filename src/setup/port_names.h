// How the operator names the receiver's serial port, and how VOXPAN.CFG
// holds it, on the system pansetup runs on: a device path on Linux
// (/dev/ttyUSB0, written as it is), a COM port on Windows (COM5, written as
// its number); on both, a receiver on the network (tcp:HOST:PORT or
// rfc2217:HOST:PORT, written as it is).
#pragma once

#include <string>
#include <string_view>

namespace voxpan::setup {

// The words that name ports in the texts.
struct PortWords {
    std::string_view kind;        // what --port takes: "a device path such as /dev/ttyUSB0"
    std::string_view optionHelp;  // --port's description in the help text, after "serial port, "
    std::string_view typed;       // what is typed instead of a number from the list: "device path"
    std::string_view typedHint;   // how to type one when no port was found: "the device's path"
};
extern const PortWords kPortWords;

// Whether a port text names a port pansetup may write on line 1: a device
// path with no line break or other control character; on Windows COM1 to
// COM256, in any case; or a network port that names a host and a port.
bool isWritablePortText(std::string_view port);

// Why a port typed instead of a number from the list is not taken, in one
// line; empty when it is. `listShown`: there was a list to choose from.
std::string typedPortProblem(std::string_view typed, bool listShown);

// The port as line 1 holds it after "COM:".
std::string portForFile(std::string_view port);
// The port that line 1's text from column 5 names, as the operator would
// write it: a COM number n is /dev/ttyS<n-1> on Linux and COMn on Windows.
// Empty when it names none.
std::string portFromFile(std::string_view portText);

}  // namespace voxpan::setup
