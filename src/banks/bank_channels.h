// A bank's channels taken by their frequencies, for the operations that
// rewrite a bank (sort, channel delete, copy, put). In a bank the panel
// wrote, each channel is two lines: its frequency on an even line from 4 on
// and its reserved line (" ") after it. A bank edited by hand can be out of
// step: a frequency on a reserved line, a reserved line missing or one too
// many, the header's blank missing. Here a channel is a frequency and the
// lines after it up to the next frequency, wherever the lines stand, so that
// no frequency is lost and every other line moves with its channel; laid out
// again, each frequency stands on a channel's line. A bank in step (every
// even line a frequency, every odd one not, line 3 no frequency) comes back
// line for line as it was.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "banks/bank_file.h"
#include "panel/panel_state.h"

namespace voxpan {

struct BankChannel {
    // Its frequency, then the lines that go with it.
    std::vector<Text> lines;
    // Where its frequency stands in the table it was taken from.
    int index = 0;
    const Text& frequency() const { return lines.front(); }
};

struct BankChannels {
    std::array<Text, kFirstChannelIndex> header;
    // Lines before the first frequency: they belong to no channel.
    std::vector<Text> lead;
    std::vector<BankChannel> channels;
};

// A channel's frequency: digits with at most one point, blanks around them
// allowed. "9999" is the end marker's text, never a channel's.
bool isChannelFrequency(std::string_view line);

// The channels of the lines before the end marker. A frequency on line 3 is
// taken as the first channel (the header's blank is missing) and line 3
// becomes " ". The first line after a frequency is its reserved line,
// whatever it holds; further lines that are blank or a stray "9999" carry
// nothing and are left out (a "9999" on a channel's line would end the list
// when read back).
BankChannels channelsOf(const BankTable& table);

// The header, the lead and the channels, each channel from an even line; a
// part of an odd number of lines gets a " " after it (a channel then has its
// reserved line back). Nothing when the bank would not fit in a file.
std::optional<BankTable> laidOut(const BankChannels& bank);

// The line of the channel at this position once the bank is laid out.
int laidOutIndex(const BankChannels& bank, std::size_t position);

// Lays the bank out and saves it as saveChangedBank does. A bank that does
// not fit in a file says "bf" and is not written. False when nothing was
// saved.
bool saveChannels(Panel& panel, const BankChannels& bank);

}  // namespace voxpan
