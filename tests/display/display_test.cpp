#include "display/display.h"

#include <gtest/gtest.h>

#include "support/panel_fixture.h"

namespace voxpan {
namespace {

using Lines = std::vector<std::string>;

class Display : public testing::PanelTest {
protected:
    const testing::DrawnText& lastText() const { return fake.texts.back(); }
};

TEST_F(Display, FrequencyLineErasesDrawsInBlueAndPadsShortFrequencies) {
    panel.workText = "145.5";
    panel.frequencyText = "145.5";
    showFrequency(panel);
    ASSERT_EQ(fake.texts.size(), 3u);
    EXPECT_EQ(fake.texts[0].text, std::string(20, ' '));
    EXPECT_EQ(fake.texts[0].x, 300);
    EXPECT_EQ(fake.texts[0].y, 150);
    EXPECT_EQ(fake.texts[1].text, "145.5");
    EXPECT_EQ(fake.texts[1].x, 300);
    EXPECT_EQ(fake.texts[1].y, 150);
    EXPECT_EQ(fake.texts[1].colour, kBlue);
    EXPECT_EQ(fake.texts[1].face, "Ariel");
    EXPECT_EQ(fake.texts[1].points, 50);
    EXPECT_EQ(fake.texts[1].weight, 700);
    EXPECT_EQ(fake.texts[2].text, "000" + std::string(16, ' ')) << "145.5 is shown as 145.5000";
    EXPECT_GT(fake.texts[2].x, 300) << "the zeros continue the frequency without a move";
    EXPECT_EQ(fake.texts[2].colour, kBlue);
    EXPECT_EQ(fake.journal.back(), "font Ariel 30 700");
    EXPECT_EQ(fake.journal[fake.journal.size() - 2], "colour 0,0,0");
}

TEST_F(Display, LongFrequenciesAreNotPadded) {
    panel.workText = "12.3456789";
    panel.frequencyText = "12.3456789";
    showFrequency(panel);
    EXPECT_EQ(fake.textsDrawn(), (Lines{std::string(20, ' '), "12.3456789"}));
}

TEST_F(Display, PaddingFollowsTheFrequencyTextAndStopsAtFourZeros) {
    panel.workText = "145.0";
    panel.frequencyText = "145";
    showFrequency(panel);
    EXPECT_EQ(lastText().text, "0000" + std::string(16, ' ')) << "3 characters: 4 zeros, not 5";
    fake.texts.clear();
    panel.frequencyText = "1234567";
    showFrequency(panel);
    EXPECT_EQ(lastText().text, "0" + std::string(16, ' '));
}

TEST_F(Display, ModeLineTakesTheColourLeftByTheLastDrawing) {
    fake.setTextColour(kRed);
    panel.modeText = "CW ";
    drawModeLine(panel);
    ASSERT_EQ(fake.texts.size(), 1u);
    EXPECT_EQ(lastText().text, "CW " + std::string(6, ' '));
    EXPECT_EQ(lastText().x, 370);
    EXPECT_EQ(lastText().y, 80);
    EXPECT_EQ(lastText().colour, kRed);
    EXPECT_EQ(lastText().points, 50);
    EXPECT_TRUE(fake.serialWrites.empty()) << "drawing never talks to the receiver";
    EXPECT_TRUE(fake.plays.empty()) << "drawing never speaks";
}

TEST_F(Display, SearchLimitsLine) {
    panel.searchLowText = "145";
    panel.searchStepText = "12.5";
    panel.searchHighText = "146";
    panel.searchStopMode = 1;
    showSearchLimits(panel);
    ASSERT_EQ(fake.texts.size(), 4u);
    EXPECT_EQ(fake.textsDrawn(),
              (Lines{"145" + std::string(10, ' '), "12.5" + std::string(9, ' '), "STOP", "146" + std::string(8, ' ')}));
    const std::vector<std::pair<int, int>> places{{80, 250}, {300, 250}, {500, 250}, {750, 250}};
    for (std::size_t i = 0; i < places.size(); ++i) {
        EXPECT_EQ(fake.texts[i].x, places[i].first);
        EXPECT_EQ(fake.texts[i].y, places[i].second);
        EXPECT_EQ(fake.texts[i].colour, kBlack);
        EXPECT_EQ(fake.texts[i].points, 30);
        EXPECT_EQ(fake.texts[i].face, "Ariel");
    }
}

TEST_F(Display, StopModeOtherThanOneShowsCont) {
    for (int mode : {0, 2, -1}) {
        fake.texts.clear();
        panel.searchStopMode = mode;
        showSearchLimits(panel);
        EXPECT_EQ(fake.texts[2].text, "CONT") << "stop mode " << mode;
    }
}

TEST_F(Display, ClearLowerPanelBlanksFourLinesAndLeavesTheBigFont) {
    fake.setTextColour(kGreen);
    clearLowerPanel(panel);
    ASSERT_EQ(fake.texts.size(), 4u);
    const std::vector<std::pair<int, int>> places{{150, 300}, {300, 350}, {300, 400}, {300, 450}};
    for (std::size_t i = 0; i < places.size(); ++i) {
        EXPECT_EQ(fake.texts[i].text, std::string(40, ' '));
        EXPECT_EQ(fake.texts[i].x, places[i].first);
        EXPECT_EQ(fake.texts[i].y, places[i].second);
        EXPECT_EQ(fake.texts[i].points, 70);
    }
    fake.drawText("next");
    EXPECT_EQ(lastText().face, "Ariel");
    EXPECT_EQ(lastText().points, 70) << "a text drawn without setting a font comes out in Ariel 70";
    EXPECT_EQ(lastText().colour, kGreen) << "the colour is left unchanged";
}

}  // namespace
}  // namespace voxpan
