// voxpan: a speaking, keyboard-driven front panel for the AR8600 receiver.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "panel/version.h"
#include "platform/core/tracing_platform.h"
#include "shell/startup.h"
#ifdef _WIN32
#include "platform/win32/console_text.h"
#include "platform/win32/win32_platform.h"
using SystemPlatform = voxpan::Win32Platform;
#else
#include "platform/sdl/sdl_platform.h"
using SystemPlatform = voxpan::SdlPlatform;
#endif

namespace {

constexpr const char* kUsage = "usage: voxpan [--help | --version]\n";

constexpr const char* kHelp =
    "voxpan " VOXPAN_VERSION_TEXT ": a speaking front panel for the AOR AR8600 receiver.\n"
    "\n"
    "Start it in its working folder. It reads VOXPAN.CFG there (written by pansetup),\n"
    "speaks the recorded words of the folder 'wave' there, keeps the banks of channels\n"
    "there as bank00.dat to bank99.dat, and writes the traffic log debug1.dat there when\n"
    "VOXPAN.CFG asks for it. It adds a line to hits.csv there for every stop of a search or\n"
    "scan, and passes over the frequencies locked out in lockout.dat (the X key adds them).\n"
    "Everything else is done with the keys: Q ends the panel.\n"
    "\n"
    "  --help     this text\n"
    "  --version  the version\n"
    "\n"
    "Environment: VOXPAN_TRACE=FILE appends one line per word played, text drawn and\n"
    "key taken to FILE.\n";

#ifdef _WIN32
// The panel is a window program: its text goes to the console it was
// started from.
void printOut(const std::string& text) { voxpan::writeToStartingConsole(text, STD_OUTPUT_HANDLE); }
void printError(const std::string& text) { voxpan::writeToStartingConsole(text, STD_ERROR_HANDLE); }
#else
void printOut(const std::string& text) { std::fputs(text.c_str(), stdout); }
void printError(const std::string& text) { std::fputs(text.c_str(), stderr); }
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The wide command line and environment: a path in any script.
    static_cast<void>(argc), static_cast<void>(argv);
    const std::vector<std::string> arguments = voxpan::commandLineArguments();
    const std::string tracePath = voxpan::environmentText(L"VOXPAN_TRACE");
#else
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const char* traceVariable = std::getenv("VOXPAN_TRACE");
    const std::string tracePath = traceVariable != nullptr ? traceVariable : "";
#endif
    if (!arguments.empty()) {
        if (arguments.size() == 1 && arguments[0] == "--help") {
            printOut(std::string(kUsage) + kHelp);
            return 0;
        }
        if (arguments.size() == 1 && arguments[0] == "--version") {
            printOut(std::string("voxpan ") + voxpan::kVersionText + "\n");
            return 0;
        }
        printError(kUsage);
        return 2;
    }
#ifdef _WIN32
    // voxpan.err holds the lines of the last run only.
    voxpan::ErrorOutput::process().startRun();
#endif
    SystemPlatform platform;
    if (!tracePath.empty()) {
        voxpan::TracingPlatform traced(platform, tracePath);
        return voxpan::runPanel(traced);
    }
    return voxpan::runPanel(platform);
}
