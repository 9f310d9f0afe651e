#include "setup/win32/port_words.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "platform/win32/win32_serial_port.h"

namespace voxpan::setup {

namespace {

constexpr int kHighestComPort = 256;

struct DriverKind {
    std::string_view deviceName;  // the start of the name, without regard to case
    std::string_view words;
};

// The drivers of the usual USB serial adapters and of the computer's own ports.
constexpr DriverKind kDriverKinds[] = {
    {"\\Device\\Serial", "serial port of the computer"},
    {"\\Device\\VCP", "USB serial adapter, FTDI"},
    {"\\Device\\ProlificSerial", "USB serial adapter, Prolific"},
    {"\\Device\\Silabser", "USB serial adapter, Silicon Labs"},
    {"\\Device\\USBSER", "USB serial device of the modem class"},
    {"\\Device\\BthModem", "Bluetooth serial port"},
};

bool startsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() &&
           std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

}  // namespace

int comPortNumber(std::string_view name) {
    if (!startsWithIgnoringCase(name, "COM") || name.size() < 4 || name.size() > 6 || name[3] == '0') return 0;
    int number = 0;
    for (const char c : name.substr(3)) {
        if (c < '0' || c > '9') return 0;
        number = number * 10 + (c - '0');
    }
    return number <= kHighestComPort ? number : 0;
}

std::string serialDriverWords(std::string_view deviceName) {
    for (const DriverKind& kind : kDriverKinds) {
        if (startsWithIgnoringCase(deviceName, kind.deviceName)) return std::string(kind.words);
    }
    std::string_view name = deviceName;
    if (startsWithIgnoringCase(name, "\\Device\\")) name.remove_prefix(8);
    return "serial port of the driver " + std::string(name);
}

std::string openFailureText(const std::string& port, unsigned long error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return port + " is in use by another program: close that program (another voxpan, a terminal program, "
                      "the receiver's own software) and try again.";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return "There is no port " + port + ". Is the adapter plugged in? pansetup --list shows the ports found.";
    case ERROR_GEN_FAILURE:
    case ERROR_DEVICE_NOT_CONNECTED:
        return "Nothing answers behind " + port + " (" + win32ErrorText(error) +
               "): unplug the adapter and plug it in again.";
    default:
        return port + " does not open: " + win32ErrorText(error) + ".";
    }
}

}  // namespace voxpan::setup
