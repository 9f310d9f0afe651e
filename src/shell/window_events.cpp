#include "shell/window_events.h"

#include "shell/poll_cycle.h"

namespace voxpan {

namespace {

// Every accepted key press queues its code and then 0, the entry that reads
// the receiver's answer to whatever the key sent. The latch takes one key
// per press: auto-repeat and a second key pressed while the first is held
// are dropped, and so is a press that finds the queue full.
void queueKey(Panel& panel, int keyCode) {
    if (panel.keyLatch == 1) return;
    panel.keyLatch = 1;
    if (panel.keyCount + 2 > kKeyQueueSize) return;
    panel.keyQueue[panel.keyCount] = keyCode;
    panel.keyQueue[panel.keyCount + 1] = 0;
    panel.keyCount += 2;
}

}  // namespace

int handleWindowEvent(Panel& panel, EventKind kind, int param) {
    switch (kind) {
        case EventKind::Close:
            // The window stays open: shutdown closes it after the loop ends.
            panel.running = 0;
            break;
        case EventKind::KeyUp:
            panel.keyLatch = 0;
            panel.currentKey = kKeyUpMarker;
            break;
        case EventKind::KeyDown:
            queueKey(panel, param);
            break;
        case EventKind::Timer:
            runPollStep(panel);
            break;
    }
    return 0;
}

}  // namespace voxpan
