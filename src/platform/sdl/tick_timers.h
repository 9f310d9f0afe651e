// Periodic timers by number whose ticks arrive as SDL user events. A timer
// never has more than one tick waiting: while the panel is busy (a spoken
// sequence can take seconds) the ticks it missed are not piled up.
#pragma once

#include <SDL.h>

#include <atomic>
#include <map>
#include <memory>
#include <vector>

namespace voxpan {

class TickTimers {
public:
    // Ticks are pushed as events of the type, with the timer number as code.
    explicit TickTimers(Uint32 tickEventType) : eventType_(tickEventType) {}
    ~TickTimers();
    TickTimers(const TickTimers&) = delete;
    TickTimers& operator=(const TickTimers&) = delete;

    // Starts the timer, or restarts it with the new period. The SDL timer
    // subsystem must be running.
    void start(int number, int periodMs);
    void stop(int number);
    void stopAll();

    // A tick taken from the event queue: true when it is to be handed to the
    // panel (its timer is still running and it has no tick in this batch yet).
    bool takeTick(int number);
    // The batch of events has been handed over: the timers taken from may
    // queue their next tick.
    void finishBatch();

private:
    struct Slot {
        Uint32 eventType = 0;
        int number = 0;
        Uint32 periodMs = 0;
        std::atomic<bool> tickWaiting{false};
        SDL_TimerID id = 0;
    };
    static Uint32 onTick(Uint32 interval, void* slot);

    Uint32 eventType_;
    // Slots live as long as this object: SDL may still be running a callback
    // of a timer that has just been removed.
    std::map<int, std::unique_ptr<Slot>> slots_;
    std::vector<Slot*> taken_;
};

}  // namespace voxpan
