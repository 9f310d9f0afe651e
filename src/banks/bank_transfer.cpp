#include "banks/bank_transfer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "banks/bank_channels.h"
#include "banks/bank_file.h"
#include "panel/receiver_modes.h"
#include "radio/frequency_conversion.h"
#include "radio/serial_link.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

constexpr int kPausesBeforeWriting = 10;
// The receiver keeps twelve characters of a channel's text.
constexpr std::size_t kMemoryTextLength = 12;

}  // namespace

bool isReceiverBankCharacter(int code) { return code >= 0x20 && code <= 0x7e; }

std::optional<std::string> memoryFrequencyField(std::string_view megahertzText) {
    if (!isFrequencyText(megahertzText)) return std::nullopt;
    // Ten digits of hertz hold frequencies below 10000 MHz.
    constexpr std::int64_t kMostHertz = 9'999'999'999;
    const std::int64_t hertz = hertzOf(megahertzText);
    if (hertz > kMostHertz) return std::nullopt;
    char field[24];
    std::snprintf(field, sizeof field, "%010lld", static_cast<long long>(hertz));
    return std::string(field);
}

std::string memoryTextField(std::string_view nameLine) {
    std::string field;
    for (const unsigned char c : nameLine.substr(0, std::min(nameLine.size(), kMemoryTextLength)))
        field += c >= 0x20 && c <= 0x7e ? static_cast<char>(c) : ' ';
    if (field.find_first_not_of(' ') == std::string::npos || isChannelFrequency(nameLine))
        return std::string(kMemoryTextLength, 'x');
    field.resize(kMemoryTextLength, ' ');
    return field;
}

std::optional<char> modeDigitFor(std::string_view modeLine) {
    const ReceiverMode* mode = modeOfBankModeLine(modeLine);
    if (mode == nullptr || mode->transferDigit == kNoTransferDigit) return std::nullopt;
    return mode->transferDigit;
}

void writeBankToReceiver(Panel& panel) {
    if (panel.entryText.size() != 3 ||
        !isReceiverBankCharacter(static_cast<unsigned char>(panel.entryText.str()[2]))) {
        speakWord(panel, "inv");
        return;
    }
    const char receiverBank = panel.entryText.str()[2];
    panel.bankFileName = bankFileNameFor(leftText(panel.entryText, 2));
    readBankFile(panel);
    if (panel.bankReadError != 0) return;
    const std::optional<char> modeDigit = modeDigitFor(panel.bankLines[1]);
    if (!modeDigit) {
        speakWord(panel, "incmode");
        return;
    }

    speakWord(panel, "wait");
    for (int i = 0; i < kPausesBeforeWriting; ++i) pauseBetweenCommands(panel);
    const int end = bankEndIndex(panel.bankLines);
    for (int i = kFirstChannelIndex; i < end; i += 2) {
        pauseBetweenCommands(panel);
        const int channel = i / 2 - 2;
        const std::optional<std::string> field = memoryFrequencyField(panel.bankLines[static_cast<std::size_t>(i)]);
        if (field) {
            char number[12];
            std::snprintf(number, sizeof number, "%02d", channel);
            panel.commandText = std::string("MX") + receiverBank + number + " RF" + *field + " ST012500 MD" +
                                *modeDigit + " TM" + memoryTextField(panel.bankLines[static_cast<std::size_t>(i) + 1]);
            sendCommand(panel);
        }
        if (channel >= kMostChannelsInABank - 1) break;
        // A beep after the channels 09, 20, 31, ... tells the operator the
        // transfer is going on.
        if (i % 11 == 0) speakWord(panel, "beep");
    }
    speakWord(panel, "ok");
}

}  // namespace voxpan
