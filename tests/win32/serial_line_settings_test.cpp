#include "platform/win32/serial_line_settings.h"

#include <gtest/gtest.h>

#include <vector>

namespace voxpan {
namespace {

using Fields = std::vector<long long>;

// The port opens at 8N1 before the panel asks for the receiver's 8N2.
TEST(SerialLineSettings, AThreeWireLineThatObeysTheReceiversXoffWithDtrAndRtsOn) {
    for (const auto& [stopBits, stopField] : {std::pair{2, TWOSTOPBITS}, std::pair{1, ONESTOPBIT}}) {
        const DCB l = panelLineSettings(9600, 8, 0, stopBits);
        EXPECT_EQ((Fields{l.DCBlength, l.BaudRate, l.ByteSize, l.Parity, l.fParity, l.StopBits}),
                  (Fields{sizeof(DCB), 9600, 8, NOPARITY, 0, stopField}));
        // Hardware handshake or DSR sensitivity on a three-wire cable stops
        // the line; some interface cables draw their power from DTR and RTS.
        EXPECT_EQ((Fields{l.fOutxCtsFlow, l.fOutxDsrFlow, l.fDsrSensitivity, l.fDtrControl, l.fRtsControl}),
                  (Fields{0, 0, 0, DTR_CONTROL_ENABLE, RTS_CONTROL_ENABLE}));
        EXPECT_EQ((Fields{l.fOutX, l.fTXContinueOnXoff, l.fInX, l.XonChar, l.XoffChar}), (Fields{1, 1, 0, 0x11, 0x13}))
            << "the receiver's XOFF holds what the panel sends";
        EXPECT_EQ((Fields{l.fBinary, l.fErrorChar, l.fNull, l.fAbortOnError}), (Fields{1, 0, 0, 0}))
            << "every byte as it came, and a framing error does not stop later reads";
    }
}

}  // namespace
}  // namespace voxpan
