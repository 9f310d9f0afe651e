#include "shell/poll_cycle.h"

#include <string>

#include "display/display.h"
#include "keys/dispatcher.h"
#include "radio/reply_fields.h"
#include "radio/serial_link.h"
#include "scan/hit_log.h"
#include "scan/lockouts.h"
#include "scan/scan_progress.h"
#include "scan/search_mode.h"
#include "shell/lost_port.h"

namespace voxpan {

namespace {

// A stopped search whose frequency never comes back (a silent receiver, or
// one that left its search because a key tuned VFO A) is asked this often.
constexpr int kFrequencyQueryLimit = 10;

// A key is handled once the receiver has had its chance to answer a level
// poll: a key pressed during the start-up words must not end a working
// panel with "receiver not connected".
bool mayDispatch(const Panel& panel) {
    return panel.receiverConnected != kReceiverConnecting || panel.levelReplyDue == 1;
}

// Sends a query; its answer is read on the next tick, in the given step.
void sendQuery(Panel& panel, const char* command, PollStep readStep) {
    panel.commandText = command;
    sendCommand(panel);
    panel.pollState = readStep;
}

void drawSignalBar(Panel& panel) {
    panel.commandText = "";
    panel.io.setTextColour(kGreen);
    panel.io.moveTo(320, 30);
    panel.squelchClosed = squelchClosedIn(panel.replyText) ? 1 : 0;
    if (leftText(panel.replyText, 2) == "LM") {
        panel.signalLevel = signalLevelIn(panel.replyText);
        panel.levelReading = levelReadingIn(panel.replyText);
    }
    panel.io.setFont(kFontAriel, 30, kBold);
    if (panel.squelchClosed == 1) {
        panel.signalLevel = 0;
        panel.io.drawText(">" + std::string(26, ' '));
    } else {
        panel.statusText = leftText(panel.barText, panel.signalLevel) + ">" + std::string(17, ' ');
        panel.io.drawText(panel.statusText);
    }
    panel.io.setTextColour(kBlack);
}

void readLevel(Panel& panel) {
    readReply(panel);
    panel.levelReplyDue = 1;
    if (!panel.replyText.empty()) drawSignalBar(panel);
    advanceScans(panel);
}

// The receiver's frequency replaces the one being typed: digits typed
// before it came are dropped, and the next digit starts a new frequency.
void showReceiversFrequency(Panel& panel) {
    showFrequency(panel);
    panel.startNewFrequency = 1;
    panel.typingStarted = 0;
}

// The receiver answers "RX" during a search with "RF" and ten digits.
void readStoppedFrequency(Panel& panel) {
    readReply(panel);
    const Text shownBefore = panel.workText;
    const Text fieldBefore = panel.frequencyText;
    takeStoppedFrequency(panel);
    panel.pollState = kPollIdle;
    if (panel.lastResult == 0) {
        panel.frequencyQueries += 1;
        // Asked again on the next tick, but not for ever: without a hit the
        // cycle goes back to polling the level.
        if (panel.frequencyQueries < kFrequencyQueryLimit) {
            panel.pollState = kPollSendFrequencyQuery;
        } else if (panel.searchStopUntold == 1) {
            announceSearchStop(panel);
        }
        return;
    }
    if (passLockedOutStop(panel, panel.workText)) {
        // Passed unseen: the panel goes on showing what it showed.
        panel.workText = shownBefore;
        panel.frequencyText = fieldBefore;
        return;
    }
    noteStopFrequency(panel, panel.workText);
    if (panel.searchStopUntold == 1) announceSearchStop(panel);
    showReceiversFrequency(panel);
    recordSearchHit(panel);
}

// While the receiver's memory scan is stopped, the reply of the last level
// poll can be its scan report, which carries the channel's frequency.
void rereadScanFrequency(Panel& panel) {
    const std::string digits = digitsAfterRf(panel.replyText, 9);
    if (!digits.empty()) {
        panel.workText = megahertzFromDigits(digits, false);
        panel.frequencyText = panel.workText;
        showReceiversFrequency(panel);
        noteStopFrequency(panel, panel.workText);
    }
    panel.pollState = kPollIdle;
}

void runStep(Panel& panel) {
    if (followLostPort(panel)) {
        // Nothing can be polled; the keys still work, and no answer is
        // waited for before them.
        panel.pollState = kPollIdle;
        if (panel.keyCount > 0) dispatchKey(panel);
        return;
    }
    switch (panel.pollState) {
        case kPollIdle:
            if (panel.keyCount > 0 && mayDispatch(panel)) {
                dispatchKey(panel);
            } else {
                panel.pollState = kPollSendLevelQuery;
            }
            break;
        case kPollSendLevelQuery:
            // A key pressed since the last tick goes first: the level poll
            // would hold it two more ticks.
            if (panel.keyCount > 0 && mayDispatch(panel)) {
                panel.pollState = kPollIdle;
                dispatchKey(panel);
                break;
            }
            sendQuery(panel, "LM", kPollReadLevel);
            break;
        case kPollReadLevel:
            readLevel(panel);
            break;
        case kPollSendFrequencyQuery:
            sendQuery(panel, "RX", kPollReadFrequency);
            break;
        case kPollReadFrequency:
            readStoppedFrequency(panel);
            break;
        case kPollMemoryScanPause:
            panel.pollState = kPollRereadFrequency;
            break;
        case kPollRereadFrequency:
            rereadScanFrequency(panel);
            break;
        default:
            panel.pollState = kPollIdle;  // no step of the cycle: start it again
            break;
    }
}

}  // namespace

void runPollStep(Panel& panel) {
    runStep(panel);
    // Whatever the step did, a key or a level reading, may have stopped a
    // scan or let one go on.
    followStops(panel);
}

}  // namespace voxpan
