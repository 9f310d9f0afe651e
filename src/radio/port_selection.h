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

}  // namespace voxpan
