#include "scan/bank_scan.h"

#include "banks/bank_editing.h"
#include "banks/bank_file.h"
#include "banks/bank_walk.h"
#include "controls/mode_line.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

void tuneChannel(Panel& panel, int index) {
    tuneBankChannel(panel, index);
    // Digits typed before the scan moved on do not join the channel's.
    panel.startNewFrequency = 1;
}

// Where the scan stands may have been left by another bank: a place that
// is no channel of this one counts as its first channel.
bool isChannelOf(const BankTable& lines, int index) {
    return index >= kFirstChannelIndex && index % 2 == 0 && index < kFirstChannelIndex + 2 * channelCount(lines);
}

}  // namespace

void restartBankScan(Panel& panel) {
    panel.bankScanState = kBankScanStarted;
    panel.scanIndex = kFirstChannelIndex;
    if (channelCount(panel.bankLines) > 0) tuneChannel(panel, kFirstChannelIndex);
    pauseBetweenCommands(panel);
    panel.modeText = panel.bankLines[1];
    showAndSetMode(panel);
    pauseBetweenCommands(panel);
    sendBankStep(panel);
}

void tuneNextBankChannel(Panel& panel) {
    if (channelCount(panel.bankLines) == 0) return;
    if (!isChannelOf(panel.bankLines, panel.scanIndex)) panel.scanIndex = kFirstChannelIndex;
    tuneChannel(panel, panel.scanIndex);
    panel.scanIndex = nextChannelIndex(panel.bankLines, panel.scanIndex);
}

}  // namespace voxpan
