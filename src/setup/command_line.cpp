#include "setup/command_line.h"

#include <algorithm>
#include <map>

#include "platform/platform.h"
#include "setup/network_ports.h"
#include "setup/port_names.h"
#include "setup/receiver_probe.h"
#include "setup/working_folder.h"
#include "voice/speech_paces.h"

namespace voxpan::setup {
namespace {

// Options that take a value, and whether they belong to the scripted set-up.
const std::map<std::string, bool, std::less<>> kValueOptions = {
    {"--port", true}, {"--speed", true}, {"--voice", true}, {"--log", true}, {"--hits", true}, {"--pace", true},
    {"--folder", false}, {"--probe", false},
};

// The options that may change an existing working folder on their own.
bool changesOnly(const std::string& option) { return option == "--voice" || option == "--pace" || option == "--folder"; }

bool onOff(const std::string& option, const std::string& value, bool& result, std::string& error) {
    if (value == "on" || value == "off") {
        result = value == "on";
        return true;
    }
    error = option + " takes on or off, not '" + value + "'";
    return false;
}

std::string speedList() {
    std::string list;
    for (std::size_t index = 0; index < std::size(kReceiverSpeeds); ++index) {
        if (index > 0) list += index + 1 == std::size(kReceiverSpeeds) ? " or " : ", ";
        list += std::to_string(kReceiverSpeeds[index]);
    }
    return list;
}

// Checks the values given and fills the settings; false with `error` set.
bool takeValues(const std::map<std::string, std::string, std::less<>>& values, CommandLine& line) {
    for (const auto& [option, value] : values) {
        if (option == "--port") {
            if (!isWritablePortText(value)) {
                line.error = namesNetworkPort(value) ? "--port: " + networkPortProblem(value)
                                                     : "--port takes " + std::string(kPortWords.kind) + ", not '" + value + "'";
                return false;
            }
            line.settings.port = value;
        } else if (option == "--speed") {
            const auto speed = std::find_if(std::begin(kReceiverSpeeds), std::end(kReceiverSpeeds),
                                            [&](int s) { return std::to_string(s) == value; });
            if (speed == std::end(kReceiverSpeeds)) {
                line.error = "--speed takes " + speedList() + " (the receiver's speeds), not '" + value + "'";
                return false;
            }
            line.settings.speed = *speed;
        } else if (option == "--voice") {
            line.voiceGiven = true;
            line.settings.systemVoice = value == "system";
            if (!line.settings.systemVoice && !onOff(option, value, line.settings.voice, line.error)) {
                line.error = "--voice takes on, off or system, not '" + value + "'";
                return false;
            }
        } else if (option == "--pace") {
            const std::optional<SpeechPace> pace = paceNamed(value);
            if (!pace) {
                line.error = "--pace takes normal, fast or fastest, not '" + value + "'";
                return false;
            }
            line.paceGiven = true;
            line.settings.pace = *pace;
        } else if (option == "--log" && !onOff(option, value, line.settings.log, line.error)) {
            return false;
        } else if (option == "--hits" && !onOff(option, value, line.settings.hits, line.error)) {
            return false;
        } else if (option == "--folder") {
            if (value.empty()) {
                line.error = "--folder takes a folder";
                return false;
            }
            line.folder = value;
        } else if (option == "--probe") {
            line.probeDevice = value;
        }
    }
    return true;
}

}  // namespace

CommandLine parseCommandLine(std::span<const std::string> arguments) {
    CommandLine line;
    std::map<std::string, std::string, std::less<>> values;
    bool list = false;
    auto fail = [&](std::string error) {
        line.error = std::move(error);
        return line;
    };
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        std::string option = arguments[index];
        std::optional<std::string> value;
        if (const auto equals = option.find('='); option.starts_with("--") && equals != std::string::npos) {
            value = option.substr(equals + 1);
            option.resize(equals);
        }
        if (option == "--help" || option == "-h") {
            line.mode = Mode::Help;
            return line;
        }
        if (option == "--version") {
            line.mode = Mode::Version;
            return line;
        }
        if (option == "--list") {
            if (value) return fail("--list takes no value");
            if (list) return fail("--list is given twice");
            list = true;
            continue;
        }
        if (!kValueOptions.contains(option)) {
            return fail(option.starts_with("-") ? "unknown option " + option : "unexpected argument '" + option + "'");
        }
        if (!value) {
            if (index + 1 >= arguments.size()) return fail(option + " needs a value");
            value = arguments[++index];
        }
        if (!values.emplace(option, *value).second) return fail(option + " is given twice");
    }

    const bool scripted = std::any_of(values.begin(), values.end(),
                                      [](const auto& entry) { return kValueOptions.at(entry.first); });
    const bool probing = values.contains("--probe");
    if (list + probing + scripted > 1) return fail("--list, --probe and the set-up options go one at a time");
    if (list && !values.empty()) return fail("--list takes no other option");
    if (probing && values.size() > 1) return fail("--probe takes no other option");
    if (!takeValues(values, line)) return line;

    if (list) line.mode = Mode::List;
    else if (probing) line.mode = Mode::Probe;
    else if (scripted && !values.contains("--port") &&
             std::all_of(values.begin(), values.end(), [](const auto& entry) { return changesOnly(entry.first); }))
        line.mode = Mode::Change;
    else if (scripted) {
        line.mode = Mode::Script;
        for (const char* needed : {"--port", "--speed", "--voice", "--log"}) {
            if (!values.contains(needed)) return fail(std::string(needed) + " is needed to set up without questions");
        }
    }
    return line;
}

std::string usageText() {
    return "Usage: pansetup [--folder DIR]\n"
           "       pansetup --port DEV --speed N --voice on|off|system --log on|off [--hits on|off]\n"
           "                [--pace normal|fast|fastest] [--folder DIR]\n"
           "       pansetup [--voice on|off|system] [--pace normal|fast|fastest] [--folder DIR]\n"
           "       pansetup --list\n"
           "       pansetup --probe DEV\n"
           "       pansetup --help | --version\n"
           "\n"
           "Sets up voxpan, the speaking front panel for the AOR AR8600 receiver: writes VOXPAN.CFG in\n"
           "the panel's working folder and " + std::string(kFolderWords.wordsPut) + " the recorded words into it as wave.\n"
           "Without options it asks one question at a time, and writes nothing until you confirm.\n"
           "\n"
           "Options:\n"
           "  --folder DIR     the working folder (default " + std::string(kFolderWords.defaultFolder) + "); created when missing\n"
           "  --port DEV       the receiver's serial port, " + std::string(kPortWords.optionHelp) + "; writes without asking, with the three below\n"
           "  --speed N        the line speed set on the receiver: " + speedList() + "\n"
           "  --voice on|off|system\n"
           "                   the spoken words: on, the recorded words; system, the system's own\n"
           "                   voice (" + std::string(kFolderWords.systemVoice) + "), which also says the channels' names\n"
           "  --pace normal|fast|fastest\n"
           "                   how fast the words are spoken (default: as the folder has them, else\n"
           "                   normal)\n"
           "  (--voice and --pace alone change only that in the folder's existing setup)\n"
           "  --log on|off     the traffic log, debug1.dat\n"
           "  --hits on|off    the hit log of every stop of a search or scan, hits.csv (default on)\n"
           "  --list           prints the serial ports found, one a line, with what is known of each\n"
           "  --probe DEV      checks that DEV opens and asks the receiver on it whether it answers,\n"
           "                   at each of its speeds (only the level query LM is sent)\n"
           "  --help           prints this text\n"
           "  --version        prints the version of pansetup\n"
           "\n"
           "Exit status: 0 when the file was written (or the ports listed, or the receiver answered),\n"
           "1 when refused with a message, 2 for a wrong command line.\n";
}

}  // namespace voxpan::setup
