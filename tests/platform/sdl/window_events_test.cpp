#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "panel_window_fixture.h"

namespace voxpan::testing {
namespace {

using namespace std::chrono_literals;
using WindowEvents = PanelWindowTest;
using Events = std::vector<WindowEvent>;

int countOf(const Events& events, WindowEvent wanted) {
    return static_cast<int>(std::count(events.begin(), events.end(), wanted));
}

void pushKey(Uint32 type, SDL_Scancode scancode, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
    SDL_Event event{};
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    event.key.keysym.scancode = scancode;
    event.key.keysym.mod = mod;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

void pushQuit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

TEST_F(WindowEvents, TicksMissedWhileBusyArriveAsOne) {
    panel().startTimer(1, 10);
    std::this_thread::sleep_for(200ms);  // twenty periods without looking
    EXPECT_EQ(panel().waitEvents(), (Events{{EventKind::Timer, 1}}));
    // The handed-over tick frees the timer to queue the next one.
    EXPECT_EQ(panel().waitEvents(), (Events{{EventKind::Timer, 1}}));
}

TEST_F(WindowEvents, EachTimerTicksUnderItsOwnNumber) {
    panel().startTimer(1, 10);
    panel().startTimer(7, 10);
    std::this_thread::sleep_for(100ms);
    bool seen1 = false;
    bool seen7 = false;
    for (int batch = 0; batch < 50 && !(seen1 && seen7); ++batch) {
        const Events events = panel().waitEvents();
        EXPECT_LE(countOf(events, {EventKind::Timer, 1}), 1) << "ticks of timer 1 piled up";
        EXPECT_LE(countOf(events, {EventKind::Timer, 7}), 1) << "ticks of timer 7 piled up";
        EXPECT_EQ(countOf(events, {EventKind::Timer, 1}) + countOf(events, {EventKind::Timer, 7}),
                  static_cast<int>(events.size()));
        seen1 = seen1 || countOf(events, {EventKind::Timer, 1}) == 1;
        seen7 = seen7 || countOf(events, {EventKind::Timer, 7}) == 1;
    }
    EXPECT_TRUE(seen1 && seen7);
}

TEST_F(WindowEvents, StoppedTimerDeliversNoTickEvenOneAlreadyWaiting) {
    panel().startTimer(1, 10);
    std::this_thread::sleep_for(60ms);
    panel().stopTimer(1);
    pushQuit();
    EXPECT_EQ(panel().waitEvents(), (Events{{EventKind::Close, 0}}));
    panel().stopTimer(1);
    panel().stopTimer(42);  // never started
}

TEST_F(WindowEvents, RestartedTimerTicksAgain) {
    panel().startTimer(1, 10);
    panel().stopTimer(1);
    panel().startTimer(1, 10);
    panel().startTimer(1, 10);
    std::this_thread::sleep_for(60ms);
    EXPECT_EQ(panel().waitEvents(), (Events{{EventKind::Timer, 1}}));
}

class CloseSignal : public PanelWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(CloseSignal, ArrivesAsACloseRequest) {
    ASSERT_EQ(kill(getpid(), GetParam()), 0);
    EXPECT_EQ(panel().waitEvents(), (Events{{EventKind::Close, 0}}));
}

INSTANTIATE_TEST_SUITE_P(TermIntHup, CloseSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

TEST(CloseSignalBeforeTheWindow, IsDeliveredOnceTheWindowWaits) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SdlPlatform platform;
    ASSERT_EQ(kill(getpid(), SIGTERM), 0);
    std::this_thread::sleep_for(50ms);  // lets the watch take it before SDL runs
    ASSERT_TRUE(platform.createWindow(0, 0, 100, 100, "x"));
    EXPECT_EQ(platform.waitEvents(), (Events{{EventKind::Close, 0}}));
}

TEST_F(WindowEvents, CloseBoxAndQuitTogetherGiveOneCloseRequest) {
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(platform_->windowForTesting());
    ASSERT_EQ(SDL_PushEvent(&close), 1);
    pushQuit();
    EXPECT_EQ(panel().waitEvents(), (Events{{EventKind::Close, 0}}));
}

TEST_F(WindowEvents, KeysArriveInOrderWithSystemAndUnmappedKeysLeftOut) {
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_F1);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_F1, KMOD_NONE, 1);  // auto-repeat
    pushKey(SDL_KEYUP, SDL_SCANCODE_F1);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_MUTE);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_LALT, KMOD_LALT);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_Q, KMOD_LALT);
    pushKey(SDL_KEYUP, SDL_SCANCODE_Q, KMOD_LALT);
    pushKey(SDL_KEYUP, SDL_SCANCODE_LALT);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_KP_3, KMOD_NUM);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_KP_3);
    EXPECT_EQ(panel().waitEvents(), (Events{{EventKind::KeyDown, 112},
                                            {EventKind::KeyDown, 112},
                                            {EventKind::KeyUp, 112},
                                            {EventKind::KeyUp, 81},
                                            {EventKind::KeyUp, 18},
                                            {EventKind::KeyDown, 99},
                                            {EventKind::KeyDown, 34}}));
}

TEST_F(WindowEvents, EventsThePanelDoesNotUseDoNotEndTheWait) {
    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    ASSERT_EQ(SDL_PushEvent(&exposed), 1);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_MUTE);
    panel().startTimer(3, 50);
    EXPECT_EQ(panel().waitEvents(), (Events{{EventKind::Timer, 3}}));
}

// On X11 an event posted from another thread wakes the waiting panel with an
// X event sent to its window; one still on its way when the window closes is
// refused by the X server. So no thread but the panel's posts to the queue.
TEST_F(WindowEvents, TicksAndSignalledCloseArriveWithoutPostsFromOtherThreads) {
    static const std::thread::id panelThread = std::this_thread::get_id();
    static std::atomic<int> postsFromOtherThreads{0};
    const SDL_EventFilter countPostFromOtherThread = [](void*, SDL_Event*) {
        if (std::this_thread::get_id() != panelThread) ++postsFromOtherThreads;
        return 1;
    };
    SDL_AddEventWatch(countPostFromOtherThread, nullptr);
    panel().startTimer(1, 10);
    EXPECT_EQ(panel().waitEvents(), (Events{{EventKind::Timer, 1}}));
    ASSERT_EQ(kill(getpid(), SIGTERM), 0);
    bool closed = false;
    for (int batch = 0; batch < 100 && !closed; ++batch)
        closed = countOf(panel().waitEvents(), {EventKind::Close, 0}) == 1;
    EXPECT_TRUE(closed) << "the signal reached the panel as a close request";
    panel().closeWindow();  // the timer still runs
    ASSERT_EQ(kill(getpid(), SIGTERM), 0);
    std::this_thread::sleep_for(100ms);
    SDL_DelEventWatch(countPostFromOtherThread, nullptr);
    EXPECT_EQ(postsFromOtherThreads, 0) << "another thread posted an event";
}

TEST_F(WindowEvents, WaitingAfterTheWindowIsClosedEndsThePanel) {
    panel().closeWindow();
    EXPECT_EQ(panel().waitEvents(), (Events{{EventKind::Close, 0}}));
}

}  // namespace
}  // namespace voxpan::testing
