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
    // the speed with 8N1, the handshake left as the driver has it. On failure
    // writes one line naming the device and the reason and returns false.
    bool open(const std::string& device, int baudRate);
    void setNonBlocking();
    void setLineFormat(int dataBits, int parity, int stopBits);
    int bytesWaiting();
    std::string read(int maxBytes);
    // Gives up when the line has taken nothing for about 100 ms beyond the
    // time the bytes need on the line.
    int write(std::string_view bytes);
    void close();
    bool isOpen() const;

private:
    bool failOpen(const std::string& reason);
    // After a failed call: true when the port is still there (the failure
    // was a line error, now cleared); otherwise the loss is told once and
    // the port dropped.
    bool stillThere(unsigned long error);
    void dropLostPort(unsigned long error);

    ErrorOutput& errors_;
    void* handle_;
    std::string device_;
    int baudRate_ = 0;
};

// The system's text for an error code, without its line end.
std::string win32ErrorText(unsigned long error);

}  // namespace voxpan
