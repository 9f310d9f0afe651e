#include "scan/search_mode.h"

#include <algorithm>
#include <string>

#include "banks/bank_channels.h"
#include "banks/bank_file.h"
#include "controls/mode_line.h"
#include "controls/tune_and_show.h"
#include "display/display.h"
#include "radio/receiver_controls.h"
#include "radio/reply_fields.h"
#include "radio/serial_link.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

// The receiver's frequency field after "RF": four digits of MHz, then six
// of the fraction.
constexpr int kFieldDigits = 10;

// The list on disk follows every change: a search cut short by a crash or
// a lost display keeps the hits found so far. A list that cannot be written
// is told once; the hits are still kept in memory and counted.
void saveSearchList(Panel& panel) {
    panel.bankFileName = kSearchListName;
    writeBankFile(panel);
    if (panel.bankWriteError == 0 || panel.searchListWriteFailed == 1) return;
    panel.searchListWriteFailed = 1;
    speakWord(panel, "inv");
}

}  // namespace

void startSearch(Panel& panel) {
    panel.searchState = kSearching;
    panel.hitCount = 0;
    panel.searchListWriteFailed = 0;
    panel.io.setTextColour(kGreen);
    panel.io.setFont(kFontAriel, 30, kBold);
    panel.io.moveTo(290, 320);
    panel.io.drawText("Search Mode Active");
    speakWord(panel, "srch");

    BankTable list{};
    list[0] = "Scanbank";
    list[1] = panel.modeText;
    list[2] = panel.searchStepText;
    list[3] = " ";
    list[kFirstChannelIndex] = kEndMarker;
    panel.bankLines = list;
    panel.lastIndex = kFirstChannelIndex - 2;
    panel.selectedBankLoaded = 0;
    saveSearchList(panel);

    panel.frequencyText = panel.searchLowText;
    pauseBetweenCommands(panel);
    tuneVfoA(panel);
    panel.frequencyText = panel.searchHighText;
    pauseBetweenCommands(panel);
    tuneVfoB(panel);
    pauseBetweenCommands(panel);
    sendStep(panel);
    panel.io.moveTo(340, 370);
    panel.io.setFont(kFontAriel, 50, kBold);
    panel.io.drawText(panel.searchLowText + "/" + panel.searchHighText);
    pauseBetweenCommands(panel);
    showAndSetMode(panel);
    speakWord(panel, "act");
    panel.commandText = "VS";
    sendCommand(panel);
}

void takeStoppedFrequency(Panel& panel) {
    panel.lastResult = 0;
    // A reply cut short, or a blank or a line end among the digits, is no
    // frequency.
    const std::string digits = digitsAfterRf(panel.replyText, kFieldDigits);
    if (digits.empty()) return;
    const std::string megahertz = megahertzFromDigits(digits, true);
    if (!isFrequencyText(megahertz)) return;
    panel.frequencyText = digits;
    panel.workText = megahertz;
    panel.lastResult = findText(panel.replyText, "RF");
}

void recordSearchHit(Panel& panel) {
    if (!isFrequencyText(panel.workText)) return;
    const int end = bankEndIndex(panel.bankLines);
    for (int i = kFirstChannelIndex; i < end; i += 2)
        if (panel.bankLines[static_cast<std::size_t>(i)] == panel.workText) return;
    if (end >= kLastMarkerIndex) {
        speakWord(panel, "bf");
        return;
    }
    panel.bankLines[static_cast<std::size_t>(end)] = panel.workText;
    panel.bankLines[static_cast<std::size_t>(end) + 1] = " ";
    panel.bankLines[static_cast<std::size_t>(end) + 2] = kEndMarker;
    panel.lastIndex = end;
    ++panel.hitCount;
    saveSearchList(panel);
    if (panel.searchStopMode == 0) speakCount(panel, panel.hitCount);
}

void dropSearchHit(Panel& panel, std::string_view megahertz) {
    BankChannels list = channelsOf(panel.bankLines);
    const auto hit = std::find_if(list.channels.begin(), list.channels.end(),
                                  [&](const BankChannel& channel) { return channel.frequency() == megahertz; });
    if (hit == list.channels.end()) return;
    list.channels.erase(hit);
    // A list that lost a channel fits wherever the whole one did.
    panel.bankLines = laidOut(list).value_or(panel.bankLines);
    panel.lastIndex = bankEndIndex(panel.bankLines) - 2;
    panel.hitCount = std::max(0, panel.hitCount - 1);
    saveSearchList(panel);
}

void finishSearch(Panel& panel) {
    if (panel.searchState == kSearchOff) return;
    panel.bankFileName = kSearchListName;
    writeBankFile(panel);
    if (panel.bankWriteError != 0)
        speakWord(panel, "inv");
    else
        speakCount(panel, panel.hitCount);
    panel.searchState = kSearchOff;
}

}  // namespace voxpan
