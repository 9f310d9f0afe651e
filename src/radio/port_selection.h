// Which serial device the configuration's port text names.
#pragma once

#include <string>
#include <string_view>

namespace voxpan {

// A text holding "/" names the device itself (/dev/ttyUSB0, a pseudo-terminal,
// /dev/serial/by-id/...), without surrounding blanks. Otherwise its last
// character is the number n of COMn, which is /dev/ttyS<n-1>; port 0 or a
// non-digit names nothing ("").
std::string serialDeviceFor(std::string_view portText);

// Why the port text names no device the panel may open: a control byte in
// it (a NUL would silently cut the device name short). "" when it is fine;
// blanks and tabs around it are allowed.
std::string portTextFault(std::string_view portText);
// True when the speed text, blanks and tabs around it aside, is digits only.
bool isPlainNumber(std::string_view text);

}  // namespace voxpan
