#include "radio/port_selection.h"

namespace voxpan {

std::string serialDeviceFor(std::string_view portText) {
    if (portText.find('/') != std::string_view::npos) {
        constexpr std::string_view kBlanks = " \t";
        const auto first = portText.find_first_not_of(kBlanks);
        const auto last = portText.find_last_not_of(kBlanks);
        return std::string(portText.substr(first, last - first + 1));
    }
    if (portText.empty()) return {};
    const char last = portText.back();
    if (last < '1' || last > '9') return {};
    return "/dev/ttyS" + std::to_string(last - '1');
}

}  // namespace voxpan
