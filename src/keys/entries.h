// Prompted entries: a prompt key opens an entry and says its word, typed
// digits, points and letters are spoken back at once, and Enter completes
// the entry with "ok" or refuses it with "inv". Without an open entry the
// digits type a new frequency and Enter tunes it.
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

// Opens the entry of a prompt key (S, E, I, T, P, O, B, G, W, D, K) and says
// its words; the conditions of D and K are the dispatcher's.
void openEntry(Panel& panel, EntryMode mode);
// The decimal point or a digit in currentKey.
void enterDigit(Panel& panel);
// The receiver bank letter of a transfer (entry 9) or of a memory scan
// (entry 8), in currentKey.
void handleEntryKey(Panel& panel);
// Enter: ends a running search, then completes the open entry.
void completeEntry(Panel& panel);
// Tunes workText when no entry is open and something was typed or shown.
void tuneTypedFrequency(Panel& panel);
// Any key but a digit, the point, Q and Enter leaves an open limit entry:
// the limit goes back to what it was before the prompt.
void cancelLimitEntry(Panel& panel);

}  // namespace voxpan
