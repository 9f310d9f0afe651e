#include "panel/text_values.h"

#include <gtest/gtest.h>

namespace voxpan {
namespace {

TEST(TextParts, LeftAndRightBringCountsIntoRange) {
    EXPECT_EQ(leftText("AB", 5), "AB");
    EXPECT_EQ(leftText("145.5", 3), "145");
    EXPECT_EQ(leftText("AB", -1), "");
    EXPECT_EQ(rightText("AB", -1), "");
    EXPECT_EQ(rightText("AB", 9), "AB");
    EXPECT_EQ(rightText("COM12", 1), "2");
}

TEST(TextParts, MidTextClampsStartAndCount) {
    EXPECT_EQ(midText("145.5", 7, 2), "") << "a start beyond the end gives the empty text";
    EXPECT_EQ(midText("145.5", 0, 3), "145") << "a start below 1 counts as 1";
    EXPECT_EQ(midText("145.5", 2, 99), "45.5");
    EXPECT_EQ(midText("145.5", 2, -4), "45.5") << "a negative count takes the rest";
    EXPECT_EQ(midText("145.5", 4), ".5");
    EXPECT_EQ(midText("", 1, 1), "");
}

TEST(TextParts, FindTextCountsFromOneAndReportsAbsenceAsZero) {
    EXPECT_EQ(findText("LM12LM", "LM", 2), 5);
    EXPECT_EQ(findText("LM12LM", "LM", 0), 1) << "start 0 counts as 1";
    EXPECT_EQ(findText("LM12LM", "", 1), 0) << "an empty text to find is never found";
    EXPECT_EQ(findText("", "LM", 1), 0);
    EXPECT_EQ(findText("LM", "M", 3), 0) << "a start beyond the text finds nothing";
    EXPECT_EQ(findText("LM", "M", 2), 2);
    EXPECT_EQ(findText("LM", "LMX", 1), 0);
}

TEST(TextParts, LengthAndCharacter) {
    EXPECT_EQ(textLength(""), 0);
    EXPECT_EQ(textLength("145.5"), 5);
    EXPECT_EQ(charText(65), "A");
    EXPECT_EQ(charText(0), std::string(1, '\0'));
}

TEST(TextCapacity, AssignmentKeepsTheFirst254Characters) {
    const std::string joined = std::string(200, 'a') + std::string(100, 'b');
    Text held;
    held = joined;
    EXPECT_EQ(held.size(), 254u);
    EXPECT_EQ(held.str(), joined.substr(0, 254));
    Text constructed(joined);
    EXPECT_EQ(constructed.size(), 254u);
}

TEST(TextCapacity, JoiningIsNotCutUntilAssigned) {
    Text left(std::string(200, 'x'));
    const std::string joined = left + std::string(100, 'y');
    EXPECT_EQ(joined.size(), 300u) << "an intermediate join may be longer than a text";
    EXPECT_EQ(Text("VA") + "0145", "VA0145");
    EXPECT_EQ("TX= " + Text("LM"), "TX= LM");
}

TEST(NumberOfText, ReadsLeadingNumberAndIgnoresTheRest) {
    EXPECT_DOUBLE_EQ(numberOf(" 12.5kHz"), 12.5);
    EXPECT_DOUBLE_EQ(numberOf("0145500000"), 145500000);
    EXPECT_DOUBLE_EQ(numberOf(".5"), 0.5);
    EXPECT_DOUBLE_EQ(numberOf("-3"), -3);
    EXPECT_DOUBLE_EQ(numberOf("MD1"), 0);
    EXPECT_DOUBLE_EQ(numberOf("\t 7"), 7);
    EXPECT_DOUBLE_EQ(numberOf("+7"), 0) << "a plus sign ends the number at once";
    EXPECT_DOUBLE_EQ(numberOf("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(numberOf(""), 0);
    EXPECT_DOUBLE_EQ(numberOf("1e5"), 1) << "there is no exponent";
    EXPECT_DOUBLE_EQ(numberOf("145.0125"), 145.0125);
}

TEST(TextOfNumber, AlwaysStartsWithOneBlank) {
    EXPECT_EQ(textOf(12), " 12");
    EXPECT_EQ(textOf(5), " 5");
    EXPECT_EQ(textOf(-1), " -1");
    EXPECT_EQ(textOf(-5), " -5");
    EXPECT_EQ(textOf(0), " 0");
    EXPECT_EQ(textOf(2.5), " 2.50");
    EXPECT_EQ(textOf(-0.125), " -0.12");
}

TEST(IntegerStorage, RoundsHalfToEvenAndCutsTowardZero) {
    EXPECT_EQ(roundToInt(12.5), 12);
    EXPECT_EQ(roundToInt(13.5), 14);
    EXPECT_EQ(roundToInt(2.5), 2);
    EXPECT_EQ(roundToInt(-2.5), -2);
    EXPECT_EQ(roundToInt(2.6), 3);
    EXPECT_EQ(truncateToInt(145.0125), 145);
    EXPECT_EQ(truncateToInt(-3.9), -3);
}

TEST(IntegerStorage, HugeNumbersSaturateInsteadOfOverflowing) {
    EXPECT_EQ(roundToInt(1e20), 2147483647);
    EXPECT_EQ(roundToInt(-1e20), -2147483647 - 1);
    EXPECT_EQ(truncateToInt(numberOf("99999999999999999999")), 2147483647);
}

}  // namespace
}  // namespace voxpan
