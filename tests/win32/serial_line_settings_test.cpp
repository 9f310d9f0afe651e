#include "platform/win32/serial_line_settings.h"

#include <gtest/gtest.h>

#include <cstring>

namespace voxpan {
namespace {

// Every field of the line state, as the panel sets it: nothing is left as
// the last program had it.
TEST(SerialLineSettings, EveryFieldIsSetForAThreeWireLineThatObeysTheReceiversXoff) {
    DCB line = panelLineSettings(9600, 8, 0, 2);
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

    // The port opens at 8N1 before the panel asks for its two stop bits.
    expected.StopBits = ONESTOPBIT;
    line = panelLineSettings(9600, 8, 0, 1);
    EXPECT_EQ(std::memcmp(&line, &expected, sizeof(DCB)), 0);
}

}  // namespace
}  // namespace voxpan
