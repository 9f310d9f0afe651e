#include "panbank/command_line.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "panbank/decimal_units.h"
#include "panbank/list_import.h"

namespace voxpan::panbank {

namespace {

struct CommandForm {
    Command command;
    // The words after the command: the fewest and the most.
    std::size_t fewest;
    std::size_t most;
    // The options it takes besides --folder.
    std::set<std::string, std::less<>> options;
};

const std::map<std::string, CommandForm, std::less<>> kCommands{
    {"help", {Command::Help, 0, 0, {}}},
    {"list", {Command::List, 0, 0, {}}},
    {"show", {Command::Show, 1, 1, {}}},
    {"import", {Command::Import, 1, 1, {"--bank", "--mode", "--step", "--replace", "--split"}}},
    {"export", {Command::Export, 1, 2, {"--replace"}}},
    {"hits", {Command::Hits, 0, 0, {"--since"}}},
    {"lockouts", {Command::Lockouts, 0, 0, {}}},
    {"unlock", {Command::Unlock, 1, 1, {}}},
};
const std::set<std::string, std::less<>> kValueOptions{"--folder", "--bank", "--mode", "--step", "--since"};
const std::set<std::string, std::less<>> kSwitches{"--replace", "--split"};

std::string modeList() {
    std::string list;
    for (const ReceiverMode& mode : kReceiverModes) {
        list += (list.empty() ? "" : ", ") + std::string(mode.listName);
        if (!mode.otherListNames.empty()) list += " (or " + std::string(mode.otherListNames) + ")";
    }
    return list;
}

std::optional<int> bankNumberOf(const std::string& text) {
    if (text.empty() || text.size() > 2 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(text);
}

// Checks the values of the options and the command's words; "" or the
// usage error.
std::string takeValues(const std::map<std::string, std::string, std::less<>>& values,
                       const std::vector<std::string>& words, CommandLine& line) {
    for (const auto& [option, value] : values) {
        if (option == "--folder") {
            if (value.empty()) return "--folder takes a folder";
            line.folder = value;
        } else if (option == "--bank") {
            const std::optional<int> bank = bankNumberOf(value);
            if (!bank) return "--bank takes a bank number, 01 to 99, not '" + value + "'";
            line.bank = *bank;
        } else if (option == "--mode") {
            line.mode = modeOfListName(value);
            if (line.mode == nullptr) return "--mode takes " + modeList() + ", not '" + value + "'";
        } else if (option == "--step") {
            line.step = bankStepText(value);
            if (!line.step) return "--step takes a step in kHz the receiver can take (above 0, below 1000, at most two decimals), not '" + value + "'";
        } else if (option == "--since") {
            line.since = sinceOf(value);
            if (!line.since) return "--since takes a day, 2026-12-01, or a time, 2026-12-01T18:00, not '" + value + "'";
        } else {
            (option == "--replace" ? line.replace : line.split) = true;
        }
    }
    switch (line.command) {
    case Command::Show:
    case Command::Export: {
        const std::optional<int> bank = bankNumberOf(words[1]);
        if (!bank) return "a bank number, 00 to 99, is needed, not '" + words[1] + "'";
        line.bank = *bank;
        if (words.size() > 2) line.file = words[2];
        break;
    }
    case Command::Import:
        line.file = words[1];
        if (line.bank < 0) return "import needs --bank NN, the bank to fill";
        break;
    case Command::Unlock:
        if (words[1] != "all") {
            line.unlockHertz = unitsOf(words[1], kMegahertzDecimals);
            if (!line.unlockHertz || words[1].find_first_of(" \t") != std::string::npos)
                return "unlock takes a frequency in MHz, or all, not '" + words[1] + "'";
        }
        break;
    default:
        break;
    }
    return {};
}

}  // namespace

CommandLine parseCommandLine(std::span<const std::string> arguments) {
    CommandLine line;
    std::map<std::string, std::string, std::less<>> values;
    std::vector<std::string> words;
    auto fail = [&](std::string error) {
        line.error = std::move(error);
        return line;
    };
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        std::string option = arguments[index];
        if (option == "--help" || option == "-h") {
            line.command = Command::Help;
            return line;
        }
        if (option == "--version") {
            line.command = Command::Version;
            return line;
        }
        if (!option.starts_with("--")) {
            words.push_back(option);
            continue;
        }
        std::optional<std::string> value;
        if (const std::size_t equals = option.find('='); equals != std::string::npos) {
            value = option.substr(equals + 1);
            option.resize(equals);
        }
        if (kSwitches.contains(option)) {
            if (value) return fail(option + " takes no value");
            value = "";
        } else if (!kValueOptions.contains(option)) {
            return fail("unknown option " + option);
        } else if (!value) {
            if (index + 1 >= arguments.size()) return fail(option + " needs a value");
            value = arguments[++index];
        }
        if (!values.emplace(option, *value).second) return fail(option + " is given twice");
    }
    if (words.empty()) return fail("a command is needed: list, show, import, export, hits, lockouts or unlock");
    const auto found = kCommands.find(words.front());
    if (found == kCommands.end()) return fail("unknown command '" + words.front() + "'");
    const CommandForm& form = found->second;
    line.command = form.command;
    const std::size_t given = words.size() - 1;
    if (given < form.fewest) return fail(words.front() + " needs " + (form.most == 1 ? "an argument" : "more arguments"));
    if (given > form.most) return fail("unexpected argument '" + words[form.most + 1] + "'");
    for (const auto& [option, value] : values) {
        if (option != "--folder" && !form.options.contains(option)) return fail(words.front() + " takes no " + option);
    }
    if (std::string error = takeValues(values, words, line); !error.empty()) return fail(std::move(error));
    return line;
}

std::string usageText() {
    return "Usage: panbank list\n"
           "       panbank show NN\n"
           "       panbank import FILE --bank NN [--mode M] [--step KHZ] [--replace] [--split]\n"
           "       panbank export NN [FILE] [--replace]\n"
           "       panbank hits [--since DATE]\n"
           "       panbank lockouts\n"
           "       panbank unlock MHZ|all\n"
           "Each takes --folder DIR, the panel's working folder (default: the current folder).\n"
           "\n"
           "Looks after the banks of voxpan, the speaking front panel for the AOR AR8600 receiver,\n"
           "and brings channel lists in from CHIRP and back out to it.\n"
           "\n"
           "Commands:\n"
           "  list             one line per bank file: number, mode, step, number of channels\n"
           "  show NN          bank NN, one line per channel: its number as the receiver gets it,\n"
           "                   MHz and name\n"
           "  import FILE      the channels of a CHIRP list (CSV) into a new bank; refused rows are\n"
           "                   named with their line, and the rest is imported\n"
           "  export NN [FILE] bank NN as a CHIRP list, to FILE or to the standard output\n"
           "  hits             the hit log, hits.csv: one line per frequency, most stops first\n"
           "  lockouts         the locked-out frequencies, one a line\n"
           "  unlock MHZ|all   takes one frequency, or all of them, off the lockout list\n"
           "\n"
           "Options:\n"
           "  --folder DIR     the working folder (default: the current folder)\n"
           "  --bank NN        the bank to import into, 01 to 99\n"
           "  --mode M         the bank's mode: " + modeList() + ";\n"
           "                   without it, the mode of the first row taken, or FM\n"
           "  --step KHZ       the bank's step in kHz; without it, the first row's TStep, or 12.5\n"
           "  --replace        an existing bank (or FILE) is replaced; without it, it is left alone\n"
           "  --split          a list longer than a bank's 91 channels fills NN, NN+1, ... in turn\n"
           "  --since DATE     only the stops from that day (2026-12-01) or time (2026-12-01T18:00) on\n"
           "  --help           prints this text\n"
           "  --version        prints the version\n"
           "\n"
           "Exit status: 0 when done (an import that refused some rows is done), 1 when refused with a\n"
           "message and nothing written, 2 for a wrong command line.\n";
}

}  // namespace voxpan::panbank
