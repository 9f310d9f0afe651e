// Today's date and the local time, as the log header shows them, and a
// clock for measuring waits.
#pragma once

#include <cstdint>
#include <string>

namespace voxpan {

std::string localDateText();  // "dd-MM-yyyy"
std::string localTimeText();  // "HH:MM:SS", 24-hour clock
// Milliseconds of a monotonic clock: unmoved by changes of the wall clock.
std::int64_t steadyMillisecondsNow();

}  // namespace voxpan
