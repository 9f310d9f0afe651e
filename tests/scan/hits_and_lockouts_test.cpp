// The hit log and the lockouts against the simulated receiver: the rules
// the end-to-end runs do not reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "keys/key_names.h"
#include "scan/hit_log.h"
#include "scan/lockouts.h"
#include "support/live_panel.h"

namespace voxpan {
namespace {

using Lines = std::vector<std::string>;

class HitsAndLockouts : public testing::StationOn145_5Test {
protected:
    // R, then ticks: a sweep of the limits takes 4 s; the search stops on 145.5 in each.
    void search(int ticks) {
        press(key('R'));
        settle();
        tick(ticks);
    }
};

TEST_F(HitsAndLockouts, ALogThatCannotBeWrittenIsToldOnceAndThePanelGoesOn) {
    fake.folders.insert("hits.csv");
    search(90);
    closeHitLog(panel);
    EXPECT_EQ(fake.problems.size(), 1u) << "two stops, one line on stderr";
    EXPECT_EQ(panel.hitCount, 1);
}

TEST_F(HitsAndLockouts, XAtAnyOtherMomentSaysInvAndSendsNothing) {
    const auto pressX = [&](const char* when) {
        fake.plays.clear();
        fake.serialWritten.clear();
        press(key('X'));
        settle();
        EXPECT_EQ(words(), Lines{"inv"}) << when;
        EXPECT_EQ(fake.serialWritten.find('\x1e'), std::string::npos) << when;
    };
    pressX("no search");
    search(0);
    pressX("searching");
    panel.searchState = kSearchStopped;
    pressX("stopped, the frequency not yet known");
    panel.currentStop.frequency = "145.5";
    panel.lockouts = {"145.5"};
    pressX("stopped on a frequency locked out already");
    EXPECT_EQ(fake.files.count("lockout.dat"), 0u);
}

TEST_F(HitsAndLockouts, ALockoutThatCannotBeSavedSaysInvAndHoldsForThisRun) {
    fake.folders.insert("lockout.dat");
    panel.searchStopMode = 1;
    search(40);
    press(key('X'));
    search(120);  // a new search; its sweeps pass 145.5 unseen and unheard
    EXPECT_EQ(words(), (Lines{"srch", "FM", "act", "stop", "lockout", "inv", "srch", "FM", "act"}));
    const Lines sent = commands();
    EXPECT_GE(std::count(sent.begin(), sent.end(), "\x1e"), 3) << "X, then a pass every sweep";
    EXPECT_EQ(panel.hitCount, 0);
}

TEST_F(HitsAndLockouts, AStopWithinHalfTheSearchStepOfALockoutIsPassed) {
    panel.lockouts = {"145.5", "433.075"};
    using Case = std::tuple<const char*, const char*, bool>;  // step, stop, passed
    for (const auto& [step, stop, passed] :
         {Case{"12.5", "145.50625", true}, Case{"12.5", "145.4938", true}, Case{"12.5", "145.5063", false},
          Case{"6.25", "433.078125", true}, Case{"6.25", "433.0718", false}, Case{"x", "145.5", true},
          Case{"x", "145.5001", false}, Case{"12.5", "0145.500", true}, Case{"12.5", "", false}}) {
        panel.searchStepText = step;
        EXPECT_EQ(isLockedOut(panel, stop), passed) << stop << " with the step " << step;
    }
}

}  // namespace
}  // namespace voxpan
