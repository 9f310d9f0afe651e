#include "radio/port_selection.h"

#include <gtest/gtest.h>

namespace voxpan {
namespace {

TEST(PortSelection, ADigitNamesTheComPortOfThatNumber) {
    EXPECT_EQ(serialDeviceFor("1"), "/dev/ttyS0");
    EXPECT_EQ(serialDeviceFor("3"), "/dev/ttyS2");
    EXPECT_EQ(serialDeviceFor("COM9"), "/dev/ttyS8");
    EXPECT_EQ(serialDeviceFor("12"), "/dev/ttyS1") << "only the last character counts";
}

TEST(PortSelection, PortZeroOrANonDigitNamesNothing) {
    EXPECT_EQ(serialDeviceFor("0"), "");
    EXPECT_EQ(serialDeviceFor(""), "");
    EXPECT_EQ(serialDeviceFor("COM"), "");
    EXPECT_EQ(serialDeviceFor("3 "), "") << "a trailing blank is the last character";
}

TEST(PortSelection, ATextWithASlashNamesTheDeviceItself) {
    EXPECT_EQ(serialDeviceFor("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(serialDeviceFor("/dev/ttyACM1"), "/dev/ttyACM1");
    EXPECT_EQ(serialDeviceFor("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"),
              "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0");
    EXPECT_EQ(serialDeviceFor(" /dev/pts/3 \t"), "/dev/pts/3") << "blanks around a path are not part of it";
}

TEST(PortSelection, ANetworkPortIsNamedAsWrittenOnBothSystemsAndItsLastDigitIsNoComPort) {
    const std::pair<const char*, const char*> rows[] = {
        {"tcp:shed-pi:4001", "tcp:shed-pi:4001"},
        {" rfc2217:[fd00::5]:4002 \t", "rfc2217:[fd00::5]:4002"},
        {"tcp:shed-pi", "tcp:shed-pi"},  // the platform says what is wrong with it
    };
    for (const auto& [portText, device] : rows) {
        EXPECT_EQ(serialDeviceFor(portText), device) << portText;
        EXPECT_EQ(windowsSerialDeviceFor(portText), device) << portText;
    }
    EXPECT_EQ(serialDeviceFor("tcpx4001"), "/dev/ttyS0") << "no network port without its prefix";
}

}  // namespace
}  // namespace voxpan
