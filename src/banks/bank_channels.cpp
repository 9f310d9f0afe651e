#include "banks/bank_channels.h"

#include <algorithm>

#include "voice/speech.h"

namespace voxpan {

namespace {

bool carriesNothing(const Text& line) { return line == kEndMarker || withoutBlanks(line).empty(); }

// The lines a part takes once laid out: an even number.
int laidOutSize(const std::vector<Text>& lines) { return static_cast<int>(lines.size() + lines.size() % 2); }

}  // namespace

bool isChannelFrequency(std::string_view line) { return line != kEndMarker && isFrequencyText(withoutBlanks(line)); }

BankChannels channelsOf(const BankTable& table) {
    BankChannels bank;
    std::copy_n(table.begin(), kFirstChannelIndex, bank.header.begin());
    int from = kFirstChannelIndex;
    if (isChannelFrequency(table[kFirstChannelIndex - 1])) {
        bank.header[kFirstChannelIndex - 1] = " ";
        from = kFirstChannelIndex - 1;
    }
    const int end = bankEndIndex(table);
    for (int i = from; i < end; ++i) {
        const Text& line = table[static_cast<std::size_t>(i)];
        if (isChannelFrequency(line)) {
            bank.channels.push_back({{line}, i});
        } else if (!bank.channels.empty() && bank.channels.back().lines.size() == 1) {
            bank.channels.back().lines.push_back(line);
        } else if (!carriesNothing(line)) {
            (bank.channels.empty() ? bank.lead : bank.channels.back().lines).push_back(line);
        }
    }
    return bank;
}

int laidOutIndex(const BankChannels& bank, std::size_t position) {
    int index = kFirstChannelIndex + laidOutSize(bank.lead);
    for (std::size_t k = 0; k < position && k < bank.channels.size(); ++k) index += laidOutSize(bank.channels[k].lines);
    return index;
}

std::optional<BankTable> laidOut(const BankChannels& bank) {
    const int end = laidOutIndex(bank, bank.channels.size());
    // A marker on line 400 is not written: the file is then 400 lines whole.
    if (end > kUnmarkedEnd) return std::nullopt;
    BankTable table{};
    std::copy(bank.header.begin(), bank.header.end(), table.begin());
    auto at = table.begin() + kFirstChannelIndex;
    auto place = [&](const std::vector<Text>& lines) {
        at = std::copy(lines.begin(), lines.end(), at);
        if (lines.size() % 2 == 1) *at++ = " ";
    };
    place(bank.lead);
    for (const BankChannel& channel : bank.channels) place(channel.lines);
    *at = kEndMarker;
    return table;
}

bool saveChannels(Panel& panel, const BankChannels& bank) {
    const std::optional<BankTable> table = laidOut(bank);
    if (!table) {
        speakWord(panel, "bf");
        return false;
    }
    return saveChangedBank(panel, *table);
}

}  // namespace voxpan
