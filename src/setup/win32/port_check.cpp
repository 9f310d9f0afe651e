#include "setup/port_check.h"

#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/wide_text.h"
#include "radio/port_selection.h"
#include "setup/network_ports.h"
#include "setup/win32/port_words.h"

namespace voxpan::setup {

PortCheck checkPort(const std::string& port) {
    if (namesNetworkPort(port)) return checkNetworkPort(port);
    PortCheck check;
    const std::string device = windowsSerialDeviceFor(port);
    if (device.empty()) {
        check.problem = port + " is not a port: name one such as COM5.";
        return check;
    }
    // For the panel alone, as it opens the port: a program that has it open
    // keeps others out.
    HANDLE handle = CreateFileW(wideText(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        check.problem = openFailureText(port, GetLastError());
        return check;
    }
    DCB state{};
    state.DCBlength = sizeof state;
    if (GetCommState(handle, &state)) check.opens = true;
    else check.problem = port + " is not a serial port.";
    CloseHandle(handle);
    return check;
}

}  // namespace voxpan::setup
