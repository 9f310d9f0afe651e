// SIGTERM, SIGINT and SIGHUP as close requests: the signals are blocked in
// the thread that makes the watch (and so in every thread started after it)
// and taken by a thread of the watch's own, which calls onSignal for each.
// The panel thus ends through its normal shutdown (receiver told "EX", port
// and log closed) when the session ends or the operator presses Ctrl+C.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace voxpan {

class SignalWatch {
public:
    // onSignal runs on the watch's thread.
    explicit SignalWatch(std::function<void()> onSignal);
    ~SignalWatch();
    SignalWatch(const SignalWatch&) = delete;
    SignalWatch& operator=(const SignalWatch&) = delete;

private:
    void watch();

    std::function<void()> onSignal_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace voxpan
