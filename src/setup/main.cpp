// pansetup: sets up voxpan's working folder and VOXPAN.CFG, by questions on
// the terminal or from its command line.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "platform/core/console_program.h"
#include "panel/version.h"
#include "setup/apply_settings.h"
#include "setup/command_line.h"
#include "setup/console_window.h"
#include "setup/dialogue.h"
#include "setup/port_check.h"
#include "setup/port_discovery.h"
#include "setup/receiver_probe.h"
#include "setup/working_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace voxpan::setup;

constexpr int kDone = 0;
constexpr int kRefused = 1;
constexpr int kUsageError = 2;

// Tests point the port search at a fake tree of dev/ and sys/.
fs::path deviceRoot() {
    const char* root = std::getenv("VOXPAN_DEVICE_ROOT");
    return root != nullptr && *root != '\0' ? fs::path(root) : fs::path("/");
}

int listPorts() {
    const std::vector<FoundPort> ports = findSerialPorts(deviceRoot());
    for (const FoundPort& port : ports) std::cout << port.path << " (" << port.description << ")\n";
    if (ports.empty()) std::cerr << "pansetup: no serial ports found\n";
    return kDone;
}

int probePort(const std::string& device) {
    const PortCheck check = checkPort(device);
    if (!check.opens) {
        std::cerr << "pansetup: " << check.problem << '\n';
        return kRefused;
    }
    if (!check.note.empty()) std::cout << check.note << '\n';
    const int speed = probeReceiver(device, kProbeOrder, kProbeGiveUp, [](const ProbeAttempt& attempt) {
        std::cout << "At " << speedWords(attempt.speed) << ": "
                  << (!attempt.opened ? "the port did not open." : attempt.answered ? "the receiver answered." : "no answer.")
                  << std::endl;
    });
    if (speed == 0) {
        std::cerr << "pansetup: the receiver on " << device
                  << " did not answer; check that it is switched on and its cable is connected\n";
        return kRefused;
    }
    std::cout << "The receiver answers at " << speedWords(speed) << ".\n";
    return kDone;
}

int setUpWithoutQuestions(const CommandLine& line) {
    const fs::path folder = line.folder ? folderFromText(*line.folder) : defaultWorkingFolder();
    if (const std::string problem = folderProblem(folder); !problem.empty()) {
        std::cerr << "pansetup: " << problem << " Nothing was written.\n";
        return kRefused;
    }
    const fs::path words = findRecordedWords(programFolder());
    Settings settings = line.settings;
    // Set up again without --pace, the folder keeps the pace it has.
    if (!line.paceGiven) settings.pace = currentPace(folder, words);
    const PortCheck check = checkPort(line.settings.port);
    if (!check.opens) {
        std::cerr << "pansetup: " << check.problem << "\npansetup: nothing was written.\n";
        return kRefused;
    }
    if (!check.note.empty()) std::cout << check.note << '\n';
    return applySettings(std::cout, std::cerr, folder, settings, words) ? kDone : kRefused;
}

int changeVoice(const CommandLine& line) {
    const fs::path folder = line.folder ? folderFromText(*line.folder) : defaultWorkingFolder();
    return changeVoiceAndPace(std::cout, std::cerr, folder, line.voiceGiven ? &line.settings : nullptr,
                              line.paceGiven ? std::optional<voxpan::SpeechPace>(line.settings.pace) : std::nullopt,
                              findRecordedWords(programFolder()))
               ? kDone
               : kRefused;
}

int run(const std::vector<std::string>& arguments) {
    const CommandLine line = parseCommandLine(arguments);
    if (!line.error.empty()) {
        std::cerr << "pansetup: " << line.error << "\nTry: pansetup --help\n";
        return kUsageError;
    }
    switch (line.mode) {
    case Mode::Help:
        std::cout << usageText();
        return kDone;
    case Mode::Version:
        std::cout << "pansetup " << voxpan::kVersionText << '\n';
        return kDone;
    case Mode::List:
        return listPorts();
    case Mode::Probe:
        return probePort(line.probeDevice);
    case Mode::Script:
        return setUpWithoutQuestions(line);
    case Mode::Change:
        return changeVoice(line);
    case Mode::Dialogue:
        break;
    }
    DialogueContext context;
    context.deviceRoot = deviceRoot();
    context.words = findRecordedWords(programFolder());
    if (line.folder) {
        context.folder = folderFromText(*line.folder);
        if (const std::string problem = folderProblem(*context.folder); !problem.empty()) {
            std::cerr << "pansetup: " << problem << " Nothing was written.\n";
            return kRefused;
        }
    }
    return runDialogue(std::cin, std::cout, std::cerr, context);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = voxpan::startConsoleProgram(argc, argv);
    int status = kRefused;
    try {
        status = run(arguments);
    } catch (const std::exception& error) {
        // The file system failing under the program (a folder removed while it is read, say).
        std::cerr << "pansetup: " << error.what() << "\n";
    }
    holdOwnConsoleWindow(std::cin, std::cout);
    return status;
}
