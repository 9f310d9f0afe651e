// The serial port pansetup opens, as the panel opens it on the system it
// runs on: a device path through termios on Linux, a COM port by its name
// (COM5) through the Win32 communications calls on Windows.
#pragma once

#ifdef _WIN32
#include "setup/win32/win32_setup_port.h"
#else
#include "platform/core/serial_port.h"

namespace voxpan::setup {
using SetupSerialPort = SerialPort;
}  // namespace voxpan::setup
#endif
