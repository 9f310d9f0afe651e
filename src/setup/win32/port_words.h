// What pansetup says about COM ports on Windows: their numbers, the kind of
// port a driver serves, and why a port does not open.
#pragma once

#include <string>
#include <string_view>

namespace voxpan::setup {

// The number n of a name COMn, 1 to 256, in any case; 0 for any other name.
int comPortNumber(std::string_view name);

// The kind of port behind a driver's device name as the registry lists it
// (\Device\VCP0 is FTDI's USB serial adapter), in words.
std::string serialDriverWords(std::string_view deviceName);

// Why the port does not open, from the error CreateFile gave, and what to
// do about it.
std::string openFailureText(const std::string& port, unsigned long error);

}  // namespace voxpan::setup
