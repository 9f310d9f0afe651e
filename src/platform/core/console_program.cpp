#include "platform/core/console_program.h"

namespace voxpan {

std::vector<std::string> startConsoleProgram(int argc, char** argv) {
    return {argv + (argc > 0 ? 1 : 0), argv + argc};
}

}  // namespace voxpan
