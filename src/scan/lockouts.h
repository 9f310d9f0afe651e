// Locked-out frequencies: a birdie or a busy channel the search is to pass
// over. X, while the search is stopped on a signal, locks its frequency out
// for good; "lockout.dat" in the working folder keeps them, one MHz text a
// line in the order they were locked out, always written whole. A later
// stop within half the search step of one of them is passed at once.
#pragma once

#include <string_view>

#include "panel/panel_state.h"

namespace voxpan {

inline constexpr std::string_view kLockoutFileName = "lockout.dat";

// Reads the lockouts (at start-up and at every R, so that a file changed by
// another program takes effect). Blank lines and lines that are no
// frequency are passed over; a missing file holds none. A file of that name
// that cannot be read leaves the lockouts as they were, is told once on
// stderr, and gives false.
bool readLockouts(Panel& panel);

// Whether a stop on this frequency is to be passed: it lies within half the
// current search step of a locked-out frequency (the step as typed, e.g.
// 6.25 kHz: within 3.125 kHz).
bool isLockedOut(const Panel& panel, std::string_view megahertz);

// The X key. While the search is stopped on a signal whose frequency is
// known (also during the hold of continue mode): says "lockout", lets the
// search go on at once (byte 0x1E), takes the frequency out of the search
// list and adds it to lockout.dat; when the file cannot be written "inv"
// follows, and the lockout holds for this run only. At any other moment X
// says "inv".
void lockOutStoppedFrequency(Panel& panel);

// A search stopped on a locked-out frequency goes on at once: the byte
// 0x1E, and no word, no hit and no line in the hit log. False, and nothing
// done, for a frequency that is not locked out.
bool passLockedOutStop(Panel& panel, std::string_view megahertz);

}  // namespace voxpan
