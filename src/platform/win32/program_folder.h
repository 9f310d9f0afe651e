// Where the running program lies: its recorded words are installed beside it.
#pragma once

#include <string>

namespace voxpan {

// The folder of the running .exe (UTF-8), ending in a backslash; "" when
// Windows does not say.
std::string win32ProgramFolder();

}  // namespace voxpan
