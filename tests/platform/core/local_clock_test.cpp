#include "platform/core/local_clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

namespace voxpan {
namespace {

// A zone half an hour off the hour, west of Greenwich, with no summer time.
TEST(LocalClock, ATimestampCarriesTheOffsetInForce) {
    const char* zone = std::getenv("TZ");
    const std::string before = zone ? zone : "";
    ::setenv("TZ", "NST3:30", 1);
    ::tzset();
    const std::string now = localTimestampText();
    zone ? ::setenv("TZ", before.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
    EXPECT_TRUE(std::regex_match(now, std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d-03:30)"))) << now;
    std::tm moment{};
    moment.tm_year = 126, moment.tm_mday = 7, moment.tm_hour = 21;
    EXPECT_EQ(timestampText(moment, 0), "2026-01-07T21:00:00+00:00") << "UTC is +00:00, never Z";
}

}  // namespace
}  // namespace voxpan
