#include <gtest/gtest.h>

#include "controls/mode_line.h"
#include "controls/tune_and_show.h"
#include "support/panel_fixture.h"

namespace voxpan {
namespace {

using Lines = std::vector<std::string>;

class Controls : public testing::PanelTest {
protected:
    Controls() { openPort(); }
    const testing::DrawnText& lastText() const { return fake.texts.back(); }
};

TEST_F(Controls, TuningAWholeMegahertzGivesTheWorkTextItsPointAndShowsIt) {
    panel.frequencyText = "145";
    panel.workText = "145";
    tuneVfoA(panel);
    EXPECT_EQ(fake.serialWritten, "VA0145000000\r");
    EXPECT_EQ(panel.workText, "145.0");
    EXPECT_EQ(panel.frequencyText, "145");
    ASSERT_GE(fake.texts.size(), 2u);
    EXPECT_EQ(fake.texts[1].text, "145.0") << "VFO A shows the tuned frequency";
    EXPECT_EQ(fake.texts[1].y, 150);
    EXPECT_EQ(panel.startNewLimit, 0) << "a redraw of the frequency line leaves a limit being typed alone";
}

TEST_F(Controls, TuningAFrequencyWithAPointLeavesTheWorkTextAlone) {
    panel.frequencyText = "145.0125";
    panel.workText = "145.0125";
    tuneVfoA(panel);
    EXPECT_EQ(fake.serialWritten, "VA0145.01250\r");
    EXPECT_EQ(panel.workText, "145.0125");
    EXPECT_EQ(fake.texts.size(), 2u) << "8 characters need no padding";
}

TEST_F(Controls, ModeLineDrawsThenSetsTheReceiver) {
    fake.setTextColour(kRed);
    panel.modeText = "AM";
    showAndSetMode(panel);
    ASSERT_EQ(fake.texts.size(), 1u);
    EXPECT_EQ(lastText().text, "AM      ");
    EXPECT_EQ(lastText().x, 370);
    EXPECT_EQ(lastText().y, 80);
    EXPECT_EQ(lastText().colour, kRed) << "the mode line takes the colour left by the last drawing";
    EXPECT_EQ(lastText().points, 50);
    EXPECT_EQ(fake.serialWritten, "MD2\r");
    EXPECT_EQ(fake.plays, (Lines{"wave/AM"}));
}

}  // namespace
}  // namespace voxpan
