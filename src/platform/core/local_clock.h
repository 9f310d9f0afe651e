// Today's date and the local time, as the log header shows them.
#pragma once

#include <string>

namespace voxpan {

std::string localDateText();  // "dd-MM-yyyy"
std::string localTimeText();  // "HH:MM:SS", 24-hour clock

}  // namespace voxpan
