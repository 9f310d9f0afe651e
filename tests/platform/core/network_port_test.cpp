// The network port against the loopback interface, and against a fake of
// the system's sockets for what a real network does only now and then: a
// name server that does not answer, a connection that stops taking bytes.
// Raw TCP and RFC 2217 against ser2net: tests/e2e/test_network_port.py.
#include "platform/core/network_port.h"

#include <gtest/gtest.h>

#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "platform/core/posix_sockets.h"

namespace voxpan {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;

std::function<void(const std::string&)> into(Lines& lines) {
    return [&lines](const std::string& line) { lines.push_back(line); };
}

// Switches the loopback interface of the thread's network namespace on or off.
bool switchLoopback(bool on) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    ifreq request{};
    std::strcpy(request.ifr_name, "lo");
    bool done = ::ioctl(fd, SIOCGIFFLAGS, &request) == 0;
    request.ifr_flags = static_cast<short>(on ? request.ifr_flags | IFF_UP : request.ifr_flags & ~IFF_UP);
    done = done && ::ioctl(fd, SIOCSIFFLAGS, &request) == 0;
    ::close(fd);
    return done;
}

// A server that stops answering, as when its computer is switched off or a
// cable is pulled on the way: the loopback interface of a network namespace
// of the test's own (on a thread of its own, so that the other tests keep
// the machine's) switched off under the connection, polled as the panel
// polls it.
TEST(NetworkPort, AServerThatStopsAnsweringIsFoundLostWithinAboutTenSeconds) {
    std::string skipped;
    Lines told;
    Clock::duration tookToFind{};
    std::thread([&] {
        if (::unshare(CLONE_NEWNET) != 0 || !switchLoopback(true)) {
            skipped = std::string("no network namespace of its own: ") + std::strerror(errno);
            return;
        }
        const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t length = sizeof address;
        ::bind(listener, reinterpret_cast<sockaddr*>(&address), length);
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
        ::listen(listener, 1);
        NetworkPort port(posixSockets(), into(told));
        if (!port.open("tcp:127.0.0.1:" + std::to_string(ntohs(address.sin_port)), 9600)) return;
        const int server = ::accept(listener, nullptr, nullptr);
        switchLoopback(false);
        const auto started = Clock::now();
        for (; !port.lost() && Clock::now() - started < 30s; std::this_thread::sleep_for(200ms)) {
            port.write("LM\r");
            port.bytesWaiting();
        }
        tookToFind = Clock::now() - started;
        ::close(server);
        ::close(listener);
    }).join();
    if (!skipped.empty()) GTEST_SKIP() << skipped;
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(" was lost: Connection timed out"), std::string::npos) << told[0];
    EXPECT_LT(tookToFind, 13s);
}

// The system's sockets as a test plays them: a name server that does not
// answer, and a connection that takes `room` bytes.
class FakeSockets final : public Sockets {
public:
    std::vector<SocketAddress> resolve(const std::string& host, const std::string&, bool numericOnly,
                                       std::string&) override {
        if (host == "10.0.0.1") return {SocketAddress{AF_INET, "", "10.0.0.1 port 4001"}};
        if (!numericOnly) std::this_thread::sleep_for(20s);
        return {};
    }
    SocketHandle startConnect(const SocketAddress&, std::string&) override { return 7; }
    ConnectState finishConnect(SocketHandle, int, std::string&) override { return ConnectState::Connected; }
    void watchConnection(SocketHandle) override {}
    IoResult send(SocketHandle, std::string_view data) override {
        const std::size_t count = std::min(room, data.size());
        sent.append(data.substr(0, count));
        room -= count;
        return count == 0 ? IoResult{IoStatus::WouldBlock, 0, {}} : IoResult{IoStatus::Done, count, {}};
    }
    IoResult receive(SocketHandle, char*, std::size_t) override { return {IoStatus::WouldBlock, 0, {}}; }
    void waitUntilReady(SocketHandle, bool, int waitMs) override { std::this_thread::sleep_for(1ms * waitMs); }
    void close(SocketHandle) override {}
    std::size_t room = 1000;
    std::string sent;
};

// A lookup given up may still run after its test: the fake outlives them.
FakeSockets& fakeSockets() {
    static FakeSockets sockets;
    return sockets;
}

TEST(NetworkPort, ANameServerThatDoesNotAnswerHoldsTheOpenAFewSecondsAndTheQuietTryNotAtAll) {
    Lines told;
    NetworkPort port(fakeSockets(), into(told));
    auto started = Clock::now();
    EXPECT_FALSE(port.open("tcp:shed-pi:4001", 9600));
    EXPECT_GE(Clock::now() - started, kNetworkConnectGiveUp - 50ms);
    EXPECT_LT(Clock::now() - started, kNetworkConnectGiveUp + 2s);
    EXPECT_EQ(told, Lines{"voxpan: cannot open network port tcp:shed-pi:4001: the name shed-pi was not found within 3 s"});
    for (int attempt = 0; attempt < 3; ++attempt) {
        started = Clock::now();
        EXPECT_FALSE(port.openQuietly("tcp:shed-pi:4001", 9600));
        EXPECT_LT(Clock::now() - started, 200ms) << "the panel's keys and ticks go on";
    }
}

TEST(NetworkPort, ACommandBegunIsFinishedAndTheOnesWrittenDuringTheStallAreDroppedWhole) {
    FakeSockets& sockets = fakeSockets();
    Lines told;
    NetworkPort port(sockets, into(told));
    ASSERT_TRUE(port.openQuietly("tcp:10.0.0.1:4001", 9600));
    sockets.room = 5;
    EXPECT_EQ(port.write("MXA00 RF0145500000\r"), 19) << "its first five bytes are out: the rest must follow";
    EXPECT_EQ(port.write("LM\r"), 0);
    EXPECT_EQ(port.write("AT1\r"), 0);
    ASSERT_EQ(told.size(), 1u) << "told once per stall";
    EXPECT_NE(told[0].find("tcp:10.0.0.1:4001 stopped taking bytes"), std::string::npos) << told[0];
    sockets.room = 1000;
    EXPECT_EQ(port.write("MD1\r"), 4);
    EXPECT_EQ(sockets.sent, "MXA00 RF0145500000\rMD1\r");
    // ser2net drops what it has not passed on to the serial line when the
    // connection closes: the last command gets a moment first.
    const auto closing = Clock::now();
    port.close();
    EXPECT_GE(Clock::now() - closing, 250ms);
}

}  // namespace
}  // namespace voxpan
