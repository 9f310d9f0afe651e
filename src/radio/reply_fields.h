// Picking the panel's fields out of the receiver's replies. Pure text work:
// the replies arrive cut at any point and with stray bytes, and none of
// that may reach the display, the search list or a bank.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace voxpan {

// The level reply "LM" + squelch character + three digits of level: the
// third character is "%" while the squelch is closed.
bool squelchClosedIn(std::string_view reply);
// The level reading of an "LM" reply divided by 12, rounded down, never
// below 0. Used only when the reply begins with "LM".
std::int32_t signalLevelIn(std::string_view reply);
// The level reading itself, characters 4 to 6 of an "LM" reply, kept
// within 0 to 255, the receiver's range.
std::int32_t levelReadingIn(std::string_view reply);

// The `count` characters after the first "RF" of the reply when they are
// all digits; "" when there is no "RF", the reply ends sooner, or a blank,
// a carriage return or any other byte stands among them.
std::string digitsAfterRf(std::string_view reply, int count);

// The receiver reports a frequency as four digits of MHz and the fraction:
// 0145500000 reads 145.5. Leading zeros go; trailing zeros go too when
// `dropTrailingZeros` (a search hit is stored that way).
std::string megahertzFromDigits(std::string_view digits, bool dropTrailingZeros);

}  // namespace voxpan
