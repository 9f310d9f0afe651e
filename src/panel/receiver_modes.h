// The receiver's seven modes, one row each: the text the panel shows and
// stores, the command, the words, the key, the digit of a memory write and
// the names a CHIRP channel list gives it. Every place that names a mode
// reads it from here.
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
    // Its name in a CHIRP channel list, as panbank writes it.
    std::string_view listName;
    // Other names a list may give it, blank-separated: the narrow FM and
    // AM of other radios are this receiver's FM and AM, and CW heard on the
    // other sideband is still CW.
    std::string_view otherListNames;
};

inline constexpr char kNoTransferDigit = '\0';

inline constexpr std::array<ReceiverMode, 7> kReceiverModes{{
    // text, command, word, read-out word, function key, transfer digit, list names
    {"FM",    "MD1",  "FM",   "fm.wav",  1,   '1',              "FM",   "NFM"},
    {"AM",    "MD2",  "AM",   "am.wav",  2,   '2',              "AM",   "NAM"},
    {"LSB",   "MD4",  "LSB",  "lsb.wav", 3,   '4',              "LSB",  ""},
    {"USB",   "MD3",  "USB",  "usb.wav", 4,   '3',              "USB",  ""},
    {"WFM",   "MD0",  "WFM",  "wfm.wav", 5,   '0',              "WFM",  ""},
    {"CW ",   "MD5",  "cw",   "cw.wav",  6,   '5',              "CW",   "CWR"},
    {"AUT",   "AU1",  "auto", "auto",    7,   kNoTransferDigit, "Auto", ""},
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

namespace mode_names {

constexpr char lowered(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowered(a[i]) != lowered(b[i])) return false;
    return true;
}

constexpr std::string_view withoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// Whether the name is the mode's list name, one of its other list names or
// its own text (without its blank), in any case.
constexpr bool namesMode(const ReceiverMode& mode, std::string_view name) {
    if (name.empty()) return false;
    if (sameLetters(name, mode.listName) || sameLetters(name, withoutTrailingBlanks(mode.text))) return true;
    std::string_view others = mode.otherListNames;
    while (!others.empty()) {
        const std::size_t blank = others.find(' ');
        if (sameLetters(name, others.substr(0, blank))) return true;
        others = blank == std::string_view::npos ? std::string_view{} : others.substr(blank + 1);
    }
    return false;
}

}  // namespace mode_names

// The mode a channel list or an operator names: a list name, another list
// name or the panel's own text, in any case ("nfm", "Auto", "AUT", "cw").
// nullptr for a mode the receiver lacks ("DMR", "DV") and for "".
constexpr const ReceiverMode* modeOfListName(std::string_view name) {
    for (const ReceiverMode& mode : kReceiverModes)
        if (mode_names::namesMode(mode, name)) return &mode;
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

// Each lookup finds at most one row, and a mode line finds its own; each
// name of a list names one mode only.
static_assert([] {
    auto modesNaming = [](std::string_view name) {
        int count = 0;
        for (const ReceiverMode& mode : kReceiverModes) count += mode_names::namesMode(mode, name) ? 1 : 0;
        return count;
    };
    for (std::size_t i = 0; i < kReceiverModes.size(); ++i) {
        const ReceiverMode& a = kReceiverModes[i];
        if (modeOfBankModeLine(a.text) != &a || modesNaming(a.listName) != 1) return false;
        for (std::string_view others = a.otherListNames; !others.empty();) {
            const std::size_t blank = others.find(' ');
            if (modesNaming(others.substr(0, blank)) != 1) return false;
            others = blank == std::string_view::npos ? std::string_view{} : others.substr(blank + 1);
        }
        for (std::size_t j = i + 1; j < kReceiverModes.size(); ++j) {
            const ReceiverMode& b = kReceiverModes[j];
            if (a.text == b.text || a.command == b.command || a.functionKey == b.functionKey) return false;
            if (a.transferDigit != kNoTransferDigit && a.transferDigit == b.transferDigit) return false;
        }
    }
    return true;
}());

}  // namespace voxpan
