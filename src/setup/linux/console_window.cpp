#include "setup/console_window.h"

namespace voxpan::setup {

// A terminal stays open when the program in it ends.
void holdOwnConsoleWindow(std::istream&, std::ostream&) {}

}  // namespace voxpan::setup
