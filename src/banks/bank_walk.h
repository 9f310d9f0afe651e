// Moving from channel to channel of a bank table: browsing with Up and
// Down, the bank scan's step and its restart, the place after a delete.
// Whatever index they are given (on the marker, in the header, below 0,
// past the table), they give the index of a channel's frequency line, so
// no caller reads outside the table.
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

// Channels before the end marker; 0 for an empty bank.
int channelCount(const BankTable& table);
// The channel after the one at index: past the last channel (or from the
// marker or beyond) the first one, index 4; from below the first channel
// the first one. With no channels, 4 (the marker): callers tune nothing.
int nextChannelIndex(const BankTable& table, int index);
// The channel before the one at index: below the first channel the last
// one; from the marker or beyond the last one. With no channels, 4.
int previousChannelIndex(const BankTable& table, int index);

}  // namespace voxpan
