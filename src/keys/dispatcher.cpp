#include "keys/dispatcher.h"

#include <algorithm>
#include <string>

#include "banks/bank_editing.h"
#include "banks/bank_file.h"
#include "banks/bank_walk.h"
#include "banks/channel_names.h"
#include "display/display.h"
#include "keys/entries.h"
#include "keys/frequency_steps.h"
#include "keys/key_names.h"
#include "keys/radio_bank_check.h"
#include "panel/receiver_modes.h"
#include "radio/receiver_controls.h"
#include "radio/serial_link.h"
#include "radio/traffic_log.h"
#include "scan/bank_scan.h"
#include "scan/lockouts.h"
#include "scan/search_mode.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

int takeEntry(Panel& panel) {
    const int entry = panel.keyQueue[0];
    std::copy(panel.keyQueue.begin() + 1, panel.keyQueue.begin() + panel.keyCount, panel.keyQueue.begin());
    panel.keyCount -= 1;
    return entry;
}

bool isDigitKey(int code) { return code == kKeyDelete || (code >= kKeyDigit0 && code <= kKeyDigit9); }

void logKey(Panel& panel) {
    std::string name;
    if (panel.currentKey == kKeyEnter) {
        name = "C/R";
    } else if (panel.currentKey == kKeySpace) {
        name = "SPC";
    } else {
        name = charText(panel.currentKey);
    }
    panel.logLine = "**" + name;
    writeLogLine(panel);
}

// Up and Down step through the selected bank, round it; "beep" marks the
// first channel, and the system voice says the channel's name. A bank
// without channels tunes nothing.
void browseBank(Panel& panel, bool up) {
    const BankTable& lines = panel.bankLines;
    if (channelCount(lines) == 0) return;
    panel.scanIndex = up ? nextChannelIndex(lines, panel.scanIndex) : previousChannelIndex(lines, panel.scanIndex);
    tuneBankChannel(panel, panel.scanIndex);
    if (panel.scanIndex == kFirstChannelIndex) speakWord(panel, "beep");
    speakName(panel, channelNameAt(lines, panel.scanIndex));
}

void startSearchOrBankScan(Panel& panel) {
    cancelLimitEntry(panel);
    panel.entryMode = kEntryNone;
    // A search or the panel's bank scan ends the receiver's memory scan.
    panel.memoryScanState = kMemoryScanOff;
    // Frequencies unlocked by another program meanwhile are searched again.
    readLockouts(panel);
    if (panel.bankScanState == kBankScanOff) {
        startSearch(panel);
    } else {
        restartBankScan(panel);
    }
}

// While a scan runs the frequency changes faster than it can be read out.
// A selected bank without a scan is browsed by hand: its channel is read.
void readOutFrequency(Panel& panel) {
    const bool memoryScanRuns =
        panel.memoryScanState == kMemoryScanStarted || panel.memoryScanState == kMemoryScanRunning;
    if (memoryScanRuns || (panel.bankScanState >= kBankScanStarted && panel.squelchClosed == 1)) {
        speakWord(panel, "scan");
        return;
    }
    panel.frequencyText = panel.workText;
    speakFrequency(panel);
    if (panel.memoryScanState == kMemoryScanOff) speakModeText(panel);
    speakName(panel, tunedChannelName(panel));
}

void setMode(Panel& panel, int code) {
    if (const ReceiverMode* mode = modeOfFunctionKey(code - kKeyF1 + 1)) setReceiverMode(panel, *mode);
    drawModeLine(panel);
    panel.io.setFont(kFontAerial, 30, kBold);
}

void toggleStopMode(Panel& panel) {
    panel.searchStopMode = 1 - panel.searchStopMode;
    speakWord(panel, panel.searchStopMode == 1 ? "stmode" : "cont");
    showSearchLimits(panel);
}

void toggleScanVoice(Panel& panel) {
    panel.scanVoice = 1 - panel.scanVoice;
    speakWord(panel, "svoice");
    speakWord(panel, panel.scanVoice == 1 ? "on" : "off");
}

// Z to M: the keys tested before a starting memory scan is ended.
bool handleEarlyKey(Panel& panel, int code) {
    if (code == key('Z')) {
        checkRadioBanks(panel);
    } else if (code == key('S')) {
        openEntry(panel, kEntrySearchLow);
    } else if (code == key('K')) {
        if (panel.bankScanState == kBankSelected) openEntry(panel, kEntryDeleteChannel);
    } else if (code == key('F')) {
        readOutFrequency(panel);
    } else if (code == kKeyUp || code == kKeyDown) {
        if (panel.bankScanState == kBankSelected) {
            browseBank(panel, code == kKeyUp);
        } else {
            stepFrequency(panel, code == kKeyUp ? 1000 : -1000);
        }
    } else if (code == key('D')) {
        if (panel.entryMode == kEntryNone) openEntry(panel, kEntryDeleteBank);
    } else if (code == key('M')) {
        speakSignalLevel(panel);
    } else {
        return false;
    }
    return true;
}

void handleLateKey(Panel& panel, int code) {
    if (code == key('E')) {
        openEntry(panel, kEntrySearchHigh);
    } else if (code == key('N')) {
        toggleScanVoice(panel);
    } else if (code == key('I')) {
        openEntry(panel, kEntrySearchStep);
    } else if (code == key('G')) {
        openEntry(panel, kEntryMemoryScanBank);
    } else if (code >= kKeyF1 && code <= kKeyF7) {
        setMode(panel, code);
    } else if (code == key('C')) {
        toggleStopMode(panel);
    } else if (code == kKeyLeft || code == kKeyRight) {
        stepFrequency(panel, code == kKeyRight ? 100 : -100);
    } else if (code == kKeyPageUp || code == kKeyPageDown) {
        const std::int64_t step = pageStepHertz(panel.searchStepText);
        stepFrequency(panel, code == kKeyPageUp ? step : -step);
    } else if (code == key('A')) {
        toggleAttenuator(panel);
    } else if (code == key('L')) {
        toggleNoiseLimiter(panel);
    } else if (code == key('B')) {
        openEntry(panel, kEntrySelectBank);
    } else if (code == key('O')) {
        openEntry(panel, kEntrySortBank);
    } else if (code == key('P')) {
        openEntry(panel, kEntryPutFrequency);
    } else if (code == key('T')) {
        openEntry(panel, kEntryCopyBank);
    } else if (code == key('X')) {
        lockOutStoppedFrequency(panel);
    }
}

// The command keys, in their fixed order.
void handleCommandKey(Panel& panel, bool spacePressed) {
    const int code = panel.currentKey;
    if (handleEarlyKey(panel, code)) return;
    // Any other key ends a memory scan that has only just been started; the
    // receiver is told nothing of it. Space lets a stopped scan go on instead.
    if (panel.memoryScanState == kMemoryScanStarted && !spacePressed) {
        speakWord(panel, "exitscan");
        panel.memoryScanState = kMemoryScanOff;
    }
    handleLateKey(panel, code);
}

void handleKey(Panel& panel) {
    panel.io.moveTo(340, 370);
    panel.io.setFont(kFontAriel, 50, kBold);
    if (panel.currentKey == kKeyFullStop) panel.currentKey = kKeyDelete;  // both are the decimal point
    const bool spacePressed = panel.currentKey == kKeySpace;
    if (spacePressed) sendControlByte(panel);
    logKey(panel);

    // A port that went away is no receiver that never answered: it may come back.
    if (panel.receiverConnected == kReceiverConnecting && panel.portLost == 0) {
        speakWord(panel, "rnc");
        panel.receiverConnected = kReceiverGivenUp;
        panel.running = 0;
        return;
    }

    const int code = panel.currentKey;
    if (code == key('Q')) {
        speakWord(panel, "quit");
        panel.running = 0;
        return;
    }
    if (isDigitKey(code)) return enterDigit(panel);
    if (panel.entryMode == kEntryTransfer && code != kKeyEnter) return handleEntryKey(panel);
    if (code == key('W')) {
        cancelLimitEntry(panel);
        return openEntry(panel, kEntryTransfer);
    }
    if (code == key('R')) return startSearchOrBankScan(panel);
    if (code == kKeyEnter) return completeEntry(panel);
    if (panel.entryMode == kEntryMemoryScanBank) return handleEntryKey(panel);
    cancelLimitEntry(panel);
    handleCommandKey(panel, spacePressed);
}

}  // namespace

void dispatchKey(Panel& panel) {
    if (panel.keyCount <= 0) return;
    panel.currentKey = takeEntry(panel);
    if (panel.currentKey == 0) {
        readReply(panel);
        return;
    }
    handleKey(panel);
}

void speakSignalLevel(Panel& panel) {
    speakWord(panel, "s");
    const std::int32_t level = std::clamp(panel.signalLevel, 0, 9);
    speakWord(panel, charText('0' + level));
    if (panel.signalLevel > 9) speakWord(panel, "plus");
}

}  // namespace voxpan
