#include "platform/core/local_clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

namespace voxpan {
namespace {

TEST(LocalClock, ATimestampCarriesTheOffsetInForce) {
    std::tm moment{};
    moment.tm_year = 2026 - 1900, moment.tm_mon = 11, moment.tm_mday = 7;
    moment.tm_hour = 21, moment.tm_min = 4, moment.tm_sec = 5;
    EXPECT_EQ(timestampText(moment, 3600), "2026-12-07T21:04:05+01:00");
    EXPECT_EQ(timestampText(moment, 0), "2026-12-07T21:04:05+00:00") << "UTC is +00:00, never Z";
    EXPECT_EQ(timestampText(moment, -16200), "2026-12-07T21:04:05-04:30");
    EXPECT_EQ(timestampText(moment, 19800 + 29), "2026-12-07T21:04:05+05:30");

    // A zone half an hour off the hour, west of Greenwich, with no summer time.
    const char* zone = std::getenv("TZ");
    const std::string before = zone ? zone : "";
    ::setenv("TZ", "NST3:30", 1);
    ::tzset();
    const std::string now = localTimestampText();
    zone ? ::setenv("TZ", before.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
    EXPECT_TRUE(std::regex_match(now, std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d-03:30)"))) << now;
}

}  // namespace
}  // namespace voxpan
