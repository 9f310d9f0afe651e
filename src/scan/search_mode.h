// Search mode: the receiver searches between the two limits by itself and
// the panel keeps the frequencies where it stopped in the search list,
// "bank00.dat" (label "Scanbank"). The list is saved whole as each hit
// comes, and once more by the Enter that ends the search.
#pragma once

#include <string_view>

#include "panel/panel_state.h"

namespace voxpan {

inline constexpr std::string_view kSearchListName = "bank00.dat";

// R with no bank in use: writes a new, empty search list before any
// command, sets VFO A and B to the limits, the step and the mode, and sends
// "VS". A list that cannot be written says "inv" (the old file stays as it
// was) and the search runs all the same, its hits kept in memory.
void startSearch(Panel& panel);

// From the receiver's answer to "RX" in replyText: frequencyText := the ten
// digits after "RF", workText := the same frequency in MHz without leading
// and trailing zeros (0145500000 gives 145.5). lastResult is the position
// of "RF", or 0 when there is no "RF" followed by ten digits; then nothing
// else changes and the caller asks again.
void takeStoppedFrequency(Panel& panel);

// Adds workText to the list unless it is there already or is no frequency,
// and saves the list. With the list full (197 hits) the hit is dropped and
// "bf" is said. The first failed save of a search says "inv". In continue
// mode the new count is said.
void recordSearchHit(Panel& panel);

// Takes the frequency (this exact text) out of the list with the lines that
// go with it, lowers the count of hits and saves the list. Nothing happens
// when the list does not hold it.
void dropSearchHit(Panel& panel, std::string_view megahertz);

// The end of a search, at every Enter while searchState is above 0: saves
// the list and says the count of hits, or "inv" when the list could not be
// saved; searchState becomes kSearchOff.
void finishSearch(Panel& panel);

}  // namespace voxpan
