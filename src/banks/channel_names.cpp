#include "banks/channel_names.h"

#include "banks/bank_channels.h"
#include "banks/bank_file.h"

namespace voxpan {

bool isChannelNameLine(std::string_view line) {
    return !withoutBlanks(line).empty() && !isChannelFrequency(line);
}

std::string channelNameAt(const BankTable& table, int index) {
    if (index < kFirstChannelIndex || index >= bankEndIndex(table) || !isChannelFrequency(table[static_cast<std::size_t>(index)].str()))
        return {};
    const Text& line = table[static_cast<std::size_t>(index) + 1];
    if (!isChannelNameLine(line.str())) return {};
    return std::string(withoutBlanks(line.str()));
}

std::string tunedChannelName(const Panel& panel) {
    if (panel.bankScanState == kBankScanOff) return {};
    const int index = panel.tunedChannelIndex;
    if (index < kFirstChannelIndex || index >= bankEndIndex(panel.bankLines)) return {};
    if (panel.bankLines[static_cast<std::size_t>(index)] != panel.workText) return {};
    return channelNameAt(panel.bankLines, index);
}

}  // namespace voxpan
