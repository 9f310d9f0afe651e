#include "command_line.h"

#include <charconv>
#include <cmath>

#include "receiver_sim/lib/frequency_fields.h"
#include "receiver_sim/lib/memory_channels.h"

namespace receiver_sim {
namespace {

template <typename Number>
std::optional<Number> wholeNumber(std::string_view text) {
    Number value{};
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> seconds(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end || !std::isfinite(value) ||
        value < 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<Fault> faultNamed(std::string_view name) {
    if (name == "none") return Fault::None;
    if (name == "silent") return Fault::Silent;
    if (name == "slow") return Fault::Slow;
    if (name == "split") return Fault::Split;
    if (name == "garbage") return Fault::Garbage;
    return std::nullopt;
}

CommandLineResult failure(std::string message) { return CommandLineResult{std::nullopt, message}; }

}  // namespace

std::optional<Signal> parseSignalOption(const std::string& value) {
    std::string_view text = value;
    std::size_t first = text.find(':');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    std::size_t second = text.find(':', first + 1);
    std::optional<long long> hz = parseMegahertz(text.substr(0, first));
    std::optional<int> level = wholeNumber<int>(
        text.substr(first + 1, second == std::string_view::npos ? second : second - first - 1));
    if (!hz || !level || *level < 0 || *level > 999) {
        return std::nullopt;
    }
    Signal signal{*hz, *level, -1};
    if (second != std::string_view::npos) {
        std::optional<double> lasting = seconds(text.substr(second + 1));
        if (!lasting) {
            return std::nullopt;
        }
        signal.seconds = *lasting;
    }
    return signal;
}

CommandLineResult parseCommandLine(const std::vector<std::string>& arguments) {
    ToolOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            return failure(option.rfind("--", 0) == 0 ? option + " needs a value"
                                                       : "unknown argument " + option);
        }
        const std::string& value = arguments[++i];
        if (option == "--signal") {
            std::optional<Signal> signal = parseSignalOption(value);
            if (!signal) {
                return failure("--signal takes MHZ:LEVEL[:SECONDS] with LEVEL 0 to 999, not " +
                               value);
            }
            options.receiver.signals.push_back(*signal);
        } else if (option == "--fault") {
            std::optional<Fault> fault = faultNamed(value);
            if (!fault) {
                return failure("--fault takes none, silent, slow, split or garbage, not " + value);
            }
            options.receiver.fault = *fault;
        } else if (option == "--seed") {
            std::optional<unsigned> seed = wholeNumber<unsigned>(value);
            if (!seed) {
                return failure("--seed takes a whole number, not " + value);
            }
            options.receiver.seed = *seed;
        } else if (option == "--bank") {
            std::optional<int> setting;
            if (value.size() >= 3 && value.size() <= 5 && value[1] == '=') {
                setting = wholeNumber<int>(std::string_view(value).substr(2));
            }
            if (!setting || !isBankLetter(value[0]) || *setting < 0 || *setting > 999) {
                return failure("--bank takes LETTER=SETTING, a letter A-J or a-j and 0 to 999, not " +
                               value);
            }
            options.receiver.bankSettings[value[0]] = *setting;
        } else if (option == "--bank-delay") {
            std::optional<double> delay = seconds(value);
            if (!delay) {
                return failure("--bank-delay takes seconds, not " + value);
            }
            options.receiver.bankSetSeconds = *delay;
        } else if (option == "--capture") {
            options.captureFile = value;
        } else if (option == "--line-report") {
            options.lineReportFile = value;
        } else if (option == "--memory-report") {
            options.memoryReportFile = value;
        } else if (option == "--ignore") {
            if (value.empty() || value.find('\r') != std::string::npos) {
                return failure("--ignore takes the start of a command, such as MW, not \"" + value + "\"");
            }
            options.receiver.ignoredCommands.push_back(value);
        } else if (option == "--link") {
            options.linkPath = value;
        } else {
            return failure("unknown option " + option);
        }
    }
    return CommandLineResult{options, ""};
}

const char* usageText() {
    return "usage: receiver-sim [options]\n"
           "Plays an AOR AR8600 receiver on a pseudo-terminal. The first line on\n"
           "standard output is the terminal's device path. Runs until SIGTERM or SIGINT.\n"
           "\n"
           "  --signal MHZ:LEVEL[:SECONDS]  a signal (repeatable); LEVEL is the level\n"
           "                                reading 0-999 (200 is strong); SECONDS: it ends\n"
           "  --fault silent|slow|split|garbage\n"
           "  --seed N                      seed of the split points and stray bytes\n"
           "  --bank LETTER=SETTING         a bank's setting as \"MW\" reports it (default 90)\n"
           "  --bank-delay SECONDS          time to answer a bank setting (default 1)\n"
           "  --capture FILE                append every byte received to FILE\n"
           "  --line-report FILE            keep FILE holding the line settings\n"
           "  --memory-report FILE          keep FILE holding the stored channels\n"
           "  --ignore PREFIX               take in commands starting with PREFIX and\n"
           "                                neither carry them out nor answer (repeatable)\n"
           "  --link PATH                   make PATH a symbolic link to the device\n"
           "  --help\n";
}

}  // namespace receiver_sim
