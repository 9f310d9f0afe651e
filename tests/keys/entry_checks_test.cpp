#include "keys/entry_checks.h"

#include <gtest/gtest.h>

namespace voxpan {
namespace {

TEST(EntryChecks, TypedFrequenciesFitTheTuningField) {
    const std::pair<const char*, bool> cases[] = {
        {"145.5", true},     {".5", true},       {"0.5", true},        {"1296.12345", true}, {"3000", true},
        {"145", true},       {"145.", true},     {"1.2.3", false},     {".", false},         {"", false},
        {"12345", false},    {"0145", false},    {"145.123456", false}, {"14a", false},      {"-145", false},
    };
    for (const auto& [text, fits] : cases) EXPECT_EQ(fitsFrequencyField(text), fits) << '"' << text << '"';
}

TEST(EntryChecks, TypedStepsFitTheStepFieldAndAreAboveZero) {
    const std::pair<const char*, bool> cases[] = {
        {"12.5", true}, {"6.25", true}, {"100", true},    {".5", true},    {"5", true},  {"0", false},
        {"0.0", false}, {"1000", false}, {"12.125", false}, {"1.2.", false}, {"", false}, {"012.5", false},
    };
    for (const auto& [text, fits] : cases) EXPECT_EQ(fitsStepField(text), fits) << '"' << text << '"';
}

}  // namespace
}  // namespace voxpan
