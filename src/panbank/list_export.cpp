#include "panbank/list_export.h"

#include <array>
#include <optional>

#include "banks/bank_file.h"
#include "panbank/csv_text.h"
#include "panbank/decimal_units.h"
#include "panbank/list_import.h"
#include "panel/receiver_modes.h"

namespace voxpan::panbank {

namespace {

// CHIRP's columns, in its order.
constexpr std::array<std::string_view, 21> kColumns{
    "Location", "Name",  "Frequency", "Duplex", "Offset",  "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode", "TStep",
    "Skip",     "Power", "Comment",   "URCALL", "RPT1CALL", "RPT2CALL", "DVCODE"};

// A receive channel without tones or shift, as CHIRP writes one; 50W is its
// generic radio's power, a value any reader of the list takes.
std::vector<std::string> rowOf(int location, std::string_view name, std::int64_t hertz, const ReceiverMode& mode,
                               const std::string& step) {
    return {std::to_string(location), std::string(name), fixedText(hertz, kMegahertzDecimals, 6), "", "0.000000", "",
            "88.5", "88.5", "023", "NN", "023", "Tone->Tone", std::string(mode.listName), step, "", "50W",
            "", "", "", "", ""};
}

}  // namespace

ListExport channelListOf(const BankTable& table) {
    ListExport list;
    const ReceiverMode* mode = modeOfBankModeLine(table[1]);
    if (mode == nullptr) {
        list.problem = "its mode line \"" + table[1].str() + "\" names none of the receiver's modes.";
        return list;
    }
    std::optional<std::int64_t> stepHertz = unitsOf(table[2], kKilohertzDecimals);
    if (!stepHertz || *stepHertz == 0) {
        stepHertz = unitsOf(kDefaultStep, kKilohertzDecimals);
        list.notes.push_back("its step line \"" + table[2].str() + "\" is no step in kHz: TStep is " +
                             std::string(kDefaultStep) + " kHz");
    }
    const std::string step = fixedText(*stepHertz, kKilohertzDecimals, 2);

    list.lines.push_back(csvRow(std::vector<std::string>(kColumns.begin(), kColumns.end())));
    const int end = bankEndIndex(table);
    for (int i = kFirstChannelIndex; i < end; i += 2) {
        const int position = (i - kFirstChannelIndex) / 2;
        const Text& frequency = table[static_cast<std::size_t>(i)];
        const std::optional<std::int64_t> hertz = unitsOf(frequency, kMegahertzDecimals);
        if (!hertz) {
            list.notes.push_back("channel " + twoDigits(position) + ", \"" + frequency.str() + "\", is no frequency and is left out");
            continue;
        }
        list.lines.push_back(
            csvRow(rowOf(position, plainName(table[static_cast<std::size_t>(i) + 1]), *hertz, *mode, step)));
    }
    return list;
}

}  // namespace voxpan::panbank
