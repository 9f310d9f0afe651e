#include "platform/sdl/tick_timers.h"

#include <algorithm>

namespace voxpan {

namespace {
// The shortest period a window timer has on the panel's original platform.
constexpr int kShortestPeriodMs = 10;
}  // namespace

TickTimers::~TickTimers() { stopAll(); }

Uint32 TickTimers::onTick(Uint32 interval, void* param) {
    auto* slot = static_cast<Slot*>(param);
    if (!slot->tickWaiting.exchange(true)) {
        SDL_Event event{};
        event.type = slot->eventType;
        event.user.code = slot->number;
        if (SDL_PushEvent(&event) != 1) slot->tickWaiting = false;
    }
    return interval;
}

void TickTimers::start(int number, int periodMs) {
    stop(number);
    auto& slot = slots_[number];
    if (!slot) {
        slot = std::make_unique<Slot>();
        slot->eventType = eventType_;
        slot->number = number;
    }
    slot->periodMs = static_cast<Uint32>(std::max(periodMs, kShortestPeriodMs));
    slot->id = SDL_AddTimer(slot->periodMs, &TickTimers::onTick, slot.get());
}

void TickTimers::stop(int number) {
    auto found = slots_.find(number);
    if (found == slots_.end() || found->second->id == 0) return;
    SDL_RemoveTimer(found->second->id);
    found->second->id = 0;
}

void TickTimers::stopAll() {
    for (auto& [number, slot] : slots_) stop(number);
}

bool TickTimers::takeTick(int number) {
    auto found = slots_.find(number);
    if (found == slots_.end()) return false;
    Slot* slot = found->second.get();
    if (std::find(taken_.begin(), taken_.end(), slot) != taken_.end()) return false;
    taken_.push_back(slot);
    return slot->id != 0;
}

void TickTimers::finishBatch() {
    for (Slot* slot : taken_) slot->tickWaiting = false;
    taken_.clear();
}

}  // namespace voxpan
