#include "radio/port_selection.h"

#include <algorithm>
#include <cstdio>

#include "panel/text_values.h"
#include "platform/platform.h"

namespace voxpan {

namespace {
// Windows numbers its serial ports up to COM256.
constexpr int kHighestComPort = 256;
}  // namespace

std::string portTextFault(std::string_view portText) {
    const std::string_view name = withoutBlanks(portText);
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c >= 0x20 && c != 0x7f) continue;
        char reason[64];
        std::snprintf(reason, sizeof reason, "it holds the control byte 0x%02X at column %zu", c,
                      name.data() - portText.data() + i + 5);
        return reason;
    }
    return {};
}

bool isPlainNumber(std::string_view text) {
    const std::string_view digits = withoutBlanks(text);
    return !digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string serialDeviceFor(std::string_view portText) {
    if (namesNetworkPort(withoutBlanks(portText))) return std::string(withoutBlanks(portText));
    if (portText.find('/') != std::string_view::npos) return std::string(withoutBlanks(portText));
    if (portText.empty()) return {};
    const char last = portText.back();
    if (last < '1' || last > '9') return {};
    return "/dev/ttyS" + std::to_string(last - '1');
}

std::string windowsSerialDeviceFor(std::string_view portText) {
    const std::string_view name = withoutBlanks(portText);
    if (namesNetworkPort(name) || name.find_first_of("\\/") != std::string_view::npos) return std::string(name);
    const std::size_t digits = name.size() - (name.find_last_not_of("0123456789") + 1);
    if (digits == 0) return {};
    int number = 0;
    for (char c : name.substr(name.size() - digits)) {
        number = number * 10 + (c - '0');
        if (number > kHighestComPort) return {};
    }
    if (number == 0) return {};
    return "\\\\.\\COM" + std::to_string(number);
}

std::string systemSerialDeviceFor(std::string_view portText) {
#ifdef _WIN32
    return windowsSerialDeviceFor(portText);
#else
    return serialDeviceFor(portText);
#endif
}

}  // namespace voxpan
