#include "platform/core/local_clock.h"

#include <chrono>
#include <ctime>

namespace voxpan {

namespace {
std::string formatNow(const char* pattern) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    std::size_t length = std::strftime(buffer, sizeof buffer, pattern, &local);
    return std::string(buffer, length);
}
}  // namespace

std::string localDateText() { return formatNow("%d-%m-%Y"); }
std::string localTimeText() { return formatNow("%H:%M:%S"); }

std::int64_t steadyMillisecondsNow() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace voxpan
