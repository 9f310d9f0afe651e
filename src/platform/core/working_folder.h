// The working folder and the program's own installed files, for the panel's
// start-up checks and its messages.
#pragma once

#include <string>

#include "platform/platform.h"

namespace voxpan {

PathKind pathKindOf(const std::string& name);
// The absolute path of the current folder, or "." when it cannot be told.
std::string currentFolder();
// Where the recorded words of a program at `executable` are: an installed
// program (<prefix>/bin/voxpan) has them in <prefix>/share/voxpan/wave, one
// run from its build folder has them next to it in wave. "" when neither
// exists. The result ends in "/".
std::string wordFolderBeside(const std::string& executable);
// The same for this program, found through /proc/self/exe.
std::string installedWordFolder();

}  // namespace voxpan
