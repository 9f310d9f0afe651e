#include "platform/win32/serial_line_settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

namespace voxpan {
namespace {

// Every field of the line state, as the panel sets it: nothing is left as
// the last program had it.
TEST(SerialLineSettings, EveryFieldIsSetForAThreeWireLineThatObeysTheReceiversXoff) {
    const DCB line = panelLineSettings(9600, 8, 0, 2);
    DCB expected{};
    expected.DCBlength = sizeof(DCB);
    expected.BaudRate = 9600;
    expected.fBinary = TRUE;
    expected.fDtrControl = DTR_CONTROL_ENABLE;
    expected.fRtsControl = RTS_CONTROL_ENABLE;
    expected.fOutX = TRUE;
    expected.fTXContinueOnXoff = TRUE;
    expected.XonLim = 1024;
    expected.XoffLim = 1024;
    expected.ByteSize = 8;
    expected.Parity = NOPARITY;
    expected.StopBits = TWOSTOPBITS;
    expected.XonChar = 0x11;
    expected.XoffChar = 0x13;
    // No hardware handshake, no DSR sensitivity, no XOFF of the panel's
    // own, no byte replaced or dropped: those fields stay 0.
    EXPECT_EQ(std::memcmp(&line, &expected, sizeof(DCB)), 0) << "a field differs (or one not named here is set)";

    const std::tuple<int, int, int, BYTE, BYTE, BYTE, BOOL> formats[] = {
        // data bits, parity, stop bits asked -> ByteSize, Parity, StopBits, fParity
        {8, 0, 1, 8, NOPARITY, ONESTOPBIT, FALSE},
        {7, 2, 2, 7, EVENPARITY, TWOSTOPBITS, TRUE},
        {9, 1, 1, 8, ODDPARITY, ONESTOPBIT, TRUE},
    };
    for (const auto& [bits, parity, stop, byteSize, parityMode, stopBits, checked] : formats) {
        const DCB format = panelLineSettings(19200, bits, parity, stop);
        EXPECT_EQ(std::make_tuple(format.BaudRate, format.ByteSize, format.Parity, format.StopBits,
                                  static_cast<BOOL>(format.fParity)),
                  std::make_tuple(DWORD{19200}, byteSize, parityMode, stopBits, checked))
            << bits << " " << parity << " " << stop;
    }
}

}  // namespace
}  // namespace voxpan
