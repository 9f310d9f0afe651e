// Writing bytes through a Win32 handle. WriteFile may take fewer bytes than
// it was given (a pipe, a full disk), so the rest is written again; a write
// that takes none is a failure, not a reason to try for ever.
#pragma once

#include <windows.h>

#include <string_view>

namespace voxpan {

// True when every byte was written.
bool writeAllTo(HANDLE handle, std::string_view bytes);

}  // namespace voxpan
