#include "setup/receiver_probe.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <array>
#include <atomic>
#include <mutex>
#include <thread>

#include "setup_fixtures.h"

namespace voxpan::setup {
namespace {

using namespace std::chrono_literals;
using testing::Pty;

// The far end of the line: collects what arrives and, when the level query
// has arrived, writes the scripted answer in pieces.
class FarEnd {
public:
    FarEnd(const Pty& line, std::vector<std::string> answer) : line_(line), answer_(std::move(answer)) {
        thread_ = std::thread([this] { serve(); });
    }
    ~FarEnd() {
        stop_ = true;
        thread_.join();
    }
    std::string received() {
        std::lock_guard lock(mutex_);
        return received_;
    }

private:
    void serve() {
        bool answered = false;
        while (!stop_) {
            pollfd watch{line_.master(), POLLIN, 0};
            if (::poll(&watch, 1, 10) <= 0) continue;
            if ((watch.revents & POLLIN) == 0) {  // no one has the port open yet, or any more
                std::this_thread::sleep_for(10ms);
                continue;
            }
            char bytes[64];
            const ssize_t got = ::read(line_.master(), bytes, sizeof bytes);
            if (got <= 0) continue;
            std::lock_guard lock(mutex_);
            received_.append(bytes, static_cast<std::size_t>(got));
            if (answered || received_.find("LM\r") == std::string::npos) continue;
            answered = true;
            for (const std::string& piece : answer_) {
                if (::write(line_.master(), piece.data(), piece.size()) < 0) return;
                std::this_thread::sleep_for(20ms);
            }
        }
    }
    const Pty& line_;
    std::vector<std::string> answer_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::string received_;
};

TEST(Probe, SendsOnlyTheLevelQueryAndTakesAReplyHoldingLm) {
    struct Case {
        std::vector<std::string> answer;
        int expected;
    };
    const Case cases[] = {
        {{"LM%000\r\n"}, 9600},
        {{"L", "M 123\r\n"}, 9600},     // a reply in two pieces
        {{"?\r\n"}, 0},                 // a refusal is not the receiver's level
        {{}, 0},                        // silence
    };
    for (const Case& c : cases) {
        Pty line;
        FarEnd receiver(line, c.answer);
        std::vector<ProbeAttempt> attempts;
        const auto started = std::chrono::steady_clock::now();
        const int speed = probeReceiver(line.device(), std::array{9600}, 300ms,
                                        [&](const ProbeAttempt& attempt) { attempts.push_back(attempt); });
        const auto took = std::chrono::steady_clock::now() - started;
        const std::string said = c.answer.empty() ? "nothing" : c.answer.front();
        EXPECT_EQ(speed, c.expected) << "answer " << said;
        ASSERT_EQ(attempts.size(), 1u);
        EXPECT_TRUE(attempts[0].opened);
        EXPECT_EQ(attempts[0].answered, c.expected != 0);
        EXPECT_LT(took, 1s) << "gives up after the time given, answer " << said;
        std::this_thread::sleep_for(30ms);
        EXPECT_EQ(receiver.received(), "LM\r") << "answer " << said;
    }
}

TEST(Probe, TriesEachSpeedInTurnAndGivesUpOnEach) {
    Pty line;
    FarEnd receiver(line, {});
    std::vector<int> tried;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(probeReceiver(line.device(), kProbeOrder, 200ms,
                            [&](const ProbeAttempt& attempt) { tried.push_back(attempt.speed); }),
              0);
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(tried, (std::vector<int>{9600, 19200, 4800}));
    EXPECT_GE(took, 590ms);
    EXPECT_LT(took, 1500ms);
}

}  // namespace
}  // namespace voxpan::setup
