// Whether a typed frequency, limit or step fits the receiver's command
// field. The panel builds "VA"/"VB" and "ST" by padding the text as typed
// with leading zeros, so a text that does not fit would tune somewhere the
// operator never asked for.
#pragma once

#include <string_view>

namespace voxpan {

// MHz for "VA"/"VB": digits with at most one point and at least one digit;
// at most four digits of MHz with the padding zeros, at most five decimals.
// ".5" is 0.5 MHz.
bool fitsFrequencyField(std::string_view text);
// kHz for "ST": the same form with at most three digits of kHz and two
// decimals, and above 0.
bool fitsStepField(std::string_view text);

}  // namespace voxpan
