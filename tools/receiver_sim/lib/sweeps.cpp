#include "sweeps.h"

namespace receiver_sim {

void VfoSearch::start(long long fromHz, long long toHz, const Listening& listening) {
    running_ = true;
    stopped_ = false;
    from_ = fromHz;
    to_ = toHz;
    position_ = fromHz;
    passing_ = -1;
    listenHere(listening);
}

void VfoSearch::listenHere(const Listening& listening) {
    if (passing_ >= 0 &&
        !listening.airwaves.covers(passing_, position_, listening.windowHz, listening.now)) {
        passing_ = -1;
    }
    std::optional<Heard> heard =
        listening.airwaves.strongestAt(position_, listening.windowHz, listening.now, passing_);
    if (heard) {
        stopped_ = true;
        stopSignal_ = heard->index;
    }
}

void VfoSearch::move(long long stepHz, const Listening& listening) {
    if (!running_) {
        return;
    }
    if (stopped_) {
        if (listening.airwaves.strongestAt(position_, listening.windowHz, listening.now)) {
            return;
        }
        stopped_ = false;
    }
    bool upward = to_ >= from_;
    long long next = upward ? position_ + stepHz : position_ - stepHz;
    if (upward ? next > to_ : next < to_) {
        next = from_;
    }
    position_ = next;
    listenHere(listening);
}

void VfoSearch::goOn() {
    if (stopped()) {
        stopped_ = false;
        passing_ = stopSignal_;
    }
}

std::optional<MemoryChannel> MemoryScan::start(std::vector<MemoryChannel> channels,
                                               const Listening& listening) {
    channels_ = std::move(channels);
    index_ = 0;
    stopped_ = false;
    running_ = !channels_.empty();
    if (!running_) {
        return std::nullopt;
    }
    return listenHere(listening);
}

std::optional<MemoryChannel> MemoryScan::listenHere(const Listening& listening) {
    if (listening.airwaves.strongestAt(current().hz, listening.windowHz, listening.now)) {
        stopped_ = true;
        return current();
    }
    return std::nullopt;
}

std::optional<MemoryChannel> MemoryScan::move(const Listening& listening) {
    if (!running_) {
        return std::nullopt;
    }
    if (stopped_) {
        if (listening.airwaves.strongestAt(current().hz, listening.windowHz, listening.now)) {
            return std::nullopt;
        }
        stopped_ = false;
    }
    index_ = (index_ + 1) % channels_.size();
    return listenHere(listening);
}

}  // namespace receiver_sim
