// The COM port as pansetup opens it on Windows: by its name, through the
// panel's own serial port.
#pragma once

#include <string>

#include "platform/win32/error_output.h"
#include "platform/win32/win32_serial_port.h"
#include "radio/port_selection.h"

namespace voxpan::setup {

class SetupSerialPort : public Win32SerialPort {
public:
    SetupSerialPort() : Win32SerialPort(ErrorOutput::process()) {}
    // COM5 or com12: the number names the port, as the panel takes it.
    bool open(const std::string& port, int baudRate) {
        return Win32SerialPort::open(windowsSerialDeviceFor(port), baudRate);
    }
};

}  // namespace voxpan::setup
