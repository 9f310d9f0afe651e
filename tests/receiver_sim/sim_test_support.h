// Helpers for driving the simulated receiver the way a client does.
#pragma once

#include <string>
#include <string_view>

#include "receiver_sim/receiver.h"

namespace receiver_sim::testing {

// Sends one command with its CR and returns what the receiver answered at once.
inline std::string ask(Receiver& receiver, std::string_view command) {
    receiver.receive(std::string(command) + "\r");
    return receiver.takeOutput();
}

// Options with one signal that lasts forever.
inline Options withSignal(long long hz, int level) {
    Options options;
    options.signals.push_back(Signal{hz, level, -1});
    return options;
}

}  // namespace receiver_sim::testing
