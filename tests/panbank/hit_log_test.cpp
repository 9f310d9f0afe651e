// The lines of the hit log that are a stop, and those a crash or another
// writer may leave that are none; where --since starts.
#include "panbank/hit_log.h"

#include <gtest/gtest.h>

#include "panbank/decimal_units.h"

namespace voxpan::panbank {
namespace {

TEST(HitLog, TakesTheStopsThePanelLogsAndPassesOverAnythingElse) {
    const struct {
        const char* line;
        const char* hit;  // "local time, UTC seconds, hertz, level, tenths"; nullptr: no stop
    } cases[] = {
        {"2026-12-07T21:04:05+01:00,search,145.5,FM,187,12.3", "2026-12-07T21:04:05 1796673845 145500000 187 123"},
        {"2026-12-07T20:04:05+00:00,bank,.5,CW,0,0", "2026-12-07T20:04:05 1796673845 500000 0 0"},
        {"2026-12-07T15:34:05-04:30,memory,3000,AUT,255,3600.0", "2026-12-07T15:34:05 1796673845 3000000000 255 36000"},
        {"2026-12-07T21:04:05+01:00,search,145.5,FM,187", nullptr},
        {"2026-12-07T21:04:05+01:00,search,145.5,FM,187,12.3,x", nullptr},
        {"2026-12-07T21:04:05Z,search,145.5,FM,187,12.3", nullptr},
        {"2026-12-07T21:04:05,search,145.5,FM,187,12.3", nullptr},
        {"2026-12-07 21:04:05+01:00,search,145.5,FM,187,12.3", nullptr},
        {"2026-13-07T21:04:05+01:00,search,145.5,FM,187,12.3", nullptr},
        {"2026-12-07T21:04:05+01:00,scan,145.5,FM,187,12.3", nullptr},
        {"2026-12-07T21:04:05+01:00,search,145.5,DMR,187,12.3", nullptr},
        {"2026-12-07T21:04:05+01:00,search,145.5,FM,256,12.3", nullptr},
        {"2026-12-07T21:04:05+01:00,search,145.5,FM,187,12.34", nullptr},
        {"2026-12-07T21:04:05+01:00,search, 145.5,FM,187,12.3", nullptr},
        {"time,kind,mhz,mode,level,seconds", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<Hit> hit = hitOf(c.line);
        const std::string shown = hit ? hit->localTime + " " + std::to_string(hit->instant) + " " +
                                            std::to_string(hit->hertz) + " " + std::to_string(hit->level) + " " +
                                            std::to_string(hit->tenths)
                                      : "no stop";
        EXPECT_EQ(shown, c.hit ? c.hit : "no stop") << c.line;
    }
}

TEST(HitLog, SinceADayOrALocalTimeOrAMoment) {
    const Hit late{"2026-12-07T21:04:05", 1796673845, 145500000, 187, 123};
    const struct {
        const char* since;
        int includesLate;  // -1: no such --since
    } cases[] = {
        {"2026-12-07", 1},          {"2026-12-08", 0},           {"2026-12-07T21:04", 1},
        {"2026-12-07 21:04:06", 0}, {"2026-12-07T22:00+01:00", 0}, {"2026-12-07T21:00Z", 0},
        {"2026-12-07T20:04:05Z", 1}, {"2026-12-07T22:04:05+02:00", 1}, {"2026-12-7", -1},
        {"2026-12-07T25:00", -1},   {"2026-12-07Z", -1},          {"2026-12-07T21:04+1", -1},
    };
    for (const auto& c : cases) {
        const std::optional<Since> since = sinceOf(c.since);
        EXPECT_EQ(since ? static_cast<int>(since->includes(late)) : -1, c.includesLate) << c.since;
    }
}

// "162.400000" to "162.4", "0.530000" to "0.53", "7.000000" to "7" are checked by the import of a list;
// "145." to "145.000000" and ".5" to "0.500000" by its export.
TEST(DecimalUnits, WholeUnitsAndTheirTextsWithoutBinaryFractions) {
    EXPECT_EQ(unitsOf(" 0.530000 ", 6), 530'000) << "blanks around are the cell's, not the number's";
    EXPECT_EQ(unitsOf("145.0125", 6), 145'012'500) << "exact where 145.0125 as a double is not";
    EXPECT_EQ(unitsOf("1.2345670", 6), 1'234'567);
    EXPECT_EQ(unitsOf("1.2345678", 6), std::nullopt) << "finer than a hertz";
    for (const char* none : {"", ".", "1.2.3", "+1", "1e3", "1 2", "1234567890123"})
        EXPECT_EQ(unitsOf(none, 6), std::nullopt) << none;
    EXPECT_EQ(fixedText(125, 3, 2), "0.125") << "more decimals when the value needs them";
    EXPECT_EQ(fixedText(12'500, 3, 2), "12.50");
}

}  // namespace
}  // namespace voxpan::panbank
