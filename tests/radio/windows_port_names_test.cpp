#include <gtest/gtest.h>

#include <string>

#include "radio/port_selection.h"

namespace voxpan {
namespace {

struct PortName {
    const char* portText;
    const char* device;
    const char* why;
};

TEST(WindowsPortNames, TheDigitsAtTheEndNumberTheComPort) {
    const PortName cases[] = {
        {"5", R"(\\.\COM5)", "the form pansetup writes: COM:5"},
        {"COM5", R"(\\.\COM5)", "a COM name"},
        {"12", R"(\\.\COM12)", "two digits: COM10 and above"},
        {"COM256", R"(\\.\COM256)", "the highest port Windows numbers"},
        {"007", R"(\\.\COM7)", "leading zeros"},
        {" 3 \t", R"(\\.\COM3)", "blanks around the number"},
        {R"(\\.\COM12)", R"(\\.\COM12)", "a device name as written"},
        {R"( \\.\COM3 )", R"(\\.\COM3)", "a device name without its blanks"},
        {"//./COM4", "//./COM4", "a device name with forward slashes"},
        {"0", "", "port 0"},
        {"COM257", "", "beyond COM256"},
        {"99999999999999999999", "", "a number no port has, without overflow"},
        {"COM", "", "no digit"},
        {"", "", "nothing"},
        {"5a", "", "a letter after the digit"},
    };
    for (const PortName& c : cases)
        EXPECT_EQ(windowsSerialDeviceFor(c.portText), c.device) << c.why << ": " << c.portText;
    for (char digit = '1'; digit <= '9'; ++digit) {  // the same port on both systems
        const std::string com = std::string("COM") + digit;
        EXPECT_EQ(windowsSerialDeviceFor(com), R"(\\.\)" + com);
        EXPECT_EQ(serialDeviceFor(com), "/dev/ttyS" + std::to_string(digit - '1')) << com;
    }
}

}  // namespace
}  // namespace voxpan
