// A channel's name: the line after its frequency, where channel lists put
// it and the receiver's memory text takes it from.
#pragma once

#include <string>
#include <string_view>

#include "panel/panel_state.h"

namespace voxpan {

// Whether the line after a frequency names its channel: not when it is
// blank, nor when it is itself a frequency (another channel, in a bank
// edited out of step).
bool isChannelNameLine(std::string_view line);

// The name of the channel whose frequency stands at index, without blanks
// at either end; empty when it has none or index is no channel's.
std::string channelNameAt(const BankTable& table, int index);

// The name of the bank channel the receiver is on: the one tuned last from
// the bank in use, while the panel is still on its frequency. Empty
// otherwise.
std::string tunedChannelName(const Panel& panel);

}  // namespace voxpan
