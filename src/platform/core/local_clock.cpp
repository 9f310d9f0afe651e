#include "platform/core/local_clock.h"

#include <chrono>
#include <cstdio>
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

std::string timestampText(const std::tm& local, long offsetSeconds) {
    const long minutes = (offsetSeconds >= 0 ? offsetSeconds + 30 : offsetSeconds - 30) / 60;
    const long east = minutes < 0 ? -minutes : minutes;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, minutes < 0 ? '-' : '+',
                  east / 60, east % 60);
    return buffer;
}

std::string localTimestampText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return timestampText(local, local.tm_gmtoff);
}

std::int64_t steadyMillisecondsNow() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace voxpan
