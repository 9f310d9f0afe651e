// The receiver's seven modes, one row each: the text the panel shows and
// stores, the command, the words, the key and the digit of a memory write.
// Every place that names a mode reads it from here.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace voxpan {

struct ReceiverMode {
    // modeText: drawn on the mode line and kept as a bank's mode line. CW
    // carries a trailing blank, "CW ".
    std::string_view text;
    // Sets the receiver to the mode. No command switches automatic mode
    // off: a fixed mode sends only its "MD".
    std::string_view command;
    // Said by the mode's control, before its command.
    std::string_view word;
    // Said when the mode is read out (the F key): the word's own recording,
    // named by its file ("fm.wav" is "FM"), automatic mode's by its word.
    std::string_view readOutWord;
    // The function key that selects the mode: 1 is F1.
    int functionKey;
    // The "MD" digit of a memory write into the receiver; a memory channel
    // cannot hold automatic mode.
    char transferDigit;
};

inline constexpr char kNoTransferDigit = '\0';

inline constexpr std::array<ReceiverMode, 7> kReceiverModes{{
    // text, command, word, read-out word, function key, transfer digit
    {"FM",    "MD1",  "FM",   "fm.wav",  1,   '1'},
    {"AM",    "MD2",  "AM",   "am.wav",  2,   '2'},
    {"LSB",   "MD4",  "LSB",  "lsb.wav", 3,   '4'},
    {"USB",   "MD3",  "USB",  "usb.wav", 4,   '3'},
    {"WFM",   "MD0",  "WFM",  "wfm.wav", 5,   '0'},
    {"CW ",   "MD5",  "cw",   "cw.wav",  6,   '5'},
    {"AUT",   "AU1",  "auto", "auto",    7,   kNoTransferDigit},
}};

// The mode the panel puts the receiver in when it connects.
inline constexpr const ReceiverMode& kModeFm = kReceiverModes[0];

// The mode whose text this is, exactly; nullptr for any other text ("CW"
// without its blank is none).
constexpr const ReceiverMode* modeOfText(std::string_view text) {
    for (const ReceiverMode& mode : kReceiverModes)
        if (mode.text == text) return &mode;
    return nullptr;
}

// The mode a bank's mode line names for a memory write: its text exactly,
// or its text without the trailing blank ("CW" as well as "CW "). Only
// blanks of the table's text may be missing: "FM " is no mode.
constexpr const ReceiverMode* modeOfBankModeLine(std::string_view line) {
    for (const ReceiverMode& mode : kReceiverModes) {
        std::string_view bare = mode.text;
        while (!bare.empty() && bare.back() == ' ') bare.remove_suffix(1);
        if (mode.text == line || bare == line) return &mode;
    }
    return nullptr;
}

// The mode of function key n (1 is F1); nullptr for a key without one.
constexpr const ReceiverMode* modeOfFunctionKey(int number) {
    for (const ReceiverMode& mode : kReceiverModes)
        if (mode.functionKey == number) return &mode;
    return nullptr;
}

// The mode a memory write's "MD" digit stands for; nullptr for another
// character.
constexpr const ReceiverMode* modeOfTransferDigit(char digit) {
    if (digit == kNoTransferDigit) return nullptr;
    for (const ReceiverMode& mode : kReceiverModes)
        if (mode.transferDigit == digit) return &mode;
    return nullptr;
}

// Each lookup finds at most one row, and a mode line finds its own.
static_assert([] {
    for (std::size_t i = 0; i < kReceiverModes.size(); ++i) {
        const ReceiverMode& a = kReceiverModes[i];
        if (modeOfBankModeLine(a.text) != &a) return false;
        for (std::size_t j = i + 1; j < kReceiverModes.size(); ++j) {
            const ReceiverMode& b = kReceiverModes[j];
            if (a.text == b.text || a.command == b.command || a.functionKey == b.functionKey) return false;
            if (a.transferDigit != kNoTransferDigit && a.transferDigit == b.transferDigit) return false;
        }
    }
    return true;
}());

}  // namespace voxpan
