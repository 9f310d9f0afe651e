// The serial port pansetup opens, as the panel opens it on the system it
// runs on: a device path through termios on Linux, a COM port by its name
// (COM5) through the Win32 communications calls on Windows; on both, a
// receiver on the network ("tcp:HOST:PORT", "rfc2217:HOST:PORT") through
// the system's sockets.
#pragma once

#ifdef _WIN32
#include "setup/win32/win32_setup_port.h"
#else
#include "platform/core/posix_sockets.h"
#include "platform/core/receiver_port.h"
#include "platform/core/serial_port.h"

namespace voxpan::setup {

// Where the port's lines for the operator go: stderr.
inline void printSetupLine(const std::string& line) { printOnStandardError(line); }

class SetupSerialPort : public ReceiverPort<SerialPort> {
public:
    explicit SetupSerialPort(std::function<void(const std::string&)> tell = printSetupLine)
        : ReceiverPort(posixSockets(), std::move(tell)) {}
};

inline Sockets& systemSockets() { return posixSockets(); }

}  // namespace voxpan::setup
#endif
