#include "setup/port_discovery.h"

#include <windows.h>

#include <algorithm>

#include "radio/port_selection.h"
#include "setup/win32/port_words.h"

namespace voxpan::setup {

namespace {

// The registry's list of the serial ports there are now: each value is
// named after the driver's device and holds the port's name.
constexpr const char* kSerialPortsKey = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
constexpr DWORD kLongestName = 256;

}  // namespace

std::vector<FoundPort> findSerialPorts(const std::filesystem::path&) {
    std::vector<FoundPort> ports;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSerialPortsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return ports;
    for (DWORD index = 0;; ++index) {
        char name[kLongestName];
        DWORD nameLength = kLongestName;
        char data[kLongestName + 1] = {};
        DWORD dataLength = kLongestName;
        DWORD type = 0;
        const LONG result = RegEnumValueA(key, index, name, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataLength);
        if (result == ERROR_NO_MORE_ITEMS) break;
        // A name the panel cannot be given (a virtual port called CNCA0, say) is left out.
        if (result != ERROR_SUCCESS || type != REG_SZ) continue;
        const std::string port(data);
        if (comPortNumber(port) == 0) continue;
        ports.push_back({port, windowsSerialDeviceFor(port), serialDriverWords(std::string_view(name, nameLength))});
    }
    RegCloseKey(key);
    std::sort(ports.begin(), ports.end(),
              [](const FoundPort& a, const FoundPort& b) { return comPortNumber(a.path) < comPortNumber(b.path); });
    return ports;
}

}  // namespace voxpan::setup
