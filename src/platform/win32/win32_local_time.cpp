#include "platform/win32/win32_local_time.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace voxpan {

namespace {

constexpr long long kTicksPerMinute = 600'000'000;  // FILETIME counts 100 ns

long long ticksOf(const FILETIME& time) {
    ULARGE_INTEGER value{};
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<long long>(value.QuadPart);
}

}  // namespace

std::string isoTimestamp(int year, int month, int day, int hour, int minute, int second, int offsetMinutes) {
    const int east = std::abs(offsetMinutes);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", year, month, day, hour, minute, second,
                  offsetMinutes < 0 ? '-' : '+', east / 60, east % 60);
    return text;
}

std::string win32LocalTimestamp() {
    // One moment, taken once, turned into local time by the zone's rules for
    // that moment: the offset is the difference, summer time included.
    FILETIME utcTime{};
    GetSystemTimeAsFileTime(&utcTime);
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    FILETIME localTime{};
    FileTimeToSystemTime(&utcTime, &utc);
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) || !SystemTimeToFileTime(&local, &localTime)) {
        local = utc;
        localTime = utcTime;
    }
    // The local time keeps whole seconds' worth of the moment; the offset is
    // a whole number of minutes.
    const long long difference = ticksOf(localTime) - ticksOf(utcTime);
    const long long minutes = (difference + (difference >= 0 ? kTicksPerMinute / 2 : -kTicksPerMinute / 2)) /
                              kTicksPerMinute;
    return isoTimestamp(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond,
                        static_cast<int>(minutes));
}

}  // namespace voxpan
