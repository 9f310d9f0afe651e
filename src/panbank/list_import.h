// Turning a CHIRP channel list into banks: which rows are taken, the bank's
// mode and step, and the bank files' lines. Nothing here touches a file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "panbank/csv_text.h"
#include "panel/receiver_modes.h"

namespace voxpan::panbank {

// The receiver covers 0.1 to 3000 MHz.
inline constexpr std::int64_t kLowestListHertz = 100'000;
inline constexpr std::int64_t kHighestListHertz = 3'000'000'000;
inline constexpr std::string_view kDefaultStep = "12.5";
// Bank 00 is the search list: the next search replaces it.
inline constexpr int kSearchListBank = 0;
inline constexpr int kLastBank = 99;

struct ImportChoices {
    int firstBank = 1;
    // The bank's mode; without it the first taken row's, or FM.
    const ReceiverMode* mode = nullptr;
    // The bank's step line; without it the first taken row's TStep, or 12.5.
    std::optional<std::string> step;
    // More than a bank holds fills the banks after the first in turn.
    bool split = false;
};

struct RefusedRow {
    int line = 0;
    std::string name;  // as plainName gives it
    std::string reason;
};

struct ImportedBank {
    int number = 0;
    // The file's lines: label, mode, step, " ", frequency and name of each
    // channel, "9999".
    std::vector<std::string> lines;
    int channels = 0;
    // The list's lines its first and last channel came from.
    int firstLine = 0;
    int lastLine = 0;
};

struct ImportPlan {
    // Why the list is refused as a whole; empty when the banks can be written.
    std::string problem;
    const ReceiverMode* mode = nullptr;
    std::string step;
    std::vector<RefusedRow> refused;
    // Things the operator should know that refuse nothing.
    std::vector<std::string> notes;
    std::vector<ImportedBank> banks;
};

// A step as a bank keeps it, the shortest kHz text ("5.00" gives "5"), when
// the receiver's step field can take it (above 0, at most 999.99 kHz).
std::optional<std::string> bankStepText(std::string_view kilohertz);

// A name as a bank and a screen reader can take it: line ends and tabs as
// blanks, accented letters as their base letters (latinLettersInAscii),
// only printable ASCII, no blanks at either end.
std::string plainName(std::string_view name);

// The line a channel's name takes in its bank: the plain name, " " for
// none. A name that reads as a frequency ("16", "146.52") gets "Ch " in
// front: the panel's editing takes any line that reads as a frequency for
// a channel of its own.
std::string bankNameLine(std::string_view name);

// The banks the records of a list fill, the first record naming the columns.
ImportPlan planImport(const std::vector<CsvRecord>& records, const ImportChoices& choices);

}  // namespace voxpan::panbank
