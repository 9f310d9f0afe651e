#include "radio/frequency_conversion.h"

#include <gtest/gtest.h>

#include "support/panel_fixture.h"

namespace voxpan {
namespace {

TEST(MegahertzToHertz, ReadsWholeAndFractionalMegahertz) {
    EXPECT_EQ(hertzOf("145.0125"), 145012500);
    EXPECT_EQ(hertzOf("145.5"), 145500000);
    EXPECT_EQ(hertzOf("145."), 145000000);
    EXPECT_EQ(hertzOf("145"), 145000000);
    EXPECT_EQ(hertzOf(".5"), 500000);
    EXPECT_EQ(hertzOf("0.000001"), 1);
    EXPECT_EQ(hertzOf("145.00000099"), 145000000) << "decimals past the sixth add nothing";
    EXPECT_EQ(hertzOf(""), 0);
}

TEST(HertzToMegahertz, DropsTrailingZerosAndKeepsAWholeNumbersPoint) {
    EXPECT_EQ(megahertzTextOf(145000000), "145.");
    EXPECT_EQ(megahertzTextOf(145001000), "145.001");
    EXPECT_EQ(megahertzTextOf(145012500), "145.0125");
    EXPECT_EQ(megahertzTextOf(1000000), "1.");
    EXPECT_EQ(megahertzTextOf(2040000000), "2040.");
    EXPECT_EQ(megahertzTextOf(2999999900), "2999.9999") << "past 32 bits";
    EXPECT_EQ(hertzOf("2999.9999"), 2999999900);
    EXPECT_EQ(hertzOf("3000"), kHighestHertz);
}

TEST(HertzToMegahertz, BelowOneHundredKilohertzIsConvertedCorrectly) {
    EXPECT_EQ(megahertzTextOf(500000), ".5");
    EXPECT_EQ(megahertzTextOf(100000), ".1");
    EXPECT_EQ(megahertzTextOf(50000), ".05") << "not .5, which is ten times too large";
    EXPECT_EQ(megahertzTextOf(9000), ".009");
    EXPECT_EQ(megahertzTextOf(1), ".000001");
    EXPECT_EQ(megahertzTextOf(0), ".");
    EXPECT_EQ(megahertzTextOf(-1000), "-.001") << "a negative value keeps its sign before the digits";
    EXPECT_EQ(megahertzTextOf(-2147483647 - 1), "-2147.483648");
}

TEST(HertzToMegahertz, RoundTripsEveryKilohertzStepBelowTwoMegahertz) {
    for (std::int64_t hertz = 0; hertz <= 2000000; hertz += 500)
        ASSERT_EQ(hertzOf(megahertzTextOf(hertz)), hertz) << hertz << " Hz as " << megahertzTextOf(hertz);
}

class Stepping : public testing::PanelTest {
protected:
    // What the frequency keys do: text to Hz, add the step, back to text.
    void step(std::int64_t hertz) {
        panel.frequencyText = panel.workText;
        frequencyToHz(panel);
        panel.frequencyHz += hertz;
        hzToFrequency(panel);
        panel.workText = panel.frequencyText;
    }
};

TEST_F(Stepping, UpAndDownByOneKilohertz) {
    panel.workText = "145.0";
    step(1000);
    EXPECT_EQ(panel.frequencyHz, 145001000);
    EXPECT_EQ(panel.workText, "145.001");
    step(-1000);
    EXPECT_EQ(panel.frequencyHz, 145000000);
    EXPECT_EQ(panel.frequencyText, "145.");
}

TEST_F(Stepping, DownThroughOneHundredKilohertz) {
    panel.workText = ".1";
    step(-12500);
    EXPECT_EQ(panel.workText, ".0875");
    step(-12500);
    EXPECT_EQ(panel.workText, ".075");
}

}  // namespace
}  // namespace voxpan
