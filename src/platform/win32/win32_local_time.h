// The local time with its offset from UTC, as the hit log stamps its lines:
// "2026-12-07T21:04:05+01:00".
#pragma once

#include <string>

namespace voxpan {

// Now, by the system's time zone and its summer time rules.
std::string win32LocalTimestamp();

// A local date and time and its offset east of UTC in minutes, written as
// above; a negative offset gives "-HH:MM", none "+00:00".
std::string isoTimestamp(int year, int month, int day, int hour, int minute, int second, int offsetMinutes);

}  // namespace voxpan
