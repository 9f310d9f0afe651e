// voxpan: a speaking, keyboard-driven front panel for the AR8600 receiver.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "panel/version.h"
#include "platform/core/tracing_platform.h"
#include "shell/startup.h"
#ifdef _WIN32
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

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        const std::string_view argument = argv[1];
        if (argc == 2 && argument == "--help") {
            std::fputs(kUsage, stdout);
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (argc == 2 && argument == "--version") {
            std::printf("voxpan %s\n", voxpan::kVersionText);
            return 0;
        }
        std::fputs(kUsage, stderr);
        return 2;
    }
    SystemPlatform platform;
    const char* tracePath = std::getenv("VOXPAN_TRACE");
    if (tracePath != nullptr && *tracePath != '\0') {
        voxpan::TracingPlatform traced(platform, tracePath);
        return voxpan::runPanel(traced);
    }
    return voxpan::runPanel(platform);
}
