#include "radio/command_fields.h"

#include <gtest/gtest.h>

namespace voxpan {
namespace {

TEST(FrequencyField, WithAPointItIsFourDigitsOfMegahertzAndFiveDecimals) {
    EXPECT_EQ(frequencyCommand("VA", "145.0125"), "VA0145.01250");
    EXPECT_EQ(frequencyCommand("VA", "145.5"), "VA0145.50000");
    EXPECT_EQ(frequencyCommand("VA", "7.05"), "VA0007.05000");
    EXPECT_EQ(frequencyCommand("VA", "1296.5"), "VA1296.50000");
    EXPECT_EQ(frequencyCommand("VB", "146.0"), "VB0146.00000");
    EXPECT_EQ(frequencyCommand("VA", "145."), "VA0145.00000");
}

TEST(FrequencyField, WithoutAPointItIsTenDigitsOfHertz) {
    EXPECT_EQ(frequencyCommand("VA", "145"), "VA0145000000");
    EXPECT_EQ(frequencyCommand("VA", "1300"), "VA1300000000") << "no leading zero from 1000 MHz on";
    EXPECT_EQ(frequencyCommand("VB", "50"), "VB0050000000");
    EXPECT_EQ(frequencyCommand("VA", "5"), "VA0005000000");
}

TEST(FrequencyField, BelowOneMegahertzTheFourPlacesBeforeThePointAreZeros) {
    const std::pair<const char*, const char*> cases[] = {
        {".5", "VA0000.50000"},   {"0.5", "VA0000.50000"},   {"0.50", "VA0000.50000"}, {"00.5", "VA0000.50000"},
        {"0.999", "VA0000.99900"}, {".999", "VA0000.99900"}, {".1", "VA0000.10000"},    {"1.", "VA0001.00000"},
    };
    for (const auto& [text, command] : cases) EXPECT_EQ(frequencyCommand("VA", text), command) << text;
    EXPECT_EQ(frequencyCommand("VB", ".5"), "VB0000.50000");
}

TEST(FrequencyField, OddTexts) {
    EXPECT_EQ(frequencyCommand("VA", ""), "VA0000000000") << "an empty text counts as 0 and is zero-filled";
    EXPECT_EQ(frequencyCommand("VA", "abc"), "VA000abc0000") << "a text that is no number is still appended";
}

TEST(FrequencyField, ExtraDecimalsMakeALongerCommandThatGainsOneZero) {
    EXPECT_EQ(frequencyCommand("VA", "145.012345"), "VA0145.0123450");
}

TEST(StepField, ThreeDigitsOfKilohertzAndZerosToEightCharacters) {
    EXPECT_EQ(stepCommand("12.5"), "ST012.50");
    EXPECT_EQ(stepCommand("6.25"), "ST006.25");
    EXPECT_EQ(stepCommand("100"), "ST100000");
    EXPECT_EQ(stepCommand("5"), "ST005000");
    EXPECT_EQ(stepCommand("8.333"), "ST008.333") << "a longer step gets no zeros";
    EXPECT_EQ(stepCommand(""), "ST000000");
}

}  // namespace
}  // namespace voxpan
