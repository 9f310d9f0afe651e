#include "platform/win32/win32_device_names.h"

#include <algorithm>
#include <string>

namespace voxpan {

namespace {

constexpr std::string_view kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
// The digits of COM and LPT ports: 0 to 9 and the superscripts 1, 2 and 3
// of the Windows code page.
constexpr std::string_view kPortDigits = "0123456789\xB9\xB2\xB3";

}  // namespace

bool isWindowsDeviceName(std::string_view name) {
    if (name.starts_with("\\\\.\\") || name.starts_with("//./")) return true;
    // The last part of the path up to its first dot; blanks before the dot
    // do not count.
    const std::size_t separator = name.find_last_of("\\/:");
    std::string_view base = separator == std::string_view::npos ? name : name.substr(separator + 1);
    base = base.substr(0, base.find('.'));
    while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
    std::string upper(base);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    if (std::find(std::begin(kDevices), std::end(kDevices), upper) != std::end(kDevices)) return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
           kPortDigits.find(upper[3]) != std::string_view::npos;
}

}  // namespace voxpan
