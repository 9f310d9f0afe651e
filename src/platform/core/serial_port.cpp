#include "platform/core/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace voxpan {
namespace {

struct SpeedCode {
    int bitsPerSecond;
    speed_t code;
};

// The speeds termios can name; anything else would need BOTHER, which not
// every USB adapter's driver honours.
constexpr SpeedCode kSpeeds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

constexpr tcflag_t kSoftwareHandshake = IXON | IXOFF | IXANY;
constexpr const char* kInUse = "in use by another program";
constexpr const char* kHungUp = "the device hung up";

// The panel's only thread draws, speaks and polls: a write to a line that
// has stopped taking bytes gives up rather than hold it.
constexpr auto kWriteGiveUp = std::chrono::milliseconds(100);
// A stall is told once; it is over when this many writes in a row have gone
// out whole, so a line that stalls now and then is not told at every stall.
constexpr int kWholeWritesEndingAStall = 10;
constexpr const char* kLineStopped = "the receiver holding XOFF, or the driver's queue full";
constexpr int kLargestRead = 65536;
constexpr int kInterruptedRetries = 100;

bool findSpeed(int bitsPerSecond, speed_t& code) {
    for (const SpeedCode& speed : kSpeeds) {
        if (speed.bitsPerSecond == bitsPerSecond) {
            code = speed.code;
            return true;
        }
    }
    return false;
}

std::string errorText(int error) { return std::strerror(error); }

std::string openErrorText(int error) {
    switch (error) {
    case EACCES:
        return errorText(error) +
               " (is your user in the 'dialout' group? try: sudo adduser $USER dialout,"
               " then log in again)";
    case EBUSY:
        return kInUse;
    case ENOTTY:
        return "not a serial port (" + errorText(error) + ")";
    default:
        return errorText(error);
    }
}

// Errors after which the device is gone for good: an unplugged USB adapter,
// or the far end of a pseudo-terminal closed.
bool meansDeviceGone(int error) {
    return error == EIO || error == ENXIO || error == ENODEV || error == EBADF;
}

void printLine(const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }

}  // namespace

SerialSysCalls SerialSysCalls::real() {
    SerialSysCalls calls;
    calls.open = [](const char* path, int flags) { return ::open(path, flags); };
    calls.close = [](int fd) { return ::close(fd); };
    calls.read = [](int fd, void* buffer, unsigned long count) -> long {
        return ::read(fd, buffer, count);
    };
    calls.write = [](int fd, const void* buffer, unsigned long count) -> long {
        return ::write(fd, buffer, count);
    };
    calls.ioctl = [](int fd, unsigned long request, void* argument) {
        return ::ioctl(fd, request, argument);
    };
    calls.flock = [](int fd, int operation) { return ::flock(fd, operation); };
    calls.poll = [](pollfd* fds, unsigned long count, int timeoutMs) {
        return ::poll(fds, static_cast<nfds_t>(count), timeoutMs);
    };
    calls.tcgetattr = [](int fd, termios* state) { return ::tcgetattr(fd, state); };
    calls.tcsetattr = [](int fd, int when, const termios* state) {
        return ::tcsetattr(fd, when, state);
    };
    return calls;
}

SerialPort::SerialPort(SerialSysCalls calls) : calls_(calls) {
    const SerialSysCalls real = SerialSysCalls::real();
    if (calls_.open == nullptr) calls_.open = real.open;
    if (calls_.close == nullptr) calls_.close = real.close;
    if (calls_.read == nullptr) calls_.read = real.read;
    if (calls_.write == nullptr) calls_.write = real.write;
    if (calls_.ioctl == nullptr) calls_.ioctl = real.ioctl;
    if (calls_.flock == nullptr) calls_.flock = real.flock;
    if (calls_.poll == nullptr) calls_.poll = real.poll;
    if (calls_.tcgetattr == nullptr) calls_.tcgetattr = real.tcgetattr;
    if (calls_.tcsetattr == nullptr) calls_.tcsetattr = real.tcsetattr;
}

SerialPort::~SerialPort() { close(); }

bool SerialPort::openQuietly(const std::string& device, int baudRate) {
    quiet_ = true;
    const bool opened = open(device, baudRate);
    quiet_ = false;
    return opened;
}

bool SerialPort::open(const std::string& device, int baudRate) {
    close();
    stallTold_ = false;
    wholeWritesSinceStall_ = 0;
    if (device.empty()) {
        if (!quiet_) printLine("voxpan: no serial port configured");
        return false;
    }
    device_ = device;

    speed_t speed = B0;
    if (!findSpeed(baudRate, speed)) {
        return failOpen(-1, false, "unsupported speed " + std::to_string(baudRate));
    }

    int fd = -1;
    for (int attempt = 0; attempt < kInterruptedRetries; ++attempt) {
        fd = calls_.open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0 || errno != EINTR) break;
    }
    if (fd < 0) return failOpen(-1, false, openErrorText(errno));

    // The lock refuses a second panel; TIOCEXCL refuses other programs that
    // open the line without taking a lock (it does not stop root).
    if (calls_.flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        return failOpen(fd, false, error == EWOULDBLOCK ? kInUse : errorText(error));
    }
    int alreadyExclusive = 0;
    if (calls_.ioctl(fd, TIOCGEXCL, &alreadyExclusive) == 0 && alreadyExclusive != 0) {
        return failOpen(fd, false, kInUse);
    }
    if (calls_.ioctl(fd, TIOCEXCL, nullptr) != 0) {
        return failOpen(fd, false, openErrorText(errno));
    }

    termios state{};
    if (calls_.tcgetattr(fd, &state) != 0) {
        return failOpen(fd, true, "cannot read the line settings: " + openErrorText(errno));
    }
    // Handshake stays as the driver has it; cfmakeraw would drop XON/XOFF.
    const tcflag_t softwareHandshake = state.c_iflag & kSoftwareHandshake;
    cfmakeraw(&state);
    state.c_iflag = (state.c_iflag & ~kSoftwareHandshake) | softwareHandshake;
    // CLOCAL: the receiver's cable may carry no carrier-detect line.
    state.c_cflag |= CREAD | CLOCAL;
    state.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
    state.c_cflag |= CS8;
    if (cfsetispeed(&state, speed) != 0 || cfsetospeed(&state, speed) != 0) {
        return failOpen(fd, true, "unsupported speed " + std::to_string(baudRate));
    }
    if (calls_.tcsetattr(fd, TCSANOW, &state) != 0) {
        return failOpen(fd, true, "cannot set the line settings: " + errorText(errno));
    }
    // Bytes left in the driver from before the panel started (a reply to an
    // earlier session) would otherwise pass for the receiver's first answer.
    calls_.ioctl(fd, TCFLSH, reinterpret_cast<void*>(static_cast<std::intptr_t>(TCIFLUSH)));
    fd_ = fd;
    return true;
}

bool SerialPort::failOpen(int fd, bool exclusive, const std::string& reason) {
    if (fd >= 0) release(fd, exclusive);
    if (!quiet_) printLine("voxpan: cannot open serial port " + device_ + ": " + reason);
    device_.clear();
    return false;
}

void SerialPort::release(int fd, bool exclusive) {
    // Exclusive mode outlives the descriptor: on a pseudo-terminal it stays
    // until the far end closes, on any tty while others still hold it open.
    if (exclusive) calls_.ioctl(fd, TIOCNXCL, nullptr);
    calls_.close(fd);
}

void SerialPort::setNonBlocking() {
    if (fd_ < 0) return;
    termios state{};
    if (calls_.tcgetattr(fd_, &state) != 0) return;
    state.c_cc[VMIN] = 0;
    state.c_cc[VTIME] = 0;
    calls_.tcsetattr(fd_, TCSANOW, &state);
}

void SerialPort::setLineFormat(int dataBits, int parity, int stopBits) {
    if (fd_ < 0) return;
    termios state{};
    if (calls_.tcgetattr(fd_, &state) != 0) return;
    tcflag_t size = state.c_cflag & CSIZE;
    switch (dataBits) {
    case 5: size = CS5; break;
    case 6: size = CS6; break;
    case 7: size = CS7; break;
    case 8: size = CS8; break;
    default: break;
    }
    state.c_cflag = (state.c_cflag & ~CSIZE) | size;
    state.c_cflag &= ~(PARENB | PARODD | CMSPAR);
    if (parity == 1) state.c_cflag |= PARENB | PARODD;
    if (parity == 2) state.c_cflag |= PARENB;
    if (stopBits == 1) {
        state.c_cflag &= ~CSTOPB;
    } else {
        state.c_cflag |= CSTOPB;
    }
    calls_.tcsetattr(fd_, TCSANOW, &state);
}

bool SerialPort::lineStillThere(bool& readable) {
    readable = false;
    pollfd watch{};
    watch.fd = fd_;
    watch.events = POLLIN;
    if (calls_.poll(&watch, 1, 0) < 0) return true;  // interrupted: look again next time
    if ((watch.revents & POLLNVAL) != 0) {
        dropVanishedPort(errorText(EBADF), false);
        return false;
    }
    // A hung-up tty (adapter pulled, far end of a pseudo-terminal closed)
    // keeps reporting 0 bytes waiting; only poll shows it is gone.
    if ((watch.revents & (POLLHUP | POLLERR)) != 0) {
        dropVanishedPort(kHungUp);
        return false;
    }
    readable = (watch.revents & POLLIN) != 0;
    return true;
}

int SerialPort::bytesWaiting() {
    if (fd_ < 0) return 0;
    bool readable = false;
    if (!lineStillThere(readable)) return 0;
    int count = 0;
    if (calls_.ioctl(fd_, FIONREAD, &count) != 0) {
        const int error = errno;
        if (meansDeviceGone(error)) dropVanishedPort(errorText(error), error != EBADF);
        return 0;
    }
    return std::max(count, 0);
}

std::string SerialPort::read(int maxBytes) {
    if (fd_ < 0 || maxBytes <= 0) return {};
    bool readable = false;
    if (!lineStillThere(readable)) return {};
    std::string bytes(static_cast<std::size_t>(std::min(maxBytes, kLargestRead)), '\0');
    for (int attempt = 0; attempt < kInterruptedRetries; ++attempt) {
        const long got = calls_.read(fd_, bytes.data(), bytes.size());
        if (got > 0) {
            bytes.resize(std::min(static_cast<std::size_t>(got), bytes.size()));
            return bytes;
        }
        if (got == 0) {
            // With VMIN 0 an empty read is normal; after poll said readable it
            // is the end of the line.
            if (readable) dropVanishedPort(kHungUp);
            return {};
        }
        const int error = errno;
        if (error == EINTR) continue;
        if (meansDeviceGone(error)) dropVanishedPort(errorText(error), error != EBADF);
        return {};
    }
    return {};
}

int SerialPort::write(std::string_view bytes) {
    if (fd_ < 0 || bytes.empty()) return 0;
    const auto giveUpAt = std::chrono::steady_clock::now() + kWriteGiveUp;
    std::size_t written = 0;
    std::string whyNotWhole = kLineStopped;
    while (written < bytes.size()) {
        const long sent = calls_.write(fd_, bytes.data() + written, bytes.size() - written);
        const int error = errno;
        if (sent > 0) {
            written += std::min(static_cast<std::size_t>(sent), bytes.size() - written);
            continue;
        }
        if (sent < 0 && meansDeviceGone(error)) {
            dropVanishedPort(errorText(error), error != EBADF);
            return 0;
        }
        const bool mayRetry = sent == 0 || error == EINTR || error == EAGAIN;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            giveUpAt - std::chrono::steady_clock::now());
        if (!mayRetry) whyNotWhole = errorText(error);
        if (!mayRetry || left.count() <= 0) break;
        if (sent < 0 && error == EINTR) continue;
        // The driver's output queue is full: wait for room, but not for long.
        pollfd watch{};
        watch.fd = fd_;
        watch.events = POLLOUT;
        if (calls_.poll(&watch, 1, static_cast<int>(left.count())) > 0 &&
            (watch.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            dropVanishedPort((watch.revents & POLLNVAL) != 0 ? errorText(EBADF) : kHungUp,
                             (watch.revents & POLLNVAL) == 0);
            return 0;
        }
    }
    if (written < bytes.size()) {
        dropUnsentOutput(whyNotWhole);
        return 0;
    }
    if (stallTold_ && ++wholeWritesSinceStall_ >= kWholeWritesEndingAStall) stallTold_ = false;
    return static_cast<int>(written);
}

void SerialPort::dropUnsentOutput(const std::string& reason) {
    // The receiver joins a command cut short to the next one (half an "MX",
    // then "LM"): what the line has not taken goes, the part of this command
    // already queued in the driver with it.
    calls_.ioctl(fd_, TCFLSH, reinterpret_cast<void*>(static_cast<std::intptr_t>(TCOFLUSH)));
    wholeWritesSinceStall_ = 0;
    if (stallTold_) return;
    stallTold_ = true;
    printLine("voxpan: serial port " + device_ + " stopped taking bytes (" + reason +
              "): a command not sent within 100 ms is dropped whole; told once per stall");
}

void SerialPort::close() {
    lost_ = false;
    if (fd_ < 0) return;
    release(fd_, true);
    fd_ = -1;
    device_.clear();
}

void SerialPort::dropVanishedPort(const std::string& reason, bool fdStillOpen) {
    printLine("voxpan: serial port " + device_ + " was lost: " + reason);
    // A descriptor the kernel calls bad may already carry another file.
    if (fdStillOpen) release(fd_, true);
    fd_ = -1;
    device_.clear();
    lost_ = true;
}

}  // namespace voxpan
