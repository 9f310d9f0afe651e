// The receiver's two ways of moving by itself: the VFO search from VFO A to
// VFO B at the step, and the memory scan over stored channels. Each moves
// one position per call of move() and stops on a position where a signal is.
#pragma once

#include <optional>
#include <vector>

#include "airwaves.h"
#include "receiver_sim/receiver.h"

namespace receiver_sim {

// What a sweep needs to know to listen at a position.
struct Listening {
    const Airwaves& airwaves;
    long long windowHz;
    Micros now;
};

class VfoSearch {
public:
    void start(long long fromHz, long long toHz, const Listening& listening);
    void end() { running_ = false; stopped_ = false; }
    // A stopped search stays while a signal is at its position, and goes on
    // once none is.
    void move(long long stepHz, const Listening& listening);
    // The control byte: go on past the signal it stopped on.
    void goOn();

    bool running() const { return running_; }
    bool stopped() const { return running_ && stopped_; }
    long long position() const { return position_; }

private:
    void listenHere(const Listening& listening);

    bool running_ = false;
    bool stopped_ = false;
    long long from_ = 0;
    long long to_ = 0;
    long long position_ = 0;
    int stopSignal_ = -1;
    int passing_ = -1;  // the signal gone past with the control byte, while still in reach
};

class MemoryScan {
public:
    // Starts at the first channel. Returns the channel when it stops there.
    std::optional<MemoryChannel> start(std::vector<MemoryChannel> channels,
                                       const Listening& listening);
    void end() { running_ = false; stopped_ = false; }
    // Returns the channel it has just stopped on, if it has.
    std::optional<MemoryChannel> move(const Listening& listening);
    void goOn() { stopped_ = false; }

    bool running() const { return running_; }
    bool stopped() const { return running_ && stopped_; }
    const MemoryChannel& current() const { return channels_[index_]; }

private:
    std::optional<MemoryChannel> listenHere(const Listening& listening);

    bool running_ = false;
    bool stopped_ = false;
    std::vector<MemoryChannel> channels_;
    std::size_t index_ = 0;
};

}  // namespace receiver_sim
