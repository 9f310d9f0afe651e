// Which serial device the configuration's port text names. On both systems
// a network port, "tcp:HOST:PORT" or "rfc2217:HOST:PORT" (platform.h), is
// named as written, without surrounding blanks: its last digit is no COM
// port's number.
#pragma once

#include <string>
#include <string_view>

namespace voxpan {

// On Linux: a text holding "/" names the device itself (/dev/ttyUSB0, a
// pseudo-terminal, /dev/serial/by-id/...), without surrounding blanks.
// Otherwise its last character is the number n of COMn, which is
// /dev/ttyS<n-1>; port 0 or a non-digit names nothing ("").
std::string serialDeviceFor(std::string_view portText);
// On Windows: a text holding "\" or "/" names the device as written
// (\\.\COM12), without surrounding blanks. Otherwise the digits at its end
// (blanks after them aside) are the number n of COMn, 1 to 256, which is
// \\.\COMn; no digit, 0 or a larger number names nothing ("").
std::string windowsSerialDeviceFor(std::string_view portText);
// The device the port text names on the system the panel runs on.
std::string systemSerialDeviceFor(std::string_view portText);

// Why the port text names no device the panel may open: a control byte in
// it (a NUL would silently cut the device name short). "" when it is fine;
// blanks and tabs around it are allowed.
std::string portTextFault(std::string_view portText);
// True when the speed text, blanks and tabs around it aside, is digits only.
bool isPlainNumber(std::string_view text);

}  // namespace voxpan
