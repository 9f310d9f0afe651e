// Text at the edge of Windows: the system's own calls take UTF-16 (the "W"
// calls), the program keeps UTF-8. The "A" calls would pass every name
// through the system's code page, where a user folder in Cyrillic, Greek or
// Chinese letters comes back as "?".
#pragma once

#include <string>
#include <string_view>

namespace voxpan {

// UTF-8 to UTF-16; bytes that are no UTF-8 become U+FFFD.
std::wstring wideText(std::string_view utf8);
// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string utf8Text(std::wstring_view wide);

}  // namespace voxpan
