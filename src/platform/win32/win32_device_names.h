// Names that Windows gives to its devices rather than to files.
#pragma once

#include <string_view>

namespace voxpan {

// CON, PRN, AUX, NUL, COM0 to COM9, LPT0 to LPT9 (with any extension, in any
// folder, in any case), CONIN$, CONOUT$, CLOCK$, and every name in the
// device namespace \\.\ (COM ports, pipes). Opening one opens the device:
// a COM port's control lines change, a printer port may wait.
bool isWindowsDeviceName(std::string_view name);

}  // namespace voxpan
