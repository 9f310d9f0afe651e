// The COM port as pansetup opens it on Windows: by its name, through the
// panel's own serial port; or a receiver on the network through Winsock.
#pragma once

#include <string>

#include "platform/core/receiver_port.h"
#include "platform/win32/error_output.h"
#include "platform/win32/win32_network_port.h"
#include "platform/win32/win32_serial_port.h"
#include "radio/port_selection.h"

namespace voxpan::setup {

// Where the port's lines for the operator go: stderr, or voxpan.err.
inline void printSetupLine(const std::string& line) { ErrorOutput::process().line(line); }

class SetupSerialPort : public ReceiverPort<Win32SerialPort> {
public:
    explicit SetupSerialPort(std::function<void(const std::string&)> tell = printSetupLine)
        : ReceiverPort(win32Sockets(), std::move(tell), ErrorOutput::process()) {}
    // COM5 or com12: the number names the port, as the panel takes it.
    bool open(const std::string& port, int baudRate) {
        return ReceiverPort::open(windowsSerialDeviceFor(port), baudRate);
    }
};

inline Sockets& systemSockets() { return win32Sockets(); }

}  // namespace voxpan::setup
