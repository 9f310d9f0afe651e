// Periodic timers by number, kept on the panel's own thread: the event loop
// waits no longer than the next tick is due and then hands it over itself.
// No other thread posts ticks: the loop waits on the X connection itself
// (x_event_wait.h), which an event posted from another thread would not wake.
// A timer never has more than one tick waiting: while the panel is busy (a
// spoken sequence can take seconds) the ticks it missed are not piled up.
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <vector>

namespace voxpan {

class TickTimers {
public:
    using Clock = std::chrono::steady_clock;

    // Starts the timer, or restarts it with the new period.
    void start(int number, int periodMs, Clock::time_point now);
    void stop(int number);

    // How long until the next tick of any timer is due (zero when one is
    // due); nothing while no timer runs.
    std::optional<Clock::duration> untilNextTick(Clock::time_point now) const;
    // The numbers of the timers whose tick is due, each once. A timer's next
    // tick is one period on, or one period from now when the panel has
    // fallen behind.
    std::vector<int> takeDueTicks(Clock::time_point now);

private:
    struct Timer {
        Clock::duration period{};
        Clock::time_point nextTick;
    };
    std::map<int, Timer> timers_;
};

}  // namespace voxpan
