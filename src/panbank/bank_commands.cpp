#include <optional>

#include "banks/bank_file.h"
#include "banks/bank_walk.h"
#include "panbank/commands.h"
#include "panbank/csv_text.h"
#include "panbank/decimal_units.h"
#include "panbank/list_export.h"
#include "panbank/list_import.h"
#include "panel/receiver_modes.h"

namespace voxpan::panbank {

namespace {

std::string bankName(int number) { return "bank" + twoDigits(number); }

std::string fileNameOf(int number) { return bankFileNameFor(twoDigits(number)); }

// The bank through the panel's own reader; nothing (and the reason told)
// when it is missing or does not open.
std::optional<BankTable> loadBank(const Console& console, int number) {
    Panel& panel = console.panel;
    const std::string name = fileNameOf(number);
    const PathKind kind = panel.io.pathKind(name);
    if (kind == PathKind::Missing) {
        console.refuse("there is no " + name + " in " + panel.io.workingFolder() + ".");
        return std::nullopt;
    }
    if (kind != PathKind::File) {
        console.refuse(name + " is " + (kind == PathKind::Folder ? "a folder" : "a device or a pipe") +
                       ", not a bank file.");
        return std::nullopt;
    }
    panel.bankFileName = name;
    readBankFile(panel);
    if (panel.bankReadError != 0) {
        console.refuse(name + " cannot be read (may you read it?).");
        return std::nullopt;
    }
    return panel.bankLines;
}

std::string modeName(const Text& modeLine) {
    const ReceiverMode* mode = modeOfBankModeLine(modeLine);
    return mode != nullptr ? std::string(mode->listName) : "mode line \"" + modeLine.str() + "\"";
}

std::string channelsText(int count) {
    if (count == 0) return "no channels";
    return std::to_string(count) + (count == 1 ? " channel" : " channels");
}

// "bank05: FM, step 12.5 kHz, 2 channels".
std::string summaryLine(int number, const BankTable& bank) {
    const std::optional<std::int64_t> step = unitsOf(bank[2], kKilohertzDecimals);
    const std::string stepText =
        step ? shortestText(*step, kKilohertzDecimals) + " kHz" : "line \"" + bank[2].str() + "\"";
    return bankName(number) + (number == kSearchListBank ? " (the search list)" : "") + ": " + modeName(bank[1]) +
           ", step " + stepText + ", " + channelsText(channelCount(bank));
}

std::string frequencyText(const Text& line) {
    const std::optional<std::int64_t> hertz = unitsOf(line, kMegahertzDecimals);
    if (!hertz) return "\"" + line.str() + "\", no frequency: a transfer passes it over";
    return shortestText(*hertz, kMegahertzDecimals) + " MHz";
}

BankTable tableOf(const std::vector<std::string>& lines) {
    BankTable table{};
    for (std::size_t i = 0; i < lines.size() && i < table.size(); ++i) table[i] = lines[i];
    return table;
}

// Every bank the plan fills is new or may be replaced; else the reasons.
bool targetsFree(const Console& console, const ImportPlan& plan, bool replace) {
    bool free = true;
    for (const ImportedBank& bank : plan.banks) {
        const std::string name = fileNameOf(bank.number);
        const PathKind kind = console.panel.io.pathKind(name);
        if (kind == PathKind::File && !replace) {
            console.refuse(name + " exists: add --replace to put the list in its place.");
            free = false;
        } else if (kind != PathKind::File && kind != PathKind::Missing) {
            console.refuse(name + " is a folder or a device, not a bank file.");
            free = false;
        }
    }
    return free;
}

}  // namespace

int listBanks(const Console& console) {
    Platform& io = console.panel.io;
    int found = 0;
    for (int number = 0; number <= kLastBank; ++number) {
        if (io.pathKind(fileNameOf(number)) == PathKind::Missing) continue;
        ++found;
        if (const std::optional<BankTable> bank = loadBank(console, number)) console.out << summaryLine(number, *bank) << '\n';
    }
    if (found == 0) console.out << "No bank files in " << io.workingFolder() << ".\n";
    return kDone;
}

int showBank(const Console& console, const CommandLine& line) {
    const std::optional<BankTable> bank = loadBank(console, line.bank);
    if (!bank) return kRefused;
    console.out << summaryLine(line.bank, *bank) << '\n';
    const int end = bankEndIndex(*bank);
    for (int i = kFirstChannelIndex; i < end; i += 2) {
        const std::string name = plainName((*bank)[static_cast<std::size_t>(i) + 1]);
        console.out << twoDigits((i - kFirstChannelIndex) / 2) << ": " << frequencyText((*bank)[static_cast<std::size_t>(i)])
                    << (name.empty() ? "" : ", " + name) << '\n';
    }
    if (channelCount(*bank) > kMostChannelsInABank)
        console.out << "The channels from " << kMostChannelsInABank << " on are not written into the receiver.\n";
    return kDone;
}

int importList(const Console& console, const CommandLine& line, const std::string& list) {
    if (line.bank == kSearchListBank) {
        console.refuse("bank 00 is the search list, which the next search replaces: import into 01 to 99. Nothing "
                       "was written.");
        return kRefused;
    }
    const ImportPlan plan = planImport(readCsv(list), {line.bank, line.mode, line.step, line.split});
    for (const RefusedRow& row : plan.refused) {
        console.refuse("line " + std::to_string(row.line) + (row.name.empty() ? "" : ", \"" + row.name + "\"") +
                       ": refused, " + row.reason + ".");
    }
    if (!plan.problem.empty()) {
        console.refuse(line.file + ": " + plan.problem + " Nothing was written.");
        return kRefused;
    }
    for (const std::string& note : plan.notes) console.refuse(note + ".");
    if (!targetsFree(console, plan, line.replace)) {
        console.refuse("nothing was written.");
        return kRefused;
    }
    Panel& panel = console.panel;
    std::string written;
    for (const ImportedBank& bank : plan.banks) {
        panel.bankFileName = fileNameOf(bank.number);
        const bool existed = panel.io.pathKind(panel.bankFileName.str()) == PathKind::File;
        writeBankTable(panel, tableOf(bank.lines));
        if (panel.bankWriteError != 0) {
            console.refuse(panel.bankFileName.str() + " could not be written" +
                           (written.empty() ? ". Nothing was written." : "; written before it: " + written + "."));
            return kRefused;
        }
        written += (written.empty() ? "" : ", ") + panel.bankFileName.str();
        console.out << bankName(bank.number) << (existed ? " replaced" : " written") << ": "
                    << channelsText(bank.channels) << " from lines " << bank.firstLine << " to " << bank.lastLine
                    << ", " << plan.mode->listName << ", step " << plan.step << " kHz.\n";
    }
    if (!plan.refused.empty())
        console.out << plan.refused.size() << (plan.refused.size() == 1 ? " row was" : " rows were")
                    << " refused, as listed.\n";
    return kDone;
}

int exportList(const Console& console, const CommandLine& line) {
    const std::optional<BankTable> bank = loadBank(console, line.bank);
    if (!bank) return kRefused;
    const ListExport list = channelListOf(*bank);
    if (!list.problem.empty()) {
        console.refuse(fileNameOf(line.bank) + " cannot be written as a list: " + list.problem);
        return kRefused;
    }
    for (const std::string& note : list.notes) console.refuse(fileNameOf(line.bank) + ": " + note + ".");
    // Lines end with CR LF: CHIRP writes its lists so, and the panel all
    // its files.
    if (line.file.empty()) {
        for (const std::string& row : list.lines) console.out << row << "\r\n";
        return kDone;
    }
    Platform& io = console.panel.io;
    const PathKind kind = io.pathKind(line.file);
    if (kind == PathKind::File && !line.replace) {
        console.refuse(line.file + " exists: add --replace to replace it. Nothing was written.");
        return kRefused;
    }
    if (kind != PathKind::File && kind != PathKind::Missing) {
        console.refuse(line.file + " is a folder or a device. Nothing was written.");
        return kRefused;
    }
    if (!io.replaceTextFile(line.file, list.lines)) {
        console.refuse(line.file + " was not written.");
        return kRefused;
    }
    console.out << bankName(line.bank) << ": " << channelsText(static_cast<int>(list.lines.size()) - 1)
                << " written to " << line.file << ".\n";
    return kDone;
}

}  // namespace voxpan::panbank
