#include "banks/bank_editing.h"

#include <algorithm>
#include <vector>

#include "banks/bank_file.h"
#include "banks/bank_walk.h"
#include "controls/mode_line.h"
#include "controls/tune_and_show.h"
#include "radio/receiver_controls.h"
#include "radio/serial_link.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

}  // namespace

void tuneBankChannel(Panel& panel, int index) {
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

    struct Channel {
        Text frequency;
        Text blank;
        double value = 0;
    };
    const int end = bankEndIndex(panel.bankLines);
    std::vector<Channel> channels;
    for (int i = kFirstChannelIndex; i < end; i += 2) {
        const Text& frequency = panel.bankLines[static_cast<std::size_t>(i)];
        channels.push_back({frequency, panel.bankLines[static_cast<std::size_t>(i) + 1], numberOf(frequency)});
    }
    // Equal values keep their order; a run of the same text, however long,
    // leaves its first channel. 145.5 and 145.50 are two texts and stay two.
    std::stable_sort(channels.begin(), channels.end(),
                     [](const Channel& a, const Channel& b) { return a.value < b.value; });
    channels.erase(std::unique(channels.begin(), channels.end(),
                               [](const Channel& kept, const Channel& next) { return kept.frequency == next.frequency; }),
                   channels.end());

    BankTable sorted{};
    std::copy_n(panel.bankLines.begin(), kFirstChannelIndex, sorted.begin());
    int at = kFirstChannelIndex;
    for (const Channel& channel : channels) {
        sorted[static_cast<std::size_t>(at)] = channel.frequency;
        sorted[static_cast<std::size_t>(at) + 1] = channel.blank;
        at += 2;
    }
    sorted[static_cast<std::size_t>(at)] = kEndMarker;

    if (!saveChangedBank(panel, sorted)) return;
    panel.scanIndex = panel.lastIndex;
    speakWord(panel, "ok");
}

void deleteChannel(Panel& panel) {
    const int end = bankEndIndex(panel.bankLines);
    const int index = panel.scanIndex;
    const bool onAChannel = index >= kFirstChannelIndex && index < end && index % 2 == 0;
    if (panel.selectedBankLoaded != 1 || panel.bankScanState != kBankSelected || !onAChannel) {
        speakWord(panel, "inv");
        return;
    }
    // Every later channel moves up by one, the marker with them.
    BankTable shortened = panel.bankLines;
    std::copy(shortened.begin() + index + 2, shortened.begin() + end, shortened.begin() + index);
    shortened[static_cast<std::size_t>(end) - 2] = kEndMarker;
    shortened[static_cast<std::size_t>(end) - 1] = Text{};
    shortened[static_cast<std::size_t>(end)] = Text{};
    shortened[static_cast<std::size_t>(end) + 1] = Text{};

    if (!saveChangedBank(panel, shortened)) return;
    // The channel that moved into the place is the current one; after the
    // last channel the operator is back on the first, as Up would take them.
    if (index >= end - 2) panel.scanIndex = kFirstChannelIndex;
    if (channelCount(panel.bankLines) > 0) tuneBankChannel(panel, panel.scanIndex);
    speakWord(panel, "ok");
}

}  // namespace voxpan
