#include <gtest/gtest.h>

#include "shell/window_events.h"
#include "support/panel_fixture.h"

namespace voxpan {
namespace {

class KeyQueue : public testing::PanelTest {
protected:
    void press(int code) {
        handleWindowEvent(panel, EventKind::KeyDown, code);
        handleWindowEvent(panel, EventKind::KeyUp, code);
    }
    std::vector<int> queued() const { return {panel.keyQueue.begin(), panel.keyQueue.begin() + panel.keyCount}; }
};

TEST_F(KeyQueue, APressQueuesItsCodeAndThenTheReplyRead) {
    press(112);
    EXPECT_EQ(queued(), (std::vector<int>{112, 0}));
    press(70);
    EXPECT_EQ(queued(), (std::vector<int>{112, 0, 70, 0})) << "first in, first out";
}

TEST_F(KeyQueue, AutoRepeatQueuesTheKeyOnce) {
    for (int i = 0; i < 5; ++i) handleWindowEvent(panel, EventKind::KeyDown, 38);
    EXPECT_EQ(queued(), (std::vector<int>{38, 0}));
    EXPECT_EQ(panel.keyLatch, 1);
}

TEST_F(KeyQueue, ASecondKeyPressedWhileTheFirstIsHeldIsDropped) {
    handleWindowEvent(panel, EventKind::KeyDown, 16);
    handleWindowEvent(panel, EventKind::KeyDown, 65);
    EXPECT_EQ(queued(), (std::vector<int>{16, 0}));
    handleWindowEvent(panel, EventKind::KeyUp, 65);
    handleWindowEvent(panel, EventKind::KeyDown, 66);
    EXPECT_EQ(queued(), (std::vector<int>{16, 0, 66, 0})) << "any key-up releases the latch";
}

TEST_F(KeyQueue, KeyUpMarksTheCurrentKeyAsNoKey) {
    press(70);
    EXPECT_EQ(panel.keyLatch, 0);
    EXPECT_EQ(panel.currentKey, 999);
}

TEST_F(KeyQueue, TenPressesFillItAndAnEleventhIsDroppedWithoutWritingPastTheEnd) {
    // The queue sits between other variables of the state: a write past its
    // 20 entries would land in them.
    panel.keyCount = 0;
    panel.pollState = 4;
    for (int code = 65; code < 75; ++code) press(code);
    EXPECT_EQ(panel.keyCount, 20);
    press(90);
    press(91);
    EXPECT_EQ(panel.keyCount, 20);
    EXPECT_EQ(panel.keyQueue[18], 74) << "the tenth press is the last one kept";
    EXPECT_EQ(panel.keyQueue[19], 0);
    EXPECT_EQ(panel.pollState, 4);
    EXPECT_EQ(panel.keyLatch, 0) << "the dropped press still released its latch on key-up";
}

TEST_F(KeyQueue, CloseRequestEndsTheLoopButLeavesTheWindowOpen) {
    panel.running = 1;
    EXPECT_EQ(handleWindowEvent(panel, EventKind::Close, 0), 0);
    EXPECT_EQ(panel.running, 0);
    EXPECT_TRUE(fake.journalOf("window-close").empty());
}

}  // namespace
}  // namespace voxpan
