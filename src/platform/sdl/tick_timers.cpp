#include "platform/sdl/tick_timers.h"

#include <algorithm>

namespace voxpan {

namespace {
// The shortest period a window timer has on the panel's original platform.
constexpr int kShortestPeriodMs = 10;
}  // namespace

void TickTimers::start(int number, int periodMs, Clock::time_point now) {
    const Clock::duration period = std::chrono::milliseconds(std::max(periodMs, kShortestPeriodMs));
    timers_[number] = {period, now + period};
}

void TickTimers::stop(int number) { timers_.erase(number); }

std::optional<TickTimers::Clock::duration> TickTimers::untilNextTick(Clock::time_point now) const {
    std::optional<Clock::duration> shortest;
    for (const auto& [number, timer] : timers_) {
        const Clock::duration wait = std::max(timer.nextTick - now, Clock::duration::zero());
        if (!shortest || wait < *shortest) shortest = wait;
    }
    return shortest;
}

std::vector<int> TickTimers::takeDueTicks(Clock::time_point now) {
    std::vector<int> due;
    for (auto& [number, timer] : timers_) {
        if (timer.nextTick > now) continue;
        due.push_back(number);
        timer.nextTick += timer.period;
        if (timer.nextTick <= now) timer.nextTick = now + timer.period;
    }
    return due;
}

}  // namespace voxpan
