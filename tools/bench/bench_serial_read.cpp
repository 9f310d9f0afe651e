// How long the panel's serial polling takes on the thread that also draws and
// speaks: bytesWaiting + read with nothing waiting (every poll tick without a
// reply), a 20-byte reply taken in, and a short command written. The receiver
// is played by the master side of a pseudo-terminal. Prints figures only.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/core/serial_port.h"

namespace {

using Clock = std::chrono::steady_clock;

double microsecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

void printFigures(const char* what, std::vector<double> times, const char* target) {
    if (times.empty()) {
        std::printf("%-44s no samples\n", what);
        return;
    }
    double total = 0;
    for (double t : times) total += t;
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const double p99 = times[times.size() * 99 / 100];
    std::printf("%-44s %6zu calls  mean %7.2f us  median %7.2f us  p99 %8.2f us  max %9.2f us%s\n",
                what, times.size(), total / static_cast<double>(times.size()), median, p99,
                times.back(), target);
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t sent = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (sent <= 0) return false;
        done += static_cast<std::size_t>(sent);
    }
    return true;
}

void drain(int fd) {
    char buffer[256];
    pollfd watch{fd, POLLIN, 0};
    while (::poll(&watch, 1, 0) > 0 && (watch.revents & POLLIN) != 0) {
        if (::read(fd, buffer, sizeof buffer) <= 0) break;
    }
}

}  // namespace

int main() {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    char name[128] = {};
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0 ||
        ptsname_r(master, name, sizeof name) != 0) {
        std::fprintf(stderr, "bench_serial_read: no pseudo-terminal available\n");
        return 1;
    }

    voxpan::SerialPort port;
    if (!port.open(name, 9600)) return 1;
    port.setNonBlocking();
    port.setLineFormat(8, 0, 2);
    std::printf("serial port on %s (pseudo-terminal), 9600 8N2\n", name);
    double load[1] = {0};
    if (getloadavg(load, 1) == 1) {
        std::printf("load average %.2f on %ld CPUs (a max far above p99 is the thread being "
                    "descheduled)\n", load[0], sysconf(_SC_NPROCESSORS_ONLN));
    }

    // (a) The idle poll: nothing has arrived.
    constexpr int kIdleCalls = 100000;
    std::vector<double> idle;
    idle.reserve(kIdleCalls);
    std::size_t unexpected = 0;
    for (int call = 0; call < kIdleCalls; ++call) {
        const auto start = Clock::now();
        const int waiting = port.bytesWaiting();
        const std::string bytes = port.read(255);
        idle.push_back(microsecondsSince(start));
        unexpected += static_cast<std::size_t>(waiting) + bytes.size();
    }
    printFigures("(a) bytesWaiting+read, nothing waiting:", idle, "  (target < 1000 us)");
    if (unexpected != 0) std::printf("    unexpected bytes seen: %zu\n", unexpected);

    // (b) A 20-byte reply written by the receiver side.
    const std::string reply = "VS RF0145000000 S05\r";  // 20 bytes
    constexpr int kReplies = 5000;
    std::vector<double> arrival;
    std::vector<double> taking;
    int shortReplies = 0;
    for (int round = 0; round < kReplies; ++round) {
        const auto sent = Clock::now();
        if (!writeAll(master, reply)) break;
        // Spins on bytesWaiting as a tight poll would; the pty hands bytes
        // over through a kernel work queue.
        bool arrived = false;
        while (microsecondsSince(sent) < 1e6) {
            if (port.bytesWaiting() >= static_cast<int>(reply.size())) {
                arrived = true;
                break;
            }
        }
        if (!arrived) {
            ++shortReplies;
            port.read(255);
            continue;
        }
        arrival.push_back(microsecondsSince(sent));
        const auto start = Clock::now();
        const int waiting = port.bytesWaiting();
        std::string bytes;
        if (waiting > 0) bytes = port.read(255);
        taking.push_back(microsecondsSince(start));
        if (bytes != reply) ++shortReplies;
    }
    printFigures("(b) reply written until bytesWaiting >= 20:", arrival, "");
    printFigures("(b) bytesWaiting+read of a 20-byte reply:", taking, "  (target < 1000 us)");
    if (shortReplies != 0) std::printf("    replies not taken whole: %d\n", shortReplies);

    // (c) A poll command written ("LM" and a carriage return).
    constexpr int kCommands = 20000;
    std::vector<double> writing;
    int shortWrites = 0;
    for (int round = 0; round < kCommands; ++round) {
        const auto start = Clock::now();
        const int written = port.write("LM\r");
        writing.push_back(microsecondsSince(start));
        if (written != 3) ++shortWrites;
        if (round % 64 == 63) drain(master);
    }
    printFigures("(c) write of \"LM\\r\":", writing, "  (target < 1000 us)");
    if (shortWrites != 0) std::printf("    short writes: %d\n", shortWrites);

    port.close();
    ::close(master);
    return 0;
}
