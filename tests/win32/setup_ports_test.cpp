#include "setup/port_names.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "setup/win32/port_words.h"

namespace voxpan::setup {
namespace {

TEST(SetupPortNamesOnWindows, AComPortIsWrittenAsItsNumberAndReadBackAsItsName) {
    // As typed, and as written in the file (nullptr: not taken).
    const std::pair<const char*, const char*> cases[] = {
        {"COM5", "5"}, {"com12", "12"}, {"COM256", "256"}, {"COM257", nullptr}, {"COM0", nullptr},
        {"COM05", nullptr}, {"5", nullptr}, {"COM5 ", nullptr}, {"/dev/ttyUSB0", nullptr}};
    for (const auto& [typed, inFile] : cases) {
        EXPECT_EQ(isWritablePortText(typed), inFile != nullptr) << typed;
        EXPECT_EQ(typedPortProblem(typed, true).empty(), inFile != nullptr) << typed;
        if (inFile == nullptr) continue;
        EXPECT_EQ(portForFile(typed), inFile) << typed;
        EXPECT_EQ(portFromFile(portForFile(typed)), std::string("COM") + inFile) << typed;
    }
    EXPECT_EQ(portFromFile("\\\\.\\COM12"), "COM12") << "a device name as the panel takes it";
    EXPECT_EQ(portFromFile("/dev/ttyUSB0"), "/dev/ttyUSB0") << "offered back, to be refused when taken";
    EXPECT_EQ(typedPortProblem("7", true), "7 is not a port: type a number from the list or a port name such as COM5.");
}

TEST(SetupPortWordsOnWindows, DriversAndOpenFailuresAreToldInWordsToActOn) {
    EXPECT_EQ(serialDriverWords("\\Device\\VCP0"), "USB serial adapter, FTDI");
    EXPECT_EQ(serialDriverWords("\\device\\serial1"), "serial port of the computer");
    EXPECT_EQ(serialDriverWords("\\Device\\com0com10"), "serial port of the driver com0com10");
    for (const DWORD busy : {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION}) {
        EXPECT_EQ(openFailureText("COM5", busy),
                  "COM5 is in use by another program: close that program (another voxpan, a terminal program, "
                  "the receiver's own software) and try again.")
            << busy;
    }
    EXPECT_TRUE(openFailureText("COM5", ERROR_GEN_FAILURE).starts_with("Nothing answers behind COM5 ("));
    EXPECT_TRUE(openFailureText("COM5", ERROR_INVALID_PARAMETER).starts_with("COM5 does not open: "));
}

}  // namespace
}  // namespace voxpan::setup
