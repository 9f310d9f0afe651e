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

class SetupSerialPort : public ReceiverPort<Win32SerialPort> {
public:
    SetupSerialPort()
        : ReceiverPort(win32Sockets(), [](const std::string& line) { ErrorOutput::process().line(line); },
                       ErrorOutput::process()) {}
    // COM5 or com12: the number names the port, as the panel takes it.
    bool open(const std::string& port, int baudRate) {
        return ReceiverPort::open(windowsSerialDeviceFor(port), baudRate);
    }
};

inline Sockets& systemSockets() { return win32Sockets(); }

}  // namespace voxpan::setup
