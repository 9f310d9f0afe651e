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
}

}  // namespace
}  // namespace voxpan
