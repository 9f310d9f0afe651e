// A bank as a CHIRP channel list: the header line CHIRP writes, then one row
// per channel, as CHIRP writes a plain receive channel.
#pragma once

#include <string>
#include <vector>

#include "panel/panel_state.h"

namespace voxpan::panbank {

struct ListExport {
    // Why the bank cannot be written as a list; empty when it can.
    std::string problem;
    // The list's lines, without their line ends.
    std::vector<std::string> lines;
    // Channels left out, and other things the operator should know.
    std::vector<std::string> notes;
};

// The channels of the table up to its end marker; Location is the channel's
// position in the bank, as a transfer numbers it.
ListExport channelListOf(const BankTable& table);

}  // namespace voxpan::panbank
