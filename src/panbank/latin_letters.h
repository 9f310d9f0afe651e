// Letters of other Latin alphabets in plain ASCII, for names that go into
// a bank, the receiver's memory text and the listener's ear.
#pragma once

#include <string>
#include <string_view>

namespace voxpan::panbank {

// The text in ASCII: accented Latin letters become their base letters ("Ü"
// is "U", "ñ" is "n"), ligatures and sharp s their letters ("Æ" is "AE",
// "ß" is "ss"), typographic quotes and dashes the plain ones, a no-break
// space a blank; what has no such form (other alphabets, symbols) is left
// out. The text is read as UTF-8; a byte that is no part of UTF-8 is taken
// as Latin-1, as older programs write it.
std::string latinLettersInAscii(std::string_view text);

}  // namespace voxpan::panbank
