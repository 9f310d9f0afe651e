#include "setup/port_discovery.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/wide_text.h"
#include "radio/port_selection.h"
#include "setup/win32/port_words.h"

namespace voxpan::setup {

namespace {

// The registry's list of the serial ports there are now: each value is
// named after the driver's device and holds the port's name.
constexpr const wchar_t* kSerialPortsKey = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";
constexpr DWORD kLongestName = 256;

}  // namespace

std::vector<FoundPort> findSerialPorts(const std::filesystem::path&) {
    std::vector<FoundPort> ports;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSerialPortsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return ports;
    for (DWORD index = 0;; ++index) {
        wchar_t name[kLongestName];
        DWORD nameLength = kLongestName;
        wchar_t data[kLongestName + 1] = {};
        DWORD dataLength = kLongestName * sizeof(wchar_t);  // in bytes
        DWORD type = 0;
        const LONG result = RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataLength);
        if (result == ERROR_NO_MORE_ITEMS) break;
        // A name the panel cannot be given (a virtual port called CNCA0, say) is left out.
        if (result != ERROR_SUCCESS || type != REG_SZ) continue;
        const std::string port = utf8Text(data);
        if (comPortNumber(port) == 0) continue;
        ports.push_back({port, windowsSerialDeviceFor(port), serialDriverWords(utf8Text({name, nameLength}))});
    }
    RegCloseKey(key);
    std::sort(ports.begin(), ports.end(),
              [](const FoundPort& a, const FoundPort& b) { return comPortNumber(a.path) < comPortNumber(b.path); });
    return ports;
}

}  // namespace voxpan::setup
