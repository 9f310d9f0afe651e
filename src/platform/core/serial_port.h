// The serial line to the receiver on Linux (termios). One port at a time.
#pragma once

#include <string>
#include <string_view>

struct pollfd;
struct termios;

namespace voxpan {

// The system calls the port uses, so that tests can inject short reads,
// EINTR and a vanished device. The defaults call the real functions; a call
// left empty is filled with the real one.
struct SerialSysCalls {
    int (*open)(const char* path, int flags) = nullptr;
    int (*close)(int fd) = nullptr;
    long (*read)(int fd, void* buffer, unsigned long count) = nullptr;
    long (*write)(int fd, const void* buffer, unsigned long count) = nullptr;
    int (*ioctl)(int fd, unsigned long request, void* argument) = nullptr;
    int (*flock)(int fd, int operation) = nullptr;
    int (*poll)(pollfd* fds, unsigned long count, int timeoutMs) = nullptr;
    int (*tcgetattr)(int fd, termios* state) = nullptr;
    int (*tcsetattr)(int fd, int when, const termios* state) = nullptr;
    static SerialSysCalls real();
};

class SerialPort {
public:
    explicit SerialPort(SerialSysCalls calls = SerialSysCalls::real());
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Closes any open port, then opens the device exclusively (TIOCEXCL and a
    // lock, so a second panel is refused), raw, at the speed with 8N1. An
    // unsupported speed means the port does not open. On failure prints one
    // line on stderr naming the device and the reason and returns false.
    bool open(const std::string& device, int baudRate);
    // open without the line on stderr: for trying a lost device again and
    // again until it is back.
    bool openQuietly(const std::string& device, int baudRate);
    void setNonBlocking();
    void setLineFormat(int dataBits, int parity, int stopBits);
    int bytesWaiting();
    std::string read(int maxBytes);
    // Writes the bytes whole or drops them: bytes the line has not taken
    // within 100 ms are flushed from the driver's output queue, together
    // with what of earlier writes still waits there unsent, and the count is
    // 0. The first such drop of a stall is told on stderr.
    int write(std::string_view bytes);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    // True from the moment the open port was found gone until the next open
    // or close.
    bool lost() const { return lost_; }

private:
    bool failOpen(int fd, bool exclusive, const std::string& reason);
    void release(int fd, bool exclusive);
    // Checks the line without waiting; false (and the port dropped) when the
    // device has gone away. `readable` tells whether bytes can be read.
    bool lineStillThere(bool& readable);
    void dropVanishedPort(const std::string& reason, bool fdStillOpen = true);
    void dropUnsentOutput(const std::string& reason);
    SerialSysCalls calls_;
    int fd_ = -1;
    std::string device_;
    bool quiet_ = false;
    bool lost_ = false;
    bool stallTold_ = false;
    int wholeWritesSinceStall_ = 0;
};

}  // namespace voxpan
