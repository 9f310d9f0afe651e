// The termios serial port, against pseudo-terminals (the master side plays
// the receiver) and with faults injected through its system calls.
#include "platform/core/serial_port.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace voxpan {
namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

// What the injected calls count and which faults they play. Plain function
// pointers cannot capture, so this is one shared record, reset per test.
struct InjectedFaults {
    int systemCalls = 0;   // every call that reached the seam
    int opens = 0;         // descriptors handed out
    int closes = 0;        // descriptors closed
    int writes = 0;        // write calls
    int lastFd = -1;
    int openError = 0;           // open fails with this errno
    int flockError = 0;          // flock fails with this errno
    int tcgetattrError = 0;      // tcgetattr fails with this errno
    int tcsetattrError = 0;      // tcsetattr fails with this errno
    int readInterruptions = 0;   // reads that fail with EINTR first
    int writeInterruptions = 0;  // writes that fail with EINTR first
    int readError = 0;           // every read fails with this errno
    int writeError = 0;          // every write fails with this errno
    int fionreadError = 0;       // FIONREAD fails with this errno
    bool readEndOfFile = false;  // every read returns 0
    unsigned long writeChunk = 0;  // at most this many bytes per write (0: all)
    short extraPollEvents = 0;     // added to what poll reports
    bool haveApplied = false;
    termios applied{};  // the last line state handed to tcsetattr
    bool lineKeepsApplied = false;  // tcgetattr reports `applied`, as a real UART would
    // A line stopped by XOFF: writes fill a driver's queue of queueRoom
    // bytes, then fail with EAGAIN; TCOFLUSH empties it.
    bool lineStopped = false;
    std::size_t queueRoom = 0;
    std::string queued;
    int outputFlushes = 0;
};

InjectedFaults faults;

int failWith(int error) {
    errno = error;
    return -1;
}

SerialSysCalls injectedCalls() {
    SerialSysCalls calls;
    calls.open = [](const char* path, int flags) {
        ++faults.systemCalls;
        if (faults.openError != 0) return failWith(faults.openError);
        const int fd = ::open(path, flags);
        if (fd >= 0) {
            ++faults.opens;
            faults.lastFd = fd;
        }
        return fd;
    };
    calls.close = [](int fd) {
        ++faults.systemCalls;
        ++faults.closes;
        return ::close(fd);
    };
    calls.read = [](int fd, void* buffer, unsigned long count) -> long {
        ++faults.systemCalls;
        if (faults.readInterruptions > 0) {
            --faults.readInterruptions;
            return failWith(EINTR);
        }
        if (faults.readError != 0) return failWith(faults.readError);
        if (faults.readEndOfFile) return 0;
        return ::read(fd, buffer, count);
    };
    calls.write = [](int fd, const void* buffer, unsigned long count) -> long {
        ++faults.systemCalls;
        ++faults.writes;
        if (faults.writeInterruptions > 0) {
            --faults.writeInterruptions;
            return failWith(EINTR);
        }
        if (faults.writeError != 0) return failWith(faults.writeError);
        if (faults.writeChunk != 0 && count > faults.writeChunk) count = faults.writeChunk;
        if (faults.lineStopped) {
            count = std::min<unsigned long>(count, faults.queueRoom - faults.queued.size());
            if (count == 0) return failWith(EAGAIN);
            faults.queued.append(static_cast<const char*>(buffer), count);
            return static_cast<long>(count);
        }
        return ::write(fd, buffer, count);
    };
    calls.ioctl = [](int fd, unsigned long request, void* argument) {
        ++faults.systemCalls;
        if (request == FIONREAD && faults.fionreadError != 0) {
            return failWith(faults.fionreadError);
        }
        if (request == TCFLSH && reinterpret_cast<std::intptr_t>(argument) == TCOFLUSH) {
            ++faults.outputFlushes;
            faults.queued.clear();
        }
        return ::ioctl(fd, request, argument);
    };
    calls.flock = [](int fd, int operation) {
        ++faults.systemCalls;
        if (faults.flockError != 0) return failWith(faults.flockError);
        return ::flock(fd, operation);
    };
    calls.poll = [](pollfd* fds, unsigned long count, int timeoutMs) {
        ++faults.systemCalls;
        if (faults.lineStopped && (fds[0].events & POLLOUT) != 0) return ::poll(nullptr, 0, timeoutMs);
        int ready = ::poll(fds, static_cast<nfds_t>(count), timeoutMs);
        if (faults.extraPollEvents != 0 && ready >= 0) {
            fds[0].revents |= faults.extraPollEvents;
            ready = 1;
        }
        return ready;
    };
    calls.tcgetattr = [](int fd, termios* state) {
        ++faults.systemCalls;
        if (faults.tcgetattrError != 0) return failWith(faults.tcgetattrError);
        if (faults.lineKeepsApplied) {
            *state = faults.applied;
            return 0;
        }
        return ::tcgetattr(fd, state);
    };
    calls.tcsetattr = [](int fd, int when, const termios* state) {
        ++faults.systemCalls;
        if (faults.tcsetattrError != 0) return failWith(faults.tcsetattrError);
        faults.applied = *state;
        faults.haveApplied = true;
        return ::tcsetattr(fd, when, state);
    };
    return calls;
}

// The receiver's end of a pseudo-terminal; the port opens the other end.
class PseudoTerminal {
public:
    PseudoTerminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
        char name[128] = {};
        if (ptsname_r(master_, name, sizeof name) == 0) path_ = name;
    }
    ~PseudoTerminal() { closeMaster(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& path() const { return path_; }

    void closeMaster() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }

    bool send(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t sent = ::write(master_, bytes.data(), bytes.size());
            if (sent <= 0) return false;
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        }
        return true;
    }

    // Whatever the port sent, up to count bytes; waits at most two seconds.
    std::string receive(std::size_t count) {
        std::string bytes;
        for (int wait = 0; wait < 200 && bytes.size() < count; ++wait) {
            pollfd watch{master_, POLLIN, 0};
            if (::poll(&watch, 1, 10) <= 0) continue;
            char buffer[256];
            const ssize_t got = ::read(master_, buffer, std::min(sizeof buffer, count - bytes.size()));
            if (got > 0) bytes.append(buffer, static_cast<std::size_t>(got));
        }
        return bytes;
    }

    // The master reports and sets the line state of the port's end.
    termios lineState() const {
        termios state{};
        ::tcgetattr(master_, &state);
        return state;
    }
    void setLineState(const termios& state) { ::tcsetattr(master_, TCSANOW, &state); }

private:
    int master_ = -1;
    std::string path_;
};

// Waits (at most two seconds) until the port has count bytes waiting.
void waitForBytes(SerialPort& port, int count) {
    for (int wait = 0; wait < 2000 && port.bytesWaiting() < count; ++wait) usleep(1000);
}

class SerialPortTest : public testing::Test {
protected:
    void SetUp() override {
        faults = InjectedFaults{};
        ASSERT_FALSE(pty.path().empty()) << "no pseudo-terminal available";
    }
    // Opens the pty the way the panel does at start-up.
    void openLikeThePanel(SerialPort& port) {
        ASSERT_TRUE(port.open(pty.path(), 9600)) << "could not open " << pty.path();
        port.setNonBlocking();
        port.setLineFormat(8, 0, 2);
    }
    PseudoTerminal pty;
};

// --- line settings -----------------------------------------------------------

using SerialPortLineSettings = SerialPortTest;

TEST_F(SerialPortLineSettings, PanelStartUpGivesRaw9600With8N2) {
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    const termios state = pty.lineState();
    EXPECT_EQ(cfgetospeed(&state), static_cast<speed_t>(B9600)) << "output speed";
    EXPECT_EQ(cfgetispeed(&state), static_cast<speed_t>(B9600)) << "input speed";
    EXPECT_EQ(state.c_cflag & CSIZE, static_cast<tcflag_t>(CS8)) << "data bits";
    EXPECT_EQ(state.c_cflag & PARENB, 0u) << "parity must be off";
    EXPECT_NE(state.c_cflag & CSTOPB, 0u) << "two stop bits expected";
    EXPECT_NE(state.c_cflag & CREAD, 0u) << "receiver must be enabled";
    EXPECT_NE(state.c_cflag & CLOCAL, 0u) << "line must not depend on carrier detect";
    EXPECT_EQ(state.c_lflag & (ECHO | ICANON | ISIG | IEXTEN), 0u) << "echo or line editing left on";
    EXPECT_EQ(state.c_oflag & OPOST, 0u) << "output processing left on";
    EXPECT_EQ(state.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP), 0u) << "input translation left on";
    EXPECT_EQ(state.c_cc[VMIN], 0) << "reads must not wait for a byte";
    EXPECT_EQ(state.c_cc[VTIME], 0) << "reads must not wait for a time";
}

TEST_F(SerialPortLineSettings, HandshakeIsLeftAsTheDriverHasIt) {
    termios before = pty.lineState();
    before.c_iflag |= IXON | IXOFF | IXANY;
    before.c_cflag |= CRTSCTS;
    pty.setLineState(before);
    {
        SerialPort port(injectedCalls());
        openLikeThePanel(port);
        const termios state = pty.lineState();
        EXPECT_EQ(state.c_iflag & (IXON | IXOFF | IXANY), static_cast<tcflag_t>(IXON | IXOFF | IXANY))
            << "software handshake switched off";
        EXPECT_NE(state.c_cflag & CRTSCTS, 0u) << "hardware handshake switched off";
    }
    before.c_iflag &= ~(IXON | IXOFF | IXANY);
    before.c_cflag &= ~CRTSCTS;
    pty.setLineState(before);
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    const termios state = pty.lineState();
    EXPECT_EQ(state.c_iflag & (IXON | IXOFF | IXANY), 0u) << "software handshake switched on";
    EXPECT_EQ(state.c_cflag & CRTSCTS, 0u) << "hardware handshake switched on";
}

TEST_F(SerialPortLineSettings, StandardSpeedsReachTheLine) {
    const struct {
        int bitsPerSecond;
        speed_t code;
    } speeds[] = {{50, B50},         {300, B300},         {1200, B1200},     {4800, B4800},
                  {9600, B9600},     {19200, B19200},     {38400, B38400},   {57600, B57600},
                  {115200, B115200}, {230400, B230400},   {921600, B921600}, {4000000, B4000000}};
    for (const auto& speed : speeds) {
        SerialPort port(injectedCalls());
        ASSERT_TRUE(port.open(pty.path(), speed.bitsPerSecond)) << speed.bitsPerSecond;
        const termios state = pty.lineState();
        EXPECT_EQ(cfgetospeed(&state), speed.code) << "output speed for " << speed.bitsPerSecond;
        EXPECT_EQ(cfgetispeed(&state), speed.code) << "input speed for " << speed.bitsPerSecond;
    }
}

// A pseudo-terminal always keeps 8 bits without parity, so these look at the
// state the port hands to the driver, and read it back from there.
TEST_F(SerialPortLineSettings, LineFormatSetsSizeParityAndStopBits) {
    SerialPort port(injectedCalls());
    ASSERT_TRUE(port.open(pty.path(), 9600));
    faults.lineKeepsApplied = true;
    const tcflag_t sizeAfterOpen = faults.applied.c_cflag & CSIZE;
    EXPECT_EQ(sizeAfterOpen, static_cast<tcflag_t>(CS8)) << "open must give 8 data bits";
    EXPECT_EQ(faults.applied.c_cflag & (PARENB | CSTOPB), 0u) << "open must give N1";

    const struct {
        int dataBits, parity, stopBits;
        tcflag_t size, parityFlags;
        bool twoStopBits;
    } formats[] = {
        {7, 2, 1, CS7, PARENB, false},          {5, 1, 2, CS5, PARENB | PARODD, true},
        {6, 0, 0, CS6, 0, true},                {8, 1, 1, CS8, PARENB | PARODD, false},
        {9, 7, 1, CS8, 0, false} /* unknown bits and parity */, {4, -1, 3, CS8, 0, true},
    };
    for (const auto& f : formats) {
        port.setLineFormat(8, 0, 1);  // back to 8N1 first
        faults.haveApplied = false;
        port.setLineFormat(f.dataBits, f.parity, f.stopBits);
        ASSERT_TRUE(faults.haveApplied) << "nothing applied";
        const tcflag_t cflag = faults.applied.c_cflag;
        const std::string format = std::to_string(f.dataBits) + "/" + std::to_string(f.parity) +
                                   "/" + std::to_string(f.stopBits);
        EXPECT_EQ(cflag & CSIZE, f.size) << "data bits for " << format;
        EXPECT_EQ(cflag & (PARENB | PARODD | CMSPAR), f.parityFlags) << "parity for " << format;
        EXPECT_EQ((cflag & CSTOPB) != 0, f.twoStopBits) << "stop bits for " << format;
        EXPECT_EQ(faults.applied.c_lflag & (ECHO | ICANON), 0u) << "raw mode lost by " << format;
    }
    faults.haveApplied = false;
    port.setLineFormat(7, 0, 1);
    port.setLineFormat(9, 0, 1);
    EXPECT_EQ(faults.applied.c_cflag & CSIZE, static_cast<tcflag_t>(CS7))
        << "an unknown size must leave the size as it was";
}

TEST_F(SerialPortLineSettings, LineFormatThatCannotBeAppliedIsIgnored) {
    SerialPort port(injectedCalls());
    ASSERT_TRUE(port.open(pty.path(), 9600));
    faults.tcsetattrError = EINVAL;
    port.setNonBlocking();
    port.setLineFormat(8, 0, 2);
    faults.tcsetattrError = 0;
    faults.tcgetattrError = EIO;
    port.setLineFormat(8, 0, 2);
    faults.tcgetattrError = 0;
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.write("LM\r"), 3);
    EXPECT_EQ(pty.receive(3), "LM\r");
}

// --- bytes on the line -------------------------------------------------------

using SerialPortBytes = SerialPortTest;

TEST_F(SerialPortBytes, WrittenBytesArriveUnchanged) {
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    const std::string bytes("AT1\r\x1e\0\nMD1\r\n\xff", 13);
    EXPECT_EQ(port.write(bytes), 13);
    EXPECT_EQ(pty.receive(bytes.size()), bytes) << "CR, LF, 0x1E, NUL and 0xFF go out as they are";
}

TEST_F(SerialPortBytes, ReceivedBytesArriveUnchanged) {
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    const std::string bytes("LM123\r\n\0\x1e\r\rVS\x03", 14);
    ASSERT_TRUE(pty.send(bytes));
    waitForBytes(port, 14);
    EXPECT_EQ(port.bytesWaiting(), 14);
    EXPECT_EQ(port.read(255), bytes) << "no CR, LF or control character translated or dropped";
    EXPECT_EQ(port.bytesWaiting(), 0);
}

TEST_F(SerialPortBytes, BytesFromBeforeTheOpenAreDiscarded) {
    ASSERT_TRUE(pty.send("LM 123\r\n"));
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    usleep(50000);
    EXPECT_EQ(port.bytesWaiting(), 0) << "a stale reply must not pass for the receiver's first answer";
    ASSERT_TRUE(pty.send("LM%000\r\n"));
    waitForBytes(port, 8);
    EXPECT_EQ(port.read(255), "LM%000\r\n");
}

TEST_F(SerialPortBytes, ReadTakesAtMostMaxBytes) {
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    ASSERT_TRUE(pty.send("LM012345\r"));
    waitForBytes(port, 9);
    EXPECT_EQ(port.read(4), "LM01");
    EXPECT_EQ(port.bytesWaiting(), 5);
    EXPECT_EQ(port.read(255), "2345\r");
    EXPECT_EQ(port.read(0), "");
    EXPECT_EQ(port.read(-3), "");
}

TEST_F(SerialPortBytes, NothingWaitingReadsNothingAtOnce) {
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    EXPECT_EQ(port.bytesWaiting(), 0);
    EXPECT_EQ(port.read(255), "");
    EXPECT_TRUE(port.isOpen()) << "an empty line is not a lost line";
    ASSERT_TRUE(pty.send("LM1\r"));
    waitForBytes(port, 4);
    EXPECT_EQ(port.read(255), "LM1\r") << "the port must still read after an empty read";
}

TEST_F(SerialPortBytes, ReadsWithoutNonBlockingCallStillReturnAtOnce) {
    SerialPort port(injectedCalls());
    ASSERT_TRUE(port.open(pty.path(), 9600));
    EXPECT_EQ(port.read(255), "");
    EXPECT_TRUE(port.isOpen());
}

// --- opening and refusing ----------------------------------------------------

using SerialPortOpening = SerialPortTest;

TEST_F(SerialPortOpening, SecondPortOnTheSameDeviceIsRefused) {
    SerialPort first(injectedCalls());
    openLikeThePanel(first);
    SerialPort second(injectedCalls());
    CaptureStderr();
    EXPECT_FALSE(second.open(pty.path(), 9600));
    EXPECT_EQ(GetCapturedStderr(),
              "voxpan: cannot open serial port " + pty.path() + ": in use by another program\n");
    EXPECT_FALSE(second.isOpen());
    EXPECT_EQ(faults.opens, faults.closes + 1) << "the refused descriptor must be closed";

    EXPECT_EQ(first.write("LM\r"), 3) << "the refusal must not disturb the first port";
    EXPECT_EQ(pty.receive(3), "LM\r");
    first.close();
    EXPECT_TRUE(second.open(pty.path(), 9600)) << "the line must be free after close";
}

TEST_F(SerialPortOpening, OpeningAgainClosesThePortBefore) {
    PseudoTerminal other;
    ASSERT_FALSE(other.path().empty());
    SerialPort port(injectedCalls());
    ASSERT_TRUE(port.open(pty.path(), 9600));
    ASSERT_TRUE(port.open(other.path(), 9600));
    EXPECT_EQ(faults.opens, 2);
    EXPECT_EQ(faults.closes, 1) << "the first device must be closed";
    SerialPort again(injectedCalls());
    EXPECT_TRUE(again.open(pty.path(), 9600)) << "the first device is still held";
    EXPECT_EQ(port.write("MD1\r"), 4);
    EXPECT_EQ(other.receive(4), "MD1\r") << "writes must go to the device opened last";
}

TEST_F(SerialPortOpening, UnsupportedSpeedsAreRefused) {
    for (int speed : {12345, 0, -9600, 9601, 4000001}) {
        SerialPort port(injectedCalls());
        CaptureStderr();
        EXPECT_FALSE(port.open(pty.path(), speed)) << speed;
        EXPECT_EQ(GetCapturedStderr(), "voxpan: cannot open serial port " + pty.path() +
                                           ": unsupported speed " + std::to_string(speed) + "\n");
        EXPECT_FALSE(port.isOpen()) << speed;
        EXPECT_EQ(port.write("LM\r"), 0) << speed;
    }
    EXPECT_EQ(faults.opens, faults.closes) << "a refused speed must leave no descriptor open";
}

TEST_F(SerialPortOpening, MissingDeviceIsRefused) {
    SerialPort port(injectedCalls());
    CaptureStderr();
    EXPECT_FALSE(port.open("/dev/voxpan-no-such-port", 9600));
    EXPECT_EQ(GetCapturedStderr(),
              "voxpan: cannot open serial port /dev/voxpan-no-such-port: No such file or directory\n");
    EXPECT_FALSE(port.isOpen());
}

TEST_F(SerialPortOpening, EmptyDeviceNameIsNotTried) {
    SerialPort port(injectedCalls());
    CaptureStderr();
    EXPECT_FALSE(port.open("", 9600));
    EXPECT_EQ(GetCapturedStderr(), "voxpan: no serial port configured\n");
    EXPECT_EQ(faults.systemCalls, 0) << "nothing may be opened for an empty name";
}

TEST_F(SerialPortOpening, PermissionDeniedPointsToTheDialoutGroup) {
    faults.openError = EACCES;
    SerialPort port(injectedCalls());
    CaptureStderr();
    EXPECT_FALSE(port.open("/dev/ttyUSB0", 9600));
    EXPECT_EQ(GetCapturedStderr(),
              "voxpan: cannot open serial port /dev/ttyUSB0: Permission denied (is your user in the "
              "'dialout' group? try: sudo adduser $USER dialout, then log in again)\n");
}

TEST_F(SerialPortOpening, BusyDeviceAndHeldLockAreInUse) {
    for (bool lockHeld : {false, true}) {
        faults = InjectedFaults{};
        (lockHeld ? faults.flockError : faults.openError) = lockHeld ? EWOULDBLOCK : EBUSY;
        SerialPort port(injectedCalls());
        CaptureStderr();
        EXPECT_FALSE(port.open(pty.path(), 9600));
        EXPECT_EQ(GetCapturedStderr(),
                  "voxpan: cannot open serial port " + pty.path() + ": in use by another program\n")
            << (lockHeld ? "lock held" : "device busy");
        EXPECT_EQ(faults.opens, faults.closes) << "descriptor left open";
    }
}

TEST_F(SerialPortOpening, DeviceThatIsNotATerminalIsRefused) {
    SerialPort port(injectedCalls());
    CaptureStderr();
    EXPECT_FALSE(port.open("/dev/null", 9600));
    const std::string message = GetCapturedStderr();
    EXPECT_EQ(message.rfind("voxpan: cannot open serial port /dev/null: not a serial port", 0), 0u)
        << message;
    EXPECT_EQ(faults.opens, 1);
    EXPECT_EQ(faults.closes, 1) << "descriptor left open";
}

TEST_F(SerialPortOpening, LineStateFailuresCloseThePort) {
    for (bool readFails : {true, false}) {
        faults = InjectedFaults{};
        (readFails ? faults.tcgetattrError : faults.tcsetattrError) = EIO;
        SerialPort port(injectedCalls());
        CaptureStderr();
        EXPECT_FALSE(port.open(pty.path(), 9600));
        const std::string message = GetCapturedStderr();
        EXPECT_EQ(message.rfind("voxpan: cannot open serial port " + pty.path() + ": cannot ", 0), 0u)
            << message;
        EXPECT_NE(message.find("Input/output error"), std::string::npos) << message;
        EXPECT_FALSE(port.isOpen());
        EXPECT_EQ(faults.opens, 1);
        EXPECT_EQ(faults.closes, 1) << "descriptor left open after "
                                    << (readFails ? "tcgetattr" : "tcsetattr") << " failed";
        faults = InjectedFaults{};
        SerialPort next(injectedCalls());
        EXPECT_TRUE(next.open(pty.path(), 9600)) << "the failed open left the line locked";
    }
}

TEST_F(SerialPortOpening, FailedOpenAfterGoodOneLeavesNothingOpen) {
    SerialPort port(injectedCalls());
    ASSERT_TRUE(port.open(pty.path(), 9600));
    CaptureStderr();
    EXPECT_FALSE(port.open("/dev/voxpan-no-such-port", 9600));
    GetCapturedStderr();
    EXPECT_EQ(faults.opens, faults.closes) << "descriptor left open";
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.write("LM\r"), 0) << "the earlier port must not be used";
}

TEST_F(SerialPortOpening, ClosedPortDoesNothing) {
    SerialPort port(injectedCalls());
    port.setNonBlocking();
    port.setLineFormat(8, 0, 2);
    EXPECT_EQ(port.bytesWaiting(), 0);
    EXPECT_EQ(port.read(255), "");
    EXPECT_EQ(port.write("LM\r"), 0);
    port.close();
    EXPECT_EQ(faults.systemCalls, 0) << "a port never opened must not call the system";

    ASSERT_TRUE(port.open(pty.path(), 9600));
    port.close();
    port.close();
    EXPECT_EQ(faults.closes, 1) << "close must be idempotent";
    const int callsAfterClose = faults.systemCalls;
    EXPECT_EQ(port.bytesWaiting(), 0);
    EXPECT_EQ(port.read(255), "");
    EXPECT_EQ(port.write("LM\r"), 0);
    EXPECT_EQ(faults.systemCalls, callsAfterClose) << "a closed port must not call the system";
}

// --- interrupted and partial transfers ---------------------------------------

using SerialPortRetries = SerialPortTest;

TEST_F(SerialPortRetries, InterruptedReadIsRetried) {
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    ASSERT_TRUE(pty.send("LM123\r"));
    waitForBytes(port, 6);
    faults.readInterruptions = 3;
    EXPECT_EQ(port.read(255), "LM123\r");
    EXPECT_EQ(faults.readInterruptions, 0);
    EXPECT_TRUE(port.isOpen());
}

TEST_F(SerialPortRetries, InterruptedWriteIsRetried) {
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    faults.writeInterruptions = 3;
    EXPECT_EQ(port.write("VA0145000000\r"), 13);
    EXPECT_EQ(pty.receive(13), "VA0145000000\r");
    EXPECT_TRUE(port.isOpen());
}

TEST_F(SerialPortRetries, ShortWritesAreCompleted) {
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    faults.writeChunk = 3;
    faults.writes = 0;
    EXPECT_EQ(port.write("MX A 01 RF0145000000\r"), 21);
    EXPECT_GE(faults.writes, 7) << "the writes were not short";
    EXPECT_EQ(pty.receive(21), "MX A 01 RF0145000000\r") << "bytes lost or out of order";
}

TEST_F(SerialPortRetries, LineThatTakesNothingGivesUp) {
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    faults.writeError = EAGAIN;
    EXPECT_EQ(port.write("LM\r"), 0);
    EXPECT_TRUE(port.isOpen()) << "a full output queue is not a lost line";
    faults.writeError = 0;
    EXPECT_EQ(port.write("LM\r"), 3);
}

TEST_F(SerialPortRetries, StoppedLineDropsCommandsWholeAndTellsEachStallOnce) {
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    faults.lineStopped = true;
    faults.queueRoom = 8;
    CaptureStderr();
    EXPECT_EQ(port.write("LM\r"), 3) << "a command that fits waits in the queue";
    EXPECT_EQ(port.write("MXA01 RF0145500000\r"), 0) << "half a command was taken";
    EXPECT_EQ(port.write("VA0146000000\r"), 0);
    EXPECT_EQ(faults.outputFlushes, 2) << "each give-up flushes the driver's output queue";
    faults.lineStopped = false;  // XON: what is queued goes out, then the next command
    ASSERT_EQ(::write(faults.lastFd, faults.queued.data(), faults.queued.size()), std::ssize(faults.queued));
    EXPECT_EQ(port.write("AT0\r"), 4);
    EXPECT_EQ(pty.receive(4), "AT0\r") << "no part of a dropped command may reach the receiver";
    for (int whole = 1; whole < 10; ++whole) port.write("LM\r");  // ten whole writes end a stall
    faults.lineStopped = true;
    EXPECT_EQ(port.write("VA0146000000\r"), 0);
    const std::string told = "voxpan: serial port " + pty.path() + " stopped taking bytes (the receiver holding "
                             "XOFF, or the driver's queue full): a command not sent within 100 ms is dropped "
                             "whole; told once per stall\n";
    EXPECT_EQ(GetCapturedStderr(), told + told) << "once per stall, not once per dropped command";
}

TEST_F(SerialPortRetries, OtherWriteErrorsAreIgnored) {
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    faults.writeError = EINVAL;
    EXPECT_EQ(port.write("LM\r"), 0);
    EXPECT_TRUE(port.isOpen());
}

// --- a line that vanishes ----------------------------------------------------

using SerialPortLoss = SerialPortTest;

TEST_F(SerialPortLoss, ClosedFarEndIsNoticedByBytesWaiting) {
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    const std::string device = pty.path();
    pty.closeMaster();
    CaptureStderr();
    EXPECT_EQ(port.bytesWaiting(), 0);
    EXPECT_FALSE(port.isOpen()) << "a hung-up line must be noticed by bytesWaiting";
    const int callsAfterLoss = faults.systemCalls;
    for (int poll = 0; poll < 5; ++poll) {
        EXPECT_EQ(port.bytesWaiting(), 0);
        EXPECT_EQ(port.read(255), "");
        EXPECT_EQ(port.write("LM\r"), 0);
    }
    EXPECT_EQ(GetCapturedStderr(),
              "voxpan: serial port " + device + " was lost: the device hung up\n")
        << "exactly one line expected";
    EXPECT_EQ(faults.systemCalls, callsAfterLoss) << "a lost port must not keep calling the system";
    EXPECT_EQ(faults.opens, faults.closes) << "the lost descriptor must be closed";
}

TEST_F(SerialPortLoss, ClosedFarEndIsNoticedByWrite) {
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    const std::string device = pty.path();
    pty.closeMaster();
    CaptureStderr();
    EXPECT_EQ(port.write("LM\r"), 0);
    EXPECT_EQ(port.write("LM\r"), 0);
    EXPECT_EQ(GetCapturedStderr(),
              "voxpan: serial port " + device + " was lost: Input/output error\n");
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(faults.opens, faults.closes);
}

TEST_F(SerialPortLoss, ClosedFarEndIsNoticedByRead) {
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    pty.closeMaster();
    CaptureStderr();
    EXPECT_EQ(port.read(255), "");
    EXPECT_EQ(port.read(255), "");
    const std::string message = GetCapturedStderr();
    EXPECT_NE(message.find(" was lost: "), std::string::npos) << message;
    EXPECT_FALSE(port.isOpen());
}

TEST_F(SerialPortLoss, DeviceErrorsDropThePort) {
    for (int error : {EIO, ENXIO, ENODEV}) {
        for (int operation = 0; operation < 3; ++operation) {
            faults = InjectedFaults{};
            SerialPort port(injectedCalls());
            openLikeThePanel(port);
            const char* name[] = {"read", "write", "FIONREAD"};
            (operation == 0 ? faults.readError : operation == 1 ? faults.writeError
                                                                : faults.fionreadError) = error;
            if (operation == 0) {
                ASSERT_TRUE(pty.send("LM1\r"));
            }
            CaptureStderr();
            switch (operation) {
            case 0: EXPECT_EQ(port.read(255), ""); break;
            case 1: EXPECT_EQ(port.write("LM\r"), 0); break;
            default: EXPECT_EQ(port.bytesWaiting(), 0); break;
            }
            EXPECT_EQ(GetCapturedStderr(), "voxpan: serial port " + pty.path() +
                                               " was lost: " + std::strerror(error) + "\n")
                << name[operation] << " failing with " << std::strerror(error);
            EXPECT_FALSE(port.isOpen()) << name[operation] << " " << std::strerror(error);
            EXPECT_EQ(faults.opens, faults.closes) << name[operation] << " " << std::strerror(error);
            EXPECT_EQ(port.read(255), "");
            EXPECT_EQ(port.write("LM\r"), 0);
            EXPECT_EQ(port.bytesWaiting(), 0);
        }
    }
}

TEST_F(SerialPortLoss, EndOfFileWhenReadableDropsThePort) {
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    faults.readEndOfFile = true;
    EXPECT_EQ(port.read(255), "") << "an empty read with nothing waiting";
    EXPECT_TRUE(port.isOpen()) << "nothing waiting is not the end of the line";
    faults.extraPollEvents = POLLIN;
    CaptureStderr();
    EXPECT_EQ(port.read(255), "");
    EXPECT_EQ(GetCapturedStderr(),
              "voxpan: serial port " + pty.path() + " was lost: the device hung up\n");
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(faults.opens, faults.closes);
}

TEST_F(SerialPortLoss, BadDescriptorIsForgottenNotClosed) {
    SerialPort port(injectedCalls());
    openLikeThePanel(port);
    const int fd = faults.lastFd;
    faults.readError = EBADF;
    CaptureStderr();
    EXPECT_EQ(port.read(255), "");
    GetCapturedStderr();
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(faults.closes, 0) << "a descriptor number the kernel calls bad may belong to another file";
    ::close(fd);
}

}  // namespace
}  // namespace voxpan
