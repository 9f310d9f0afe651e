#include "keys/entries.h"

#include <array>
#include <initializer_list>
#include <string_view>

#include "banks/bank_copy.h"
#include "banks/bank_delete.h"
#include "banks/bank_editing.h"
#include "banks/bank_transfer.h"
#include "controls/tune_and_show.h"
#include "display/display.h"
#include "keys/entry_checks.h"
#include "keys/key_names.h"
#include "radio/receiver_controls.h"
#include "radio/serial_link.h"
#include "scan/search_mode.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

bool isLimitEntry(std::int32_t mode) {
    return mode == kEntrySearchLow || mode == kEntrySearchHigh || mode == kEntrySearchStep;
}

Text& limitOf(Panel& panel, std::int32_t mode) {
    if (mode == kEntrySearchLow) return panel.searchLowText;
    if (mode == kEntrySearchHigh) return panel.searchHighText;
    return panel.searchStepText;
}

bool fitsItsField(std::int32_t mode, std::string_view text) {
    return mode == kEntrySearchStep ? fitsStepField(text) : fitsFrequencyField(text);
}

// The receiver's memory banks are the letters A to J.
bool isReceiverBankLetter(int code) { return code >= key('A') && code <= key('J'); }

// A transfer takes any key that types a printable character as the bank:
// the space bar and the letters (the digits have been taken before).
bool typesPrintableCharacter(int code) { return code == kKeySpace || (code >= key('A') && code <= key('Z')); }

void refuse(Panel& panel) {
    speakWord(panel, "inv");
    panel.entryMode = kEntryNone;
}

// Enter in entry 0: tune what was typed (or shown).
void completeFrequency(Panel& panel) {
    panel.searchHoldTicks = 0;
    panel.startNewFrequency = 1;
    if (panel.memoryScanState > kMemoryScanOff || panel.bankScanState > kBankSelected) {
        speakWord(panel, "exitscan");
        panel.memoryScanState = kMemoryScanOff;
        panel.bankScanState = kBankScanOff;
    }
    const bool typed = panel.typingStarted == 1;
    panel.typingStarted = 0;
    if (!panel.workText.empty() && !fitsFrequencyField(panel.workText)) {
        // Nothing is tuned: the frequency stays what the receiver has.
        if (typed) panel.workText = panel.workTextBeforeTyping;
        speakWord(panel, "inv");
        return;
    }
    tuneTypedFrequency(panel);
    speakWord(panel, "ok");
}

void completeLimit(Panel& panel) {
    const std::int32_t mode = panel.entryMode;
    Text& limit = limitOf(panel, mode);
    const bool typed = panel.startNewLimit == 0;
    if (typed && !fitsItsField(mode, limit)) {
        limit = panel.limitBeforeEntry;
        speakWord(panel, "inv");
        return;
    }
    if (mode == kEntrySearchStep) sendStep(panel);
    if (!typed) {
        panel.frequencyText = limit;
        speakFrequency(panel);
        return;
    }
    showSearchLimits(panel);
    speakWord(panel, "ok");
}

void completeBankEntry(Panel& panel) {
    if (panel.entryText.size() != 2 && panel.entryText.size() != 4) {
        speakWord(panel, "inv");
        return;
    }
    switch (panel.entryMode) {
        case kEntryCopyBank: copyBank(panel); break;
        case kEntryPutFrequency: putFrequency(panel); break;
        case kEntrySortBank: sortBank(panel); break;
        default: selectBank(panel); break;
    }
}

// Enter in entry 8: the receiver scans one of its memory banks, or all of
// them when no letter was typed. Anything else left in the entry (digits of
// an earlier bank entry) is no bank of the receiver.
void startMemoryScan(Panel& panel) {
    const bool letter = panel.entryText.size() == 1 && isReceiverBankLetter(panel.entryText.str()[0]);
    if (!panel.entryText.empty() && !letter) {
        speakWord(panel, "inv");  // the entry stays open for a letter
        return;
    }
    panel.commandText = "LC1";
    sendCommand(panel);
    pauseBetweenCommands(panel);
    panel.commandText = "MS" + panel.entryText;
    sendCommand(panel);
    panel.entryMode = kEntryNone;
    panel.memoryScanState = kMemoryScanStarted;
    // The receiver scans by itself now: the panel's own bank scan is over.
    if (panel.bankScanState > kBankSelected) panel.bankScanState = kBankScanOff;
    if (panel.scanVoice == 0) speakWord(panel, "scan");
}

}  // namespace

void openEntry(Panel& panel, EntryMode mode) {
    struct Prompt {
        EntryMode mode;
        std::initializer_list<std::string_view> words;
    };
    static const std::array<Prompt, 11> kPrompts{{
        {kEntrySearchLow, {"start"}},   {kEntrySearchHigh, {"end"}},    {kEntrySearchStep, {"incr"}},
        {kEntryCopyBank, {"transfer"}}, {kEntryPutFrequency, {"put"}},  {kEntrySortBank, {"sort"}},
        {kEntrySelectBank, {"bank"}},   {kEntryMemoryScanBank, {"radbank"}}, {kEntryTransfer, {"write", "fromb"}},
        {kEntryDeleteBank, {"delete"}}, {kEntryDeleteChannel, {"kill"}},
    }};
    panel.entryMode = mode;
    if (isLimitEntry(mode)) {
        panel.startNewLimit = 1;
        panel.limitBeforeEntry = limitOf(panel, mode);
    } else if (mode != kEntryMemoryScanBank && mode != kEntryDeleteChannel) {
        panel.entryText = "";
    }
    for (const Prompt& prompt : kPrompts) {
        if (prompt.mode != mode) continue;
        for (std::string_view word : prompt.words) speakWord(panel, word);
    }
}

void enterDigit(Panel& panel) {
    const std::string typed = panel.currentKey == kKeyDelete ? "." : charText(panel.currentKey);
    speakWord(panel, typed == "." ? "point" : typed);
    switch (panel.entryMode) {
        case kEntryNone:
            if (panel.typingStarted == 0) {
                panel.workTextBeforeTyping = panel.workText;
                panel.typingStarted = 1;
            }
            if (panel.startNewFrequency == 1) {
                panel.workText = "";
                panel.startNewFrequency = 0;
            }
            panel.workText = panel.workText + typed;
            break;
        case kEntrySearchLow:
        case kEntrySearchHigh:
        case kEntrySearchStep: {
            Text& limit = limitOf(panel, panel.entryMode);
            if (panel.startNewLimit == 1) {
                limit = "";
                panel.startNewLimit = 0;
            }
            limit = limit + typed;
            break;
        }
        case kEntryTransfer:
            if (panel.entryText.size() > 1) {
                refuse(panel);
                break;
            }
            panel.entryText = panel.entryText + typed;
            if (panel.entryText.size() == 2) speakWord(panel, "torb");
            break;
        case kEntryMemoryScanBank:
            break;  // a bank of the receiver is a letter: the digit is only spoken
        default:
            panel.entryText = panel.entryText + typed;
            break;
    }
}

void handleEntryKey(Panel& panel) {
    const int code = panel.currentKey;
    if (panel.entryMode == kEntryTransfer) {
        if (panel.entryText.size() != 2 || !typesPrintableCharacter(code)) {
            refuse(panel);
            return;
        }
        panel.entryText = panel.entryText + charText(code);
        speakWord(panel, charText(code));
        panel.commandText = "MQ" + charText(code) + "%%";
        sendCommand(panel);
        return;
    }
    if (!isReceiverBankLetter(code)) {
        refuse(panel);
        return;
    }
    speakWord(panel, charText(code));
    panel.entryText = charText(code);
}

void completeEntry(Panel& panel) {
    clearLowerPanel(panel);
    if (panel.searchState > kSearchOff) finishSearch(panel);
    switch (panel.entryMode) {
        case kEntryNone:
            completeFrequency(panel);
            return;
        case kEntrySearchLow:
        case kEntrySearchHigh:
        case kEntrySearchStep:
            completeLimit(panel);
            break;
        case kEntryCopyBank:
        case kEntryPutFrequency:
        case kEntrySortBank:
        case kEntrySelectBank:
            completeBankEntry(panel);
            break;
        case kEntryMemoryScanBank:
            startMemoryScan(panel);
            return;
        case kEntryTransfer:
            if (panel.entryText.size() == 3) {
                writeBankToReceiver(panel);
            } else {
                speakWord(panel, "inv");
            }
            panel.entryMode = kEntryNone;
            return;
        case kEntryDeleteBank:
            if (panel.entryText.size() == 2) {
                deleteBankFile(panel);
            } else {
                speakWord(panel, "inv");
            }
            panel.entryMode = kEntryNone;
            return;
        case kEntryDeleteChannel:
            deleteChannel(panel);  // says "ok", or "inv" when there is no channel to delete
            panel.entryMode = kEntryNone;
            return;
        default:
            break;
    }
    panel.entryMode = kEntryNone;
    panel.startNewLimit = 0;
}

void tuneTypedFrequency(Panel& panel) {
    if (panel.entryMode != kEntryNone || panel.workText.empty()) return;
    panel.frequencyText = panel.workText;
    tuneVfoA(panel);
}

void cancelLimitEntry(Panel& panel) {
    if (!isLimitEntry(panel.entryMode)) return;
    if (panel.startNewLimit == 0) limitOf(panel, panel.entryMode) = panel.limitBeforeEntry;
    panel.entryMode = kEntryNone;
}

}  // namespace voxpan
