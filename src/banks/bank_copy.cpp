#include "banks/bank_copy.h"

#include <set>
#include <string>

#include "banks/bank_channels.h"
#include "banks/bank_file.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

// An empty bank with the given header, as a copy or a put creates one.
BankTable emptyBank(const Text& label, const Text& mode, const Text& step, const Text& reserved) {
    BankTable bank{};
    bank[0] = label;
    bank[1] = mode;
    bank[2] = step;
    bank[3] = reserved;
    bank[kFirstChannelIndex] = kEndMarker;
    return bank;
}

// Writes the new empty bank after "create" and the two digit words; false
// (with "inv" said) when it could not be written.
bool createBank(Panel& panel, const BankTable& bank, char firstDigit, char secondDigit) {
    speakWord(panel, "create");
    speakWord(panel, std::string(1, firstDigit));
    speakWord(panel, std::string(1, secondDigit));
    if (!saveChangedBank(panel, bank)) return false;
    panel.selectedBankLoaded = 0;
    return true;
}

bool hasFourDigits(const Panel& panel) { return panel.entryText.size() == 4; }

char characterOf(const Text& text, std::size_t position) {
    return position < text.size() ? text.str()[position] : ' ';
}

}  // namespace

void putFrequency(Panel& panel) {
    if (!isChannelFrequency(panel.workText)) {
        speakWord(panel, "inv");
        return;
    }
    panel.sourceLines.fill(Text{});
    panel.sourceLines[1] = panel.modeText;
    panel.sourceLines[2] = panel.searchStepText;
    panel.sourceLines[3] = " ";
    panel.sourceLines[4] = panel.workText;
    panel.sourceLines[5] = " ";
    panel.sourceLines[6] = kEndMarker;
    mergeIntoBank(panel);
}

void copyBank(Panel& panel) {
    panel.bankFileName = hasFourDigits(panel) ? bankFileNameFor(leftText(panel.entryText, 2)) : "bank00.dat";
    readBankFile(panel);
    if (panel.bankReadError != 0) {
        const BankTable bank = emptyBank("bank" + panel.entryText, panel.modeText, panel.searchStepText, " ");
        if (!createBank(panel, bank, characterOf(panel.entryText, 0), characterOf(panel.entryText, 1))) return;
    }
    // The whole source, however long: the merge takes what fits.
    panel.sourceLines = panel.bankLines;
    mergeIntoBank(panel);
}

void mergeIntoBank(Panel& panel) {
    const BankChannels source = channelsOf(panel.sourceLines);
    panel.bankFileName = bankFileNameFor(hasFourDigits(panel) ? midText(panel.entryText, 3, 2) : leftText(panel.entryText, 2));
    readBankFile(panel);
    if (panel.bankReadError != 0) {
        const BankTable bank = emptyBank("bank" + panel.entryText, source.header[1], source.header[2], source.header[3]);
        if (!createBank(panel, bank, characterOf(panel.bankFileName, 4), characterOf(panel.bankFileName, 5))) return;
    }
    if (!(panel.bankLines[1] == panel.sourceLines[1])) {
        speakWord(panel, "incmode");
        return;
    }

    BankChannels merged = channelsOf(panel.bankLines);
    std::set<std::string> held;
    for (const BankChannel& channel : merged.channels) held.insert(channel.frequency().str());
    int added = 0;
    int leftOut = 0;
    for (const BankChannel& channel : source.channels) {
        // Compared as texts: 145.5 and 145.50 are two channels. A frequency
        // the source holds twice is taken, or left out, once.
        if (!held.insert(channel.frequency().str()).second) continue;
        if (merged.channels.size() >= static_cast<std::size_t>(kMostChannelsInABank)) {
            ++leftOut;
            continue;
        }
        merged.channels.push_back(channel);
        ++added;
    }
    if (leftOut > 0 && added == 0) {
        // The target is full: it stays as it is.
        speakWord(panel, "n");
        return;
    }
    if (!saveChannels(panel, merged)) return;
    if (leftOut > 0) speakWord(panel, "bf");
    speakWord(panel, "ok");
}

}  // namespace voxpan
