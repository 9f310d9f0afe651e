#include "scan/scan_progress.h"

#include <string_view>

#include "banks/channel_names.h"
#include "display/display.h"
#include "radio/serial_link.h"
#include "scan/bank_scan.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

constexpr std::string_view kScanning = "      *** SCANNING ***  ";
constexpr std::string_view kStopped = "      *** STOPPED ***  ";
constexpr std::string_view kSearchActive = "Search Mode Active";
// Level polls a search in continue mode stays on a signal before it is
// sent on.
constexpr int kSearchHoldPolls = 5;

void moveToStatus(Panel& panel) {
    panel.io.moveTo(270, 320);
    panel.io.setFont(kFontAriel, 30, kBold);
    panel.io.setTextColour(kRed);
}

void showStatus(Panel& panel, std::string_view text) {
    moveToStatus(panel);
    panel.io.drawText(text);
}

void sayIfScanVoice(Panel& panel, std::string_view word) {
    if (panel.scanVoice == 1) speakWord(panel, word);
}

void memoryScanQuiet(Panel& panel) {
    if (panel.memoryScanState == kMemoryScanStopped) panel.memoryScanState = kMemoryScanStarted;
    showStatus(panel, kScanning);
    if (panel.memoryScanState == kMemoryScanStarted) sayIfScanVoice(panel, "scan");
    panel.memoryScanState = kMemoryScanRunning;
    panel.pollState = kPollIdle;
}

void bankScanQuiet(Panel& panel) {
    tuneNextBankChannel(panel);
    if (panel.bankScanState != kBankScanRunning) {
        showStatus(panel, kScanning);
        sayIfScanVoice(panel, "scan");
        panel.bankScanState = kBankScanRunning;
    }
    panel.pollState = kPollIdle;
}

void memoryScanSignal(Panel& panel) {
    showStatus(panel, kStopped);
    if (panel.memoryScanState < kMemoryScanStopped) sayIfScanVoice(panel, "stop");
    panel.memoryScanState = kMemoryScanStopped;
    panel.pollState = kPollMemoryScanPause;
}

void bankScanSignal(Panel& panel) {
    moveToStatus(panel);
    if (panel.bankScanState < kBankScanStopped) {
        panel.io.drawText(kStopped);
        sayIfScanVoice(panel, "stop");
        // Where it stopped: the channel tuned last, not the next one the
        // scan already stands on.
        if (panel.scanVoice == 1) speakName(panel, channelNameAt(panel.bankLines, panel.tunedChannelIndex));
        panel.bankScanState = kBankScanStopped;
    }
    panel.pollState = kPollIdle;
}

// True when the hold ran out and the search was sent on.
bool holdStoppedSearch(Panel& panel) {
    if (panel.searchHoldTicks == 0) panel.searchHoldTicks = kSearchHoldPolls;
    panel.searchHoldTicks -= 1;
    if (panel.searchHoldTicks > 0) return false;
    pauseBetweenCommands(panel);
    sendControlByte(panel);
    panel.pollState = kPollIdle;
    return true;
}

void searchSignal(Panel& panel) {
    panel.searchStopUntold = 1;
    if (panel.lockouts.empty()) announceSearchStop(panel);
    panel.searchState = kSearchStopped;
    panel.frequencyQueries = 0;
    panel.pollState = kPollSendFrequencyQuery;
}

void searchQuietAgain(Panel& panel) {
    panel.io.moveTo(270, 320);
    panel.io.setTextColour(kGreen);
    panel.io.drawText(kSearchActive);
    panel.searchState = kSearching;
    panel.pollState = kPollIdle;
}

}  // namespace

void announceSearchStop(Panel& panel) {
    panel.searchStopUntold = 0;
    showStatus(panel, kStopped);
    if (panel.searchStopMode == 1) speakWord(panel, "stop");
}

void advanceScans(Panel& panel) {
    const bool quiet = panel.squelchClosed == 1;
    if (panel.memoryScanState > kMemoryScanOff && quiet) return memoryScanQuiet(panel);
    if (panel.bankScanState > kBankSelected && quiet) return bankScanQuiet(panel);
    if (panel.memoryScanState > kMemoryScanOff) return memoryScanSignal(panel);
    if (panel.bankScanState > kBankSelected) return bankScanSignal(panel);
    if (panel.searchState == kSearchStopped && panel.searchStopMode != 1 && holdStoppedSearch(panel)) return;
    if (panel.searchState == kSearching && !quiet) return searchSignal(panel);
    if (panel.searchState == kSearchStopped && quiet) return searchQuietAgain(panel);
    panel.pollState = kPollIdle;
}

}  // namespace voxpan
