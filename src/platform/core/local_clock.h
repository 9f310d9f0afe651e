// Today's date and the local time, as the log header shows them, and a
// clock for measuring waits.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace voxpan {

std::string localDateText();  // "dd-MM-yyyy"
std::string localTimeText();  // "HH:MM:SS", 24-hour clock
// "2026-12-07T21:04:05+01:00": the local time with its offset from UTC.
std::string localTimestampText();
// The same for a given moment of the local time and its offset east of UTC
// in seconds (rounded to whole minutes).
std::string timestampText(const std::tm& local, long offsetSeconds);
// Milliseconds of a monotonic clock: unmoved by changes of the wall clock.
std::int64_t steadyMillisecondsNow();

}  // namespace voxpan
