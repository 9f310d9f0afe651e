#include "platform/sdl/signal_watch.h"

#include <pthread.h>
#include <signal.h>

namespace voxpan {

namespace {

sigset_t closeSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}

}  // namespace

SignalWatch::SignalWatch(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    const sigset_t set = closeSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    thread_ = std::thread([this] { watch(); });
}

SignalWatch::~SignalWatch() {
    stopping_ = true;
    // The signals are blocked everywhere, so this one stays with the watch
    // thread and ends its wait.
    pthread_kill(thread_.native_handle(), SIGTERM);
    thread_.join();
}

void SignalWatch::watch() {
    const sigset_t set = closeSignals();
    for (;;) {
        int signal = 0;
        if (sigwait(&set, &signal) != 0) return;  // only for a bad set
        if (stopping_) return;
        if (onSignal_) onSignal_();
    }
}

}  // namespace voxpan
