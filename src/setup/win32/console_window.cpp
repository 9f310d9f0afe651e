#include "setup/console_window.h"

#include <windows.h>

#include <istream>
#include <ostream>
#include <string>

namespace voxpan::setup {

void holdOwnConsoleWindow(std::istream& in, std::ostream& out) {
    // Started from a console, pansetup shares it with the shell there.
    DWORD processes[2];
    DWORD mode = 0;
    if (GetConsoleProcessList(processes, 2) != 1 || !GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode)) return;
    out << "Press Enter to close this window." << std::flush;
    std::string line;
    std::getline(in, line);
}

}  // namespace voxpan::setup
