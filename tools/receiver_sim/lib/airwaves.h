// The signals the receiver can hear, each on one frequency until it ends.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "receiver_sim/receiver.h"

namespace receiver_sim {

using Micros = std::int64_t;

struct Heard {
    int index;  // which signal, in the order added
    int level;
};

class Airwaves {
public:
    // `seconds` of the signal counts from `now`.
    void add(const Signal& signal, Micros now);

    // The strongest signal on air at `now` within `windowHz` of `hz`,
    // leaving out the signal numbered `except`.
    std::optional<Heard> strongestAt(long long hz, long long windowHz, Micros now,
                                     int except = -1) const;
    bool covers(int index, long long hz, long long windowHz, Micros now) const;

private:
    struct OnAir {
        long long hz;
        int level;
        Micros ends;  // -1: never
    };
    std::vector<OnAir> signals_;
};

}  // namespace receiver_sim
