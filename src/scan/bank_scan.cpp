#include "scan/bank_scan.h"

#include "banks/bank_walk.h"
#include "controls/mode_line.h"
#include "controls/tune_and_show.h"
#include "radio/receiver_controls.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

constexpr int kFirstChannel = 4;

void tuneChannel(Panel& panel, int index) {
    panel.workText = panel.bankLines[static_cast<std::size_t>(index)];
    panel.frequencyText = panel.workText;
    tuneVfoA(panel);
    // Digits typed before the scan moved on do not join the channel's.
    panel.startNewFrequency = 1;
}

// Where the scan stands may have been left by another bank: a place that
// is no channel of this one counts as its first channel.
bool isChannelOf(const BankTable& lines, int index) {
    return index >= kFirstChannel && index % 2 == 0 && index < kFirstChannel + 2 * channelCount(lines);
}

}  // namespace

void restartBankScan(Panel& panel) {
    panel.bankScanState = kBankScanStarted;
    panel.scanIndex = kFirstChannel;
    if (channelCount(panel.bankLines) > 0) tuneChannel(panel, kFirstChannel);
    speakEffect(panel, "shdel");
    panel.modeText = panel.bankLines[1];
    showAndSetMode(panel);
    speakEffect(panel, "shdel");
    panel.searchStepText = panel.bankLines[2];
    sendStep(panel);
}

void tuneNextBankChannel(Panel& panel) {
    if (channelCount(panel.bankLines) == 0) return;
    if (!isChannelOf(panel.bankLines, panel.scanIndex)) panel.scanIndex = kFirstChannel;
    tuneChannel(panel, panel.scanIndex);
    panel.scanIndex = nextChannelIndex(panel.bankLines, panel.scanIndex);
}

}  // namespace voxpan
