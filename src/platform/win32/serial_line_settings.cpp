#include "platform/win32/serial_line_settings.h"

namespace voxpan {

namespace {

constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;
// Used only when the panel sends XOFF itself, which it never does; kept
// within the smallest input queue drivers have (4096 bytes).
constexpr WORD kFlowLimit = 1024;

}  // namespace

DCB panelLineSettings(int baudRate, int dataBits, int parity, int stopBits) {
    DCB line{};
    line.DCBlength = sizeof line;
    line.BaudRate = static_cast<DWORD>(baudRate);
    line.fBinary = TRUE;
    line.Parity = parity == 1 ? ODDPARITY : parity == 2 ? EVENPARITY : NOPARITY;
    line.fParity = line.Parity != NOPARITY;
    line.ByteSize = static_cast<BYTE>(dataBits >= 5 && dataBits <= 8 ? dataBits : 8);
    line.StopBits = stopBits == 1 ? ONESTOPBIT : TWOSTOPBITS;
    // No hardware handshake: the receiver's cable may carry only three wires.
    line.fOutxCtsFlow = FALSE;
    line.fOutxDsrFlow = FALSE;
    line.fDsrSensitivity = FALSE;
    line.fDtrControl = DTR_CONTROL_ENABLE;
    line.fRtsControl = RTS_CONTROL_ENABLE;
    // The receiver's XOFF holds what the panel sends, until its XON.
    line.fOutX = TRUE;
    line.fInX = FALSE;
    line.fTXContinueOnXoff = TRUE;
    line.XonChar = kXon;
    line.XoffChar = kXoff;
    line.XonLim = kFlowLimit;
    line.XoffLim = kFlowLimit;
    // Every byte as it came: none replaced, none dropped, and a framing
    // error does not stop every later read until it is cleared.
    line.fErrorChar = FALSE;
    line.ErrorChar = 0;
    line.fNull = FALSE;
    line.fAbortOnError = FALSE;
    line.EofChar = 0;
    line.EvtChar = 0;
    return line;
}

}  // namespace voxpan
