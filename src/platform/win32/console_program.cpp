#include "platform/core/console_program.h"

#include "platform/win32/console_text.h"

namespace voxpan {

std::vector<std::string> startConsoleProgram(int, char**) {
    // Folder names in any script, read and said as a screen reader needs.
    useUnicodeConsole();
    return commandLineArguments();
}

}  // namespace voxpan
