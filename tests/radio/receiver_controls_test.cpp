#include "radio/receiver_controls.h"

#include <gtest/gtest.h>

#include "support/panel_fixture.h"

namespace voxpan {
namespace {

using Lines = std::vector<std::string>;

class ReceiverControls : public testing::PanelTest {
protected:
    ReceiverControls() { openPort(); }
    // Plays and writes in the order they happened.
    Lines wordsAndCommands() const {
        Lines order;
        for (const std::string& line : fake.journal)
            if (line.rfind("play ", 0) == 0 || line.rfind("serial-write ", 0) == 0) order.push_back(line);
        return order;
    }
};

TEST_F(ReceiverControls, VfoAIsTunedWithoutDrawing) {
    panel.frequencyText = "145";
    panel.workText = "145";
    sendVfoA(panel);
    EXPECT_EQ(fake.serialWritten, "VA0145000000\r");
    EXPECT_EQ(panel.workText, "145.0");
    EXPECT_TRUE(fake.texts.empty());
}

TEST_F(ReceiverControls, VfoBIsTunedWithoutDrawing) {
    panel.frequencyText = "146";
    panel.workText = "146";
    tuneVfoB(panel);
    EXPECT_EQ(fake.serialWritten, "VB0146000000\r");
    EXPECT_EQ(panel.workText, "146.0");
    EXPECT_TRUE(fake.texts.empty());
}

TEST_F(ReceiverControls, StepIsSentInItsField) {
    panel.searchStepText = "12.5";
    sendStep(panel);
    panel.searchStepText = "5";
    sendStep(panel);
    EXPECT_EQ(fake.serialWritten, "ST012.50\rST005000\r");
}

TEST_F(ReceiverControls, AttenuatorTogglesWithItsWords) {
    panel.attenuatorOn = 0;
    toggleAttenuator(panel);
    EXPECT_EQ(panel.attenuatorOn, 1);
    toggleAttenuator(panel);
    EXPECT_EQ(panel.attenuatorOn, 0);
    EXPECT_EQ(wordsAndCommands(),
              (Lines{"play wave/atton", "serial-write AT1\\r", "play wave/attoff", "serial-write AT0\\r"}));
}

TEST_F(ReceiverControls, NoiseLimiterSaysNoiseThenOnOrOff) {
    panel.noiseLimiterOn = 0;
    toggleNoiseLimiter(panel);
    toggleNoiseLimiter(panel);
    EXPECT_EQ(wordsAndCommands(), (Lines{"play wave/noise", "play wave/on", "serial-write NL1\\r", "play wave/noise",
                                         "play wave/off", "serial-write NL0\\r"}));
    EXPECT_EQ(panel.noiseLimiterOn, 0);
}

TEST_F(ReceiverControls, NothingIsConfirmedByTheReceiver) {
    fake.serialClose();
    toggleAttenuator(panel);
    EXPECT_EQ(panel.attenuatorOn, 1) << "the panel's belief changes even with no receiver";
    EXPECT_EQ(fake.plays, Lines{"wave/atton"});
}

}  // namespace
}  // namespace voxpan
