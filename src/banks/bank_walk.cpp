#include "banks/bank_walk.h"

#include "banks/bank_file.h"

namespace voxpan {

int channelCount(const BankTable& table) { return (bankEndIndex(table) - kFirstChannelIndex) / 2; }

int nextChannelIndex(const BankTable& table, int index) {
    const int last = bankEndIndex(table) - 2;
    if (last < kFirstChannelIndex) return kFirstChannelIndex;
    if (index < kFirstChannelIndex || index >= last) return kFirstChannelIndex;
    // An odd index is the blank line of a channel: the channel it belongs to.
    return index - index % 2 + 2;
}

int previousChannelIndex(const BankTable& table, int index) {
    const int last = bankEndIndex(table) - 2;
    if (last < kFirstChannelIndex) return kFirstChannelIndex;
    if (index <= kFirstChannelIndex + 1 || index > last + 1) return last;
    return index - index % 2 - 2;
}

}  // namespace voxpan
