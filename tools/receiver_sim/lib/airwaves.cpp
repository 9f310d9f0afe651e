#include "airwaves.h"

#include <algorithm>
#include <cmath>

namespace receiver_sim {

void Airwaves::add(const Signal& signal, Micros now) {
    Micros ends = -1;
    if (signal.seconds >= 0 && std::isfinite(signal.seconds)) {
        ends = now + static_cast<Micros>(std::llround(std::min(signal.seconds, 1e9) * 1e6));
    }
    signals_.push_back(OnAir{signal.hz, std::clamp(signal.level, 0, 999), ends});
}

bool Airwaves::covers(int index, long long hz, long long windowHz, Micros now) const {
    if (index < 0 || index >= static_cast<int>(signals_.size())) {
        return false;
    }
    const OnAir& signal = signals_[static_cast<std::size_t>(index)];
    bool onAir = signal.ends < 0 || now < signal.ends;
    long long offset = signal.hz > hz ? signal.hz - hz : hz - signal.hz;
    return onAir && offset <= windowHz;
}

std::optional<Heard> Airwaves::strongestAt(long long hz, long long windowHz, Micros now,
                                           int except) const {
    std::optional<Heard> strongest;
    for (int i = 0; i < static_cast<int>(signals_.size()); ++i) {
        if (i == except || !covers(i, hz, windowHz, now)) {
            continue;
        }
        int level = signals_[static_cast<std::size_t>(i)].level;
        if (!strongest || level > strongest->level) {
            strongest = Heard{i, level};
        }
    }
    return strongest;
}

}  // namespace receiver_sim
