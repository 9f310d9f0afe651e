// The hit log and the lockouts against the simulated receiver: the rules
// the end-to-end runs do not reach.
#include <gtest/gtest.h>

#include <algorithm>

#include "keys/key_names.h"
#include "scan/hit_log.h"
#include "scan/lockouts.h"
#include "support/live_panel.h"

namespace voxpan {
namespace {

using Lines = std::vector<std::string>;

TEST(HitLine, EachFieldAsTheLogKeepsIt) {
    const struct {
        StopKind kind;
        const char* learned;
        const char* shown;
        std::int32_t level;
        std::int64_t endMs;
        const char* line;
    } cases[] = {
        {kStopSearch, "145.5", "1", 187, 13'349, "T,search,145.5,CW,187,12.3"},
        {kStopMemory, "145.50000", "1", 300, 1'050, "T,memory,145.5,CW,255,0.1"},
        {kStopBank, "", "433.075", -4, 999, "T,bank,433.075,CW,0,0.0"},  // nothing learned: what was shown
        {kStopMemory, "", "", 9, 5'000, ""},                            // no frequency, no line
    };
    for (const auto& c : cases) {
        ScanStop stop;
        stop = {c.kind, "T", 1'000, c.learned, "C,W ", c.level, 0};
        EXPECT_EQ(hitLine(stop, c.shown, c.endMs), c.line) << c.line;
    }
}

class HitsAndLockouts : public testing::LivePanelTest {
protected:
    HitsAndLockouts() : LivePanelTest(options()) {
        tick(3);  // connected
        forget();
    }
    static receiver_sim::Options options() {
        receiver_sim::Options options;
        options.signals.push_back({145'500'000, 200});
        return options;
    }
    // The search, in continue mode, for this many ticks of 100 ms.
    void search(int ticks) {
        press(key('R'));
        settle();
        for (int i = 0; i < ticks; ++i, fake.advanceClock(100)) tick();
    }
    Lines hitLog() const {
        Lines lines;
        const std::string& bytes = fake.files.count("hits.csv") ? fake.files.at("hits.csv") : std::string();
        for (std::size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines.push_back(bytes.substr(at, end - at));
        return lines;
    }
};

TEST_F(HitsAndLockouts, OneLineAStopUnlessOffOrUnwritableWhichIsToldOnce) {
    for (const int mode : {1, 0, 2}) {  // on, HITS:0, a folder named hits.csv
        fake.files.erase("hits.csv");
        fake.problems.clear();
        panel.hitsEnabled = mode == 0 ? 0 : 1;
        if (mode == 2) fake.folders.insert("hits.csv");
        search(90);  // a sweep takes 4 s: two stops on 145.5, each held 5 polls
        closeHitLog(panel);
        EXPECT_EQ(panel.hitCount, 1) << mode;
        if (mode == 1) {
            ASSERT_EQ(hitLog().size(), 3u);
            EXPECT_EQ(hitLog()[0], "time,kind,mhz,mode,level,seconds");
            EXPECT_EQ(hitLog()[1].substr(0, 45), "2026-12-06T04:30:21+01:00,search,145.5,FM,200");
        } else {
            EXPECT_TRUE(hitLog().empty()) << mode;
        }
        EXPECT_EQ(fake.problems.size(), mode == 2 ? 1u : 0u) << mode;
    }
}

TEST_F(HitsAndLockouts, XAtAnyOtherMomentSaysInvAndSendsNothing) {
    const auto pressX = [&] {
        fake.plays.clear();
        fake.serialWritten.clear();
        press(key('X'));
        settle();
        EXPECT_EQ(words(), Lines{"inv"}) << "search state " << panel.searchState;
        EXPECT_EQ(fake.serialWritten.find('\x1e'), std::string::npos);
    };
    pressX();  // no search
    press(key('R'));
    settle();
    pressX();  // searching, not stopped
    panel.searchState = kSearchStopped;
    pressX();  // stopped, its frequency not known
    panel.currentStop.frequency = "145.5";
    panel.lockouts = {"145.5"};
    pressX();  // stopped on a frequency locked out already
    EXPECT_EQ(fake.files.count("lockout.dat"), 0u);
}

TEST_F(HitsAndLockouts, ALockoutThatCannotBeSavedSaysInvAndHoldsForThisRun) {
    fake.folders.insert("lockout.dat");
    panel.searchStopMode = 1;
    search(40);
    ASSERT_EQ(words().back(), "stop");
    press(key('X'));
    search(120);  // R again starts a new list; the sweeps pass 145.5
    EXPECT_EQ(words(), (Lines{"srch", "FM", "act", "stop", "lockout", "inv", "srch", "FM", "act"}));
    EXPECT_EQ(panel.hitCount, 0) << "the locked-out hit left the list";
    const Lines sent = commands();
    EXPECT_GE(std::count(sent.begin(), sent.end(), "\x1e"), 3) << "X, then a pass every sweep";
    EXPECT_EQ(hitLog().size(), 2u) << "the stop X ended is logged, the passed ones are not";
}

TEST_F(HitsAndLockouts, AStopWithinHalfTheSearchStepOfALockoutIsPassed) {
    panel.lockouts = {"145.5", "433.075"};
    const struct {
        const char* step;
        const char* stop;
        bool passed;
    } cases[] = {
        {"12.5", "145.50625", true}, {"12.5", "145.4938", true},    {"12.5", "145.5063", false},
        {"6.25", "433.078125", true}, {"6.25", "433.0718", false},  {"x", "145.5", true},
        {"x", "145.5001", false},     {"12.5", "0145.500", true},   {"12.5", "", false},
    };
    for (const auto& c : cases) {
        panel.searchStepText = c.step;
        EXPECT_EQ(isLockedOut(panel, c.stop), c.passed) << c.stop << " with the step " << c.step;
    }
}

}  // namespace
}  // namespace voxpan
