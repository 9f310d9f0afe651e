// The serial line to the receiver on Windows (a COM port through the Win32
// communications calls). One port at a time.
#pragma once

#include <string>
#include <string_view>

namespace voxpan {

class ErrorOutput;

class Win32SerialPort {
public:
    explicit Win32SerialPort(ErrorOutput& errors);
    ~Win32SerialPort();
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    // Closes any open port, then opens the device (\\.\COM5) exclusively at
    // the speed with 8N1 and every other field of the line state set as
    // panelLineSettings gives it. On failure writes one line naming the
    // device and the reason and returns false.
    bool open(const std::string& device, int baudRate);
    // The same, with no line when the device does not open: for trying a
    // lost device again until it is back.
    bool openQuietly(const std::string& device, int baudRate);
    void setNonBlocking();
    void setLineFormat(int dataBits, int parity, int stopBits);
    int bytesWaiting();
    std::string read(int maxBytes);
    // Writes the bytes whole or not at all. When the line has not taken them
    // within about 100 ms beyond the time they need on it, the unsent output
    // is purged and 0 returned; the first purge of a stall is told.
    int write(std::string_view bytes);
    void close();
    bool isOpen() const;
    // True from the moment the open port was found gone until the next open
    // or close.
    bool lost() const { return lost_; }

private:
    bool failOpen(const std::string& reason);
    // After a failed call: true when the port is still there (the failure
    // was a line error, now cleared); otherwise the loss is told once and
    // the port dropped.
    bool stillThere(unsigned long error);
    void dropLostPort(unsigned long error);
    void dropUnsentOutput(const std::string& reason);

    ErrorOutput& errors_;
    void* handle_;
    std::string device_;
    int baudRate_ = 0;
    bool quiet_ = false;
    bool lost_ = false;
    bool stallTold_ = false;
    int wholeWritesSinceStall_ = 0;
};

// The system's text for an error code, without its line end.
std::string win32ErrorText(unsigned long error);

}  // namespace voxpan
