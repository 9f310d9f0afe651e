// A connected panel on the recording fake with the in-process simulated
// receiver on its line: every byte the panel writes reaches the receiver,
// and each timer tick lets 100 ms pass on the receiver's side and hands its
// answers to the panel.
#pragma once

#include <string>
#include <vector>

#include "receiver_sim/receiver.h"
#include "support/panel_fixture.h"

namespace voxpan::testing {

class LivePanelTest : public PanelTest {
protected:
    explicit LivePanelTest(receiver_sim::Options options = {});

    // Queues the key as a key-down and key-up would.
    void press(int code);
    void press(std::initializer_list<int> codes);
    // Runs timer ticks; each lets 100 ms pass at the receiver first.
    void tick(int count = 1);
    // Ticks until the key queue is empty and the cycle is idle again.
    void settle(int limit = 400);
    // Forgets what was played, drawn and written so far.
    void forget();
    // Commands received by the simulated receiver since the last forget().
    std::vector<std::string> commands() const;
    // The words played since the last forget(), without the folder and
    // without the pauses between commands.
    std::vector<std::string> words() const;

    receiver_sim::Receiver receiver;

private:
    std::size_t commandsBefore_ = 0;
};

// Connected, its start-up forgotten, against a receiver that hears a
// station on 145.5 MHz (level reading 200).
class StationOn145_5Test : public LivePanelTest {
protected:
    StationOn145_5Test();
};

}  // namespace voxpan::testing
