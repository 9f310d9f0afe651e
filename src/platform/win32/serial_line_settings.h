// The line state (DCB) the panel gives the COM port. Every field is set:
// a field left as the last program had it can stop the line in silence
// (hardware handshake on a three-wire cable makes every write time out,
// DSR sensitivity drops every reply). The line is the one the Linux panel
// uses: the configured speed and format, no hardware handshake, the
// receiver's XOFF obeyed, DTR and RTS on (some interface cables draw their
// power from them).
#pragma once

#include <windows.h>

namespace voxpan {

// parity 0 = none, 1 = odd, 2 = even; stopBits 1 gives one stop bit,
// anything else two; dataBits outside 5 to 8 gives 8.
DCB panelLineSettings(int baudRate, int dataBits, int parity, int stopBits);

}  // namespace voxpan
