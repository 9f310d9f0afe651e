#include "banks/bank_editing.h"

#include <algorithm>
#include <vector>

#include "banks/bank_channels.h"
#include "banks/bank_file.h"
#include "banks/bank_walk.h"
#include "controls/mode_line.h"
#include "controls/tune_and_show.h"
#include "radio/receiver_controls.h"
#include "radio/serial_link.h"
#include "voice/speech.h"

namespace voxpan {

void tuneBankChannel(Panel& panel, int index) {
    panel.tunedChannelIndex = index;
    panel.workText = panel.bankLines[static_cast<std::size_t>(index)];
    panel.frequencyText = panel.workText;
    tuneVfoA(panel);
}

void selectBank(Panel& panel) {
    panel.bankFileName = bankFileNameFor(panel.entryText);
    pauseBetweenCommands(panel);
    panel.commandText = "MQA%%";
    sendCommand(panel);
    readBankFile(panel);
    if (panel.bankReadError != 0) {
        panel.bankScanState = kBankScanOff;
        panel.selectedBankLoaded = 0;
        return;
    }
    panel.entryMode = kEntryNone;
    panel.bankScanState = kBankSelected;
    panel.scanIndex = kFirstChannelIndex;
    panel.selectedBankLoaded = 1;

    pauseBetweenCommands(panel);
    panel.modeText = panel.bankLines[1];
    showAndSetMode(panel);
    // An empty bank has no first channel: its marker is not a frequency.
    if (channelCount(panel.bankLines) > 0) {
        pauseBetweenCommands(panel);
        tuneBankChannel(panel, kFirstChannelIndex);
    }
    pauseBetweenCommands(panel);
    sendBankStep(panel);
    speakWord(panel, "sel");
}

void sendBankStep(Panel& panel) {
    // A damaged step line leaves the panel's step as it was rather than
    // sending the receiver a step of nothing.
    const Text& step = panel.bankLines[2];
    if (isFrequencyText(step) && numberOf(step) > 0) panel.searchStepText = step;
    sendStep(panel);
}

void sortBank(Panel& panel) {
    panel.bankFileName = bankFileNameFor(panel.entryText);
    readBankFile(panel);
    if (panel.bankReadError != 0) return;

    BankChannels bank = channelsOf(panel.bankLines);
    std::vector<BankChannel>& channels = bank.channels;
    // Equal values keep their order; a run of the same text, however long,
    // leaves its first channel. 145.5 and 145.50 are two texts and stay two.
    std::stable_sort(channels.begin(), channels.end(), [](const BankChannel& a, const BankChannel& b) {
        return numberOf(a.frequency()) < numberOf(b.frequency());
    });
    channels.erase(std::unique(channels.begin(), channels.end(),
                               [](const BankChannel& kept, const BankChannel& next) {
                                   return kept.frequency() == next.frequency();
                               }),
                   channels.end());

    if (!saveChannels(panel, bank)) return;
    panel.scanIndex = panel.lastIndex;
    speakWord(panel, "ok");
}

void deleteChannel(Panel& panel) {
    BankChannels bank = channelsOf(panel.bankLines);
    const auto current = std::find_if(bank.channels.begin(), bank.channels.end(),
                                      [&](const BankChannel& channel) { return channel.index == panel.scanIndex; });
    if (panel.selectedBankLoaded != 1 || panel.bankScanState != kBankSelected || current == bank.channels.end()) {
        speakWord(panel, "inv");
        return;
    }
    // Every later channel moves up into its place.
    const std::size_t position = static_cast<std::size_t>(current - bank.channels.begin());
    bank.channels.erase(current);

    if (!saveChannels(panel, bank)) return;
    // The channel that moved into the place is the current one; after the
    // last channel the operator is back on the first, as Up would take them.
    panel.scanIndex = laidOutIndex(bank, position < bank.channels.size() ? position : 0);
    if (!bank.channels.empty()) tuneBankChannel(panel, panel.scanIndex);
    speakWord(panel, "ok");
}

}  // namespace voxpan
