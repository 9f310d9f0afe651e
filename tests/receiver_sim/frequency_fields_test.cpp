#include "receiver_sim/lib/frequency_fields.h"

#include <gtest/gtest.h>

namespace receiver_sim {
namespace {

TEST(FrequencyField, TenDigitsWithoutPointAreHertz) {
    EXPECT_EQ(parseFrequencyField("0145000000"), 145'000'000);
    EXPECT_EQ(parseFrequencyField("1300000000"), 1'300'000'000);
    EXPECT_EQ(parseFrequencyField("0145500000"), 145'500'000);
}

TEST(FrequencyField, WithPointItIsMegahertz) {
    EXPECT_EQ(parseFrequencyField("0145.01250"), 145'012'500);
    EXPECT_EQ(parseFrequencyField("0007.05000"), 7'050'000);
    EXPECT_EQ(parseFrequencyField("1296.50000"), 1'296'500'000);
    EXPECT_EQ(parseFrequencyField("0145.50000"), 145'500'000);
}

TEST(FrequencyField, DecimalsBeyondHertzAreDropped) {
    EXPECT_EQ(parseFrequencyField("0145.012345"), 145'012'345);
    EXPECT_EQ(parseFrequencyField("0145.0123459"), 145'012'345);
}

TEST(FrequencyField, RefusesMalformedFields) {
    EXPECT_FALSE(parseFrequencyField(""));
    EXPECT_FALSE(parseFrequencyField("."));
    EXPECT_FALSE(parseFrequencyField("0145.0.1250"));
    EXPECT_FALSE(parseFrequencyField("01450000x0"));
    EXPECT_FALSE(parseFrequencyField("-145000000"));
    EXPECT_FALSE(parseFrequencyField("01450000000")) << "eleven digits of hertz";
}

TEST(FrequencyField, RefusesFrequenciesOutsideTheReceiversRange) {
    EXPECT_FALSE(parseFrequencyField("0000.00000"));
    EXPECT_FALSE(parseFrequencyField("0000099999"));
    EXPECT_EQ(parseFrequencyField("0000100000"), 100'000);
    EXPECT_FALSE(parseFrequencyField("3000.00001"));
    EXPECT_FALSE(parseFrequencyField("999999999999.0")) << "must not overflow";
}

TEST(StepField, WithPointItIsKilohertz) {
    EXPECT_EQ(parseStepField("012.50"), 12'500);
    EXPECT_EQ(parseStepField("006.25"), 6'250);
    EXPECT_EQ(parseStepField("005.00"), 5'000);
}

TEST(StepField, WithoutPointItIsHertz) {
    EXPECT_EQ(parseStepField("005000"), 5'000);
    EXPECT_EQ(parseStepField("012500"), 12'500);
    EXPECT_EQ(parseStepField("100000"), 100'000);
}

TEST(StepField, RefusesZeroTooLargeAndMalformed) {
    EXPECT_FALSE(parseStepField("000000"));
    EXPECT_FALSE(parseStepField("1000000"));
    EXPECT_FALSE(parseStepField("1000.000"));
    EXPECT_FALSE(parseStepField("12,5"));
    EXPECT_FALSE(parseStepField(""));
}

TEST(Megahertz, ReadsTheWayAPersonWritesIt) {
    EXPECT_EQ(parseMegahertz("145.5"), 145'500'000);
    EXPECT_EQ(parseMegahertz("446"), 446'000'000) << "no point still means megahertz here";
    EXPECT_EQ(parseMegahertz("7.05"), 7'050'000);
    EXPECT_FALSE(parseMegahertz("abc"));
    EXPECT_FALSE(parseMegahertz("0.05"));
}

TEST(FieldText, TenDigitHertzAndSixDigitStep) {
    EXPECT_EQ(tenDigitHz(145'500'000), "0145500000");
    EXPECT_EQ(tenDigitHz(1'296'500'000), "1296500000");
    EXPECT_EQ(sixDigitStep(12'500), "012500");
}

}  // namespace
}  // namespace receiver_sim
