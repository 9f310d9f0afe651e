// receiver-sim: plays the AR8600 on a pseudo-terminal in real time.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "command_line.h"
#include "line_settings.h"
#include "memory_report.h"
#include "pseudo_terminal.h"
#include "receiver_sim/receiver.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;
volatile std::sig_atomic_t faultChangesRequested = 0;

void requestStop(int) { stopRequested = 1; }
void requestNextFault(int) { faultChangesRequested = faultChangesRequested + 1; }

// SIGUSR1 moves the line on to the next fault of this round, for long runs
// of a client against a line that fails now and then.
constexpr receiver_sim::Fault kFaultRound[] = {receiver_sim::Fault::None, receiver_sim::Fault::Slow,
                                               receiver_sim::Fault::Split, receiver_sim::Fault::Garbage,
                                               receiver_sim::Fault::Silent};

// Short enough that split answers leave in pieces and the search moves on
// time, long enough to keep the processor idle.
constexpr int kPollMillis = 10;
// Answers nobody reads are dropped beyond this.
constexpr std::size_t kMaxUnsent = 65'536;

void installStopHandlers() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: poll() returns at once
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    action.sa_handler = requestNextFault;
    sigaction(SIGUSR1, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

class LineReport {
public:
    LineReport(const receiver_sim::PseudoTerminal& terminal, std::string path)
        : terminal_(terminal), path_(std::move(path)) {}

    void refresh() {
        termios settings{};
        if (path_.empty() || !terminal_.lineSettings(settings)) {
            return;
        }
        std::string line = receiver_sim::describeLineSettings(settings);
        if (line != last_) {
            receiver_sim::replaceReportFile(path_, line + "\n");
            last_ = line;
        }
    }

private:
    const receiver_sim::PseudoTerminal& terminal_;
    std::string path_;
    std::string last_;
};

// Keeps the memory report file in step with the channels stored.
class MemoryReport {
public:
    explicit MemoryReport(std::string path) : path_(std::move(path)) {}

    void refresh(const receiver_sim::Receiver& receiver) {
        if (path_.empty() || receiver.memoryWrites() == written_) {
            return;
        }
        if (receiver_sim::replaceReportFile(path_, receiver_sim::memoryReportText(receiver.memoryChannels()))) {
            written_ = receiver.memoryWrites();
        }
    }

private:
    std::string path_;
    long long written_ = -1;
};

// Reads what the client wrote; false when nothing could be read.
bool readClient(int master, std::string& bytes) {
    char buffer[4096];
    bool any = false;
    for (;;) {
        ssize_t count = ::read(master, buffer, sizeof buffer);
        if (count > 0) {
            bytes.append(buffer, static_cast<std::size_t>(count));
            any = true;
            continue;
        }
        if (count < 0 && errno == EINTR) {
            continue;
        }
        return any;
    }
}

void sendToClient(int master, std::string& unsent) {
    while (!unsent.empty()) {
        ssize_t written = ::write(master, unsent.data(), unsent.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;  // EAGAIN: the client is not reading; try again later
        }
        unsent.erase(0, static_cast<std::size_t>(written));
    }
    if (unsent.size() > kMaxUnsent) {
        unsent.erase(0, unsent.size() - kMaxUnsent);
    }
}

int run(const receiver_sim::ToolOptions& options) {
    receiver_sim::PseudoTerminal terminal;
    std::string error;
    if (!terminal.open(error)) {
        std::fprintf(stderr, "receiver-sim: %s\n", error.c_str());
        return 1;
    }
    if (!options.linkPath.empty() &&
        !receiver_sim::makeDeviceLink(options.linkPath, terminal.slavePath(), error)) {
        std::fprintf(stderr, "receiver-sim: %s\n", error.c_str());
        return 1;
    }
    int capture = -1;
    if (!options.captureFile.empty()) {
        capture = ::open(options.captureFile.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC,
                         0644);
        if (capture < 0) {
            std::fprintf(stderr, "receiver-sim: cannot open %s: %s\n", options.captureFile.c_str(),
                         std::strerror(errno));
            if (!options.linkPath.empty()) {
                ::unlink(options.linkPath.c_str());
            }
            return 1;
        }
    }
    installStopHandlers();
    LineReport report(terminal, options.lineReportFile);
    report.refresh();

    std::printf("%s\n", terminal.slavePath().c_str());
    std::fflush(stdout);

    receiver_sim::Receiver receiver(options.receiver);
    MemoryReport memoryReport(options.memoryReportFile);
    memoryReport.refresh(receiver);
    auto start = std::chrono::steady_clock::now();
    std::string unsent;
    int faultChangesDone = 0;
    int faultInRound = 0;
    while (!stopRequested) {
        while (faultChangesDone < faultChangesRequested) {
            ++faultChangesDone;
            faultInRound = (faultInRound + 1) % static_cast<int>(std::size(kFaultRound));
            receiver.setFault(kFaultRound[faultInRound]);
        }
        pollfd watch{terminal.master(), static_cast<short>(POLLIN | (unsent.empty() ? 0 : POLLOUT)),
                     0};
        int ready = ::poll(&watch, 1, kPollMillis);
        if (ready < 0 && errno != EINTR) {
            std::fprintf(stderr, "receiver-sim: poll: %s\n", std::strerror(errno));
            break;
        }
        double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        receiver.advance(elapsed - receiver.now());
        std::string incoming;
        if (ready > 0 && (watch.revents & POLLIN) && readClient(terminal.master(), incoming)) {
            if (capture >= 0) {
                writeAll(capture, incoming);
            }
            receiver.receive(incoming);
            memoryReport.refresh(receiver);
        } else if (ready > 0 && (watch.revents & (POLLHUP | POLLERR))) {
            ::usleep(kPollMillis * 1000);  // nothing to read: do not spin
        }
        unsent += receiver.takeOutput();
        sendToClient(terminal.master(), unsent);
        report.refresh();
    }
    if (capture >= 0) {
        ::close(capture);
    }
    if (!options.linkPath.empty()) {
        ::unlink(options.linkPath.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    receiver_sim::CommandLineResult parsed = receiver_sim::parseCommandLine(arguments);
    if (!parsed.options) {
        std::fprintf(stderr, "receiver-sim: %s\n%s", parsed.error.c_str(),
                     receiver_sim::usageText());
        return 2;
    }
    if (parsed.options->help) {
        std::fputs(receiver_sim::usageText(), stdout);
        return 0;
    }
    return run(*parsed.options);
}
