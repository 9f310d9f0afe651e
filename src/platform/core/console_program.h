// The start of a console program (pansetup, panbank): its arguments, and
// its standard streams made ready for the person at the console.
#pragma once

#include <string>
#include <vector>

namespace voxpan {

// The arguments without the program's name, as UTF-8. On Windows they come
// from the wide command line, and std::cin, std::cout and std::cerr read and
// write a console in UTF-16 from then on (see platform/win32/console_text.h);
// on Linux they are the bytes given, and the streams stay as they are.
std::vector<std::string> startConsoleProgram(int argc, char** argv);

}  // namespace voxpan
