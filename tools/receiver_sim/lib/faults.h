// The receiver's side of the line: answers wait here until their time has
// come, shaped by the chosen fault.
#pragma once

#include <cstdint>
#include <deque>
#include <random>
#include <string>

#include "receiver_sim/receiver.h"

namespace receiver_sim {

using Micros = std::int64_t;

class ReplyLine {
public:
    ReplyLine(Fault fault, unsigned seed, Micros slowDelay, Micros splitGap);

    // Queues an answer to leave at `due`. Answers leave in the order sent.
    void send(const std::string& reply, Micros due);
    // The bytes whose time has come by `now`.
    std::string take(Micros now);
    bool pending() const { return !pieces_.empty(); }
    // From now on answers take this fault; those queued keep theirs.
    void setFault(Fault fault) { fault_ = fault; }

private:
    struct Piece {
        Micros due;
        std::string bytes;
    };

    void queue(std::string bytes, Micros due);
    std::string strayBytes(int count);

    Fault fault_;
    Micros slowDelay_;
    Micros splitGap_;
    std::mt19937 random_;
    std::deque<Piece> pieces_;
    Micros lastDue_ = 0;
};

}  // namespace receiver_sim
