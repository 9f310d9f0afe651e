#include "panbank/list_import.h"

#include <algorithm>
#include <map>
#include <span>

#include "banks/bank_file.h"
#include "keys/entry_checks.h"
#include "panbank/decimal_units.h"
#include "panbank/latin_letters.h"
#include "panel/text_values.h"

namespace voxpan::panbank {

namespace {

std::string lowered(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = mode_names::lowered(c);
    return lower;
}

// The columns of the header record, by their names in lower case.
class Columns {
public:
    explicit Columns(const CsvRecord& header) {
        for (std::size_t i = 0; i < header.fields.size(); ++i)
            positions_.emplace(lowered(withoutBlanks(header.fields[i])), i);
    }
    bool has(std::string_view name) const { return positions_.contains(lowered(name)); }
    // The row's cell of that column, "" when there is none.
    std::string_view cell(const CsvRecord& row, std::string_view name) const {
        const auto found = positions_.find(lowered(name));
        if (found == positions_.end() || found->second >= row.fields.size()) return {};
        return withoutBlanks(row.fields[found->second]);
    }

private:
    std::map<std::string, std::size_t> positions_;
};

// A row whose frequency is taken; its mode is still to be matched with the
// bank's (nullptr: it names none and takes the bank's).
struct Candidate {
    int line = 0;
    std::string_view name;
    std::int64_t hertz = 0;
    const ReceiverMode* mode = nullptr;
    std::string_view modeCell;
    std::string_view stepCell;
};

bool isEmpty(const CsvRecord& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& field) { return withoutBlanks(field).empty(); });
}

std::string quoted(std::string_view text) {
    std::string quoted(1, '"');
    quoted += text;
    return quoted += '"';
}

// The rows that keep going, the others refused with their reason.
std::vector<Candidate> candidatesOf(const std::vector<CsvRecord>& records, const Columns& columns,
                                    std::vector<RefusedRow>& refused) {
    std::vector<Candidate> candidates;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& row = records[r];
        if (isEmpty(row)) continue;
        Candidate candidate{row.line, columns.cell(row, "Name"), 0, nullptr, columns.cell(row, "Mode"),
                            columns.cell(row, "TStep")};
        auto refuse = [&](std::string reason) {
            refused.push_back({row.line, plainName(candidate.name), std::move(reason)});
        };
        const std::string_view frequency = columns.cell(row, "Frequency");
        const std::optional<std::int64_t> hertz = unitsOf(frequency, kMegahertzDecimals);
        if (row.unclosedQuote) {
            refuse("a quote opened on this line is never closed");
        } else if (frequency.empty()) {
            refuse("it has no frequency");
        } else if (!hertz) {
            refuse(quoted(frequency) + " is no frequency in MHz");
        } else if (*hertz < kLowestListHertz || *hertz > kHighestListHertz) {
            refuse(shortestText(*hertz, kMegahertzDecimals) + " MHz is outside the receiver's 0.1 to 3000 MHz");
        } else if (!candidate.modeCell.empty() && (candidate.mode = modeOfListName(candidate.modeCell)) == nullptr) {
            refuse("the receiver has no mode " + quoted(candidate.modeCell));
        } else {
            candidate.hertz = *hertz;
            candidates.push_back(candidate);
        }
    }
    return candidates;
}

ImportedBank bankOf(int number, const ReceiverMode& mode, const std::string& step,
                    std::span<const Candidate> channels) {
    ImportedBank bank{number, {"bank" + twoDigits(number), std::string(mode.text), step, " "},
                      static_cast<int>(channels.size()), channels.front().line, channels.back().line};
    for (const Candidate& channel : channels) {
        bank.lines.push_back(shortestText(channel.hertz, kMegahertzDecimals));
        bank.lines.push_back(bankNameLine(channel.name));
    }
    bank.lines.emplace_back(kEndMarker);
    return bank;
}

// The step asked for, else the first row's when the receiver takes it,
// else 12.5.
std::string stepOf(const ImportChoices& choices, const Candidate& first, std::vector<std::string>& notes) {
    if (choices.step) return *choices.step;
    if (first.stepCell.empty()) return std::string(kDefaultStep);
    if (std::optional<std::string> step = bankStepText(first.stepCell)) return *step;
    notes.push_back("the step " + quoted(first.stepCell) + " of line " + std::to_string(first.line) +
                    " is no step the receiver takes: the bank's step is " + std::string(kDefaultStep) + " kHz");
    return std::string(kDefaultStep);
}

}  // namespace

std::optional<std::string> bankStepText(std::string_view kilohertz) {
    const std::optional<std::int64_t> hertz = unitsOf(kilohertz, kKilohertzDecimals);
    if (!hertz) return std::nullopt;
    std::string text = shortestText(*hertz, kKilohertzDecimals);
    if (!fitsStepField(text)) return std::nullopt;
    return text;
}

std::string plainName(std::string_view name) {
    std::string kept;
    for (const char c : latinLettersInAscii(name)) {
        if (c == '\t' || c == '\r' || c == '\n') kept += ' ';
        else if (c >= 0x20 && c < 0x7f) kept += c;
    }
    return std::string(withoutBlanks(kept));
}

std::string bankNameLine(std::string_view name) {
    const std::string plain = plainName(name);
    if (plain.empty()) return " ";
    return isFrequencyText(plain) ? "Ch " + plain : plain;
}

ImportPlan planImport(const std::vector<CsvRecord>& records, const ImportChoices& choices) {
    ImportPlan plan;
    if (records.empty()) {
        plan.problem = "the file holds no line naming the columns, and no channel.";
        return plan;
    }
    const Columns columns(records.front());
    if (!columns.has("Frequency")) {
        plan.problem = "line " + std::to_string(records.front().line) +
                       ", the first line, names no Frequency column: a channel list starts with a line naming its "
                       "columns (Location,Name,Frequency,...).";
        return plan;
    }
    std::vector<Candidate> candidates = candidatesOf(records, columns, plan.refused);

    // The bank's mode: as asked, else the first row's that names one.
    plan.mode = choices.mode;
    for (const Candidate& candidate : candidates)
        if (plan.mode == nullptr) plan.mode = candidate.mode;
    if (plan.mode == nullptr) plan.mode = &kModeFm;
    std::vector<Candidate> taken;
    for (const Candidate& candidate : candidates) {
        if (candidate.mode != nullptr && candidate.mode != plan.mode) {
            plan.refused.push_back({candidate.line, plainName(candidate.name),
                                    "its mode " + quoted(candidate.modeCell) + " is not the bank's " +
                                        std::string(plan.mode->listName) + " (a bank has one mode)"});
        } else {
            taken.push_back(candidate);
        }
    }
    std::sort(plan.refused.begin(), plan.refused.end(),
              [](const RefusedRow& a, const RefusedRow& b) { return a.line < b.line; });
    if (taken.empty()) {
        plan.problem = "no row of the list could be imported.";
        return plan;
    }

    plan.step = stepOf(choices, taken.front(), plan.notes);

    const int count = static_cast<int>(taken.size());
    const int banksNeeded = (count + kMostChannelsInABank - 1) / kMostChannelsInABank;
    if (banksNeeded > 1 && !choices.split) {
        plan.problem = "the list has " + std::to_string(count) + " channels to import, and a bank holds at most " +
                       std::to_string(kMostChannelsInABank) + ". With --split they fill bank" +
                       twoDigits(choices.firstBank) + " and the banks after it in turn.";
        return plan;
    }
    if (choices.firstBank + banksNeeded - 1 > kLastBank) {
        plan.problem = "the " + std::to_string(count) + " channels need " + std::to_string(banksNeeded) +
                       " banks from bank" + twoDigits(choices.firstBank) + " on, which would go past bank99.";
        return plan;
    }
    const std::span<const Candidate> all(taken);
    for (int b = 0; b < banksNeeded; ++b) {
        const std::size_t from = static_cast<std::size_t>(b) * kMostChannelsInABank;
        plan.banks.push_back(bankOf(choices.firstBank + b, *plan.mode, plan.step,
                                    all.subspan(from, std::min<std::size_t>(kMostChannelsInABank, all.size() - from))));
    }
    return plan;
}

}  // namespace voxpan::panbank
