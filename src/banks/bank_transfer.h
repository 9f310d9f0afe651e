// Writing a bank into one of the receiver's memory banks (W): one "MX"
// memory write per channel, paced by pauses, with no answer awaited.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "panel/panel_state.h"

namespace voxpan {

// A key the operator may give as the receiver bank: a printable ASCII
// character. Control keys and keys beyond ASCII would put bytes into "MQ",
// "MX" and file names that the receiver and the folder cannot take.
bool isReceiverBankCharacter(int code);

// The ten-digit hertz field of "MX" for a channel's MHz text, by the same
// conversion the tuning uses (145.5 and 0145.5 give 0145500000, .5 gives
// 0000500000, 433.075 gives 0433075000; decimals past the sixth add
// nothing). Empty for a text that is no frequency or needs more than ten
// digits.
std::optional<std::string> memoryFrequencyField(std::string_view megahertzText);

// The digit "MD" takes for a bank's mode line; empty for "AUT" and for a
// line that names no mode.
std::optional<char> modeDigitFor(std::string_view modeLine);

// The twelve characters of "TM" for a channel whose second line is given:
// the channel's name, its first 12 characters with blanks added up to 12,
// every byte that is no printable ASCII (a control byte, a letter of
// another alphabet in a file edited by hand) a blank. A channel without a
// name (its line empty or blanks only, or itself a frequency, as in a bank
// out of step) gets the twelve "x" the receiver always had.
std::string memoryTextField(std::string_view nameLine);

// entryText: two digits of the bank file, then the receiver bank. Reads the
// bank, says "wait", pauses ten times, then sends for each channel (at most
// 91, numbered "00" to "90" by their place in the bank) a pause and
// "MX" + bank + number + " RF" + hertz + " ST012500 MD" + mode digit +
// " TM" + its text field, with a "beep" for progress, and ends with "ok". A
// channel whose frequency the field cannot hold is left out and keeps its
// number. "inv" for a receiver bank that is no printable character,
// "incmode" for a bank without a mode digit; nothing is sent then.
void writeBankToReceiver(Panel& panel);

}  // namespace voxpan
