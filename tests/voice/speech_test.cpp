#include "voice/speech.h"

#include <gtest/gtest.h>

#include "support/panel_fixture.h"

namespace voxpan {
namespace {

using Words = std::vector<std::string>;

class Speech : public testing::PanelTest {};

TEST_F(Speech, WordsComeFromTheSpeechFolderAndEffectsAlways) {
    speakWord(panel, "point");
    speakEffect(panel, "shdel");
    panel.speechFolder = "";
    speakWord(panel, "point");
    speakEffect(panel, "shdel");
    EXPECT_EQ(fake.plays, (Words{"wave/point", "wave/shdel", "point", "wave/shdel"}))
        << "muted speech looks for the bare name, effects still play from the word folder";
}

TEST_F(Speech, ThePauseTakesAtLeastItsLengthWhateverBecameOfTheSound) {
    const std::tuple<SoundResult, std::int64_t, std::int64_t> cases[] = {  // sound, its length, the pause's
        {SoundResult::NoDevice, 0, 100}, {SoundResult::Unplayable, 0, 100},
        {SoundResult::Played, 40, 100},  {SoundResult::Played, 250, 250}};
    for (const auto& [result, soundMs, pauseMs] : cases) {
        fake.soundResults["wave/shdel"] = result;
        fake.msPerPlay = soundMs;
        const std::int64_t start = fake.clockMs;
        pauseBetweenCommands(panel);
        EXPECT_EQ(fake.clockMs - start, pauseMs) << "a sound of " << soundMs << " ms";
    }
}

TEST_F(Speech, AnEmptyPathPlaysNothing) {
    panel.speechFolder = "";
    speakWord(panel, "");
    playWord(panel, "");
    EXPECT_TRUE(fake.plays.empty());
}

TEST_F(Speech, FrequencyIsReadDigitByDigit) {
    panel.frequencyText = "145.0125";
    speakFrequency(panel);
    EXPECT_EQ(fake.plays, (Words{"wave/1", "wave/4", "wave/5", "wave/point", "wave/0", "wave/1", "wave/2", "wave/5"}));
    EXPECT_EQ(panel.frequencyText, "145.0125");
}

TEST_F(Speech, TrailingZerosAreTrimmedAndASearchIsAnnounced) {
    panel.frequencyText = "145.5000";
    panel.searchState = 1;
    speakFrequency(panel);
    EXPECT_EQ(fake.plays, (Words{"wave/srching", "wave/1", "wave/4", "wave/5", "wave/point", "wave/5"}));
    EXPECT_EQ(panel.frequencyText, "145.5") << "the trimmed form is kept";
}

TEST_F(Speech, AFinalPointIsReadAsPointZero) {
    for (const char* text : {"145.", "145.000"}) {
        fake.plays.clear();
        panel.frequencyText = text;
        speakFrequency(panel);
        EXPECT_EQ(fake.plays, (Words{"wave/1", "wave/4", "wave/5", "wave/point", "wave/0"})) << text;
        EXPECT_EQ(panel.frequencyText, "145.0");
    }
}

TEST_F(Speech, AWholeNumberWithoutPointKeepsItsZeros) {
    panel.frequencyText = "150";
    speakFrequency(panel);
    EXPECT_EQ(fake.plays, (Words{"wave/1", "wave/5", "wave/0"}));
}

TEST_F(Speech, EmptyFrequencySaysNothingOrOnlySearching) {
    panel.frequencyText = "";
    speakFrequency(panel);
    EXPECT_TRUE(fake.plays.empty());
    panel.searchState = 1;
    speakFrequency(panel);
    EXPECT_EQ(fake.plays, (Words{"wave/srching"}));
}

// The modes' words are in the test of the mode table.
TEST_F(Speech, AttenuatorTextsUseTheirRecordingsAndScratchTheFrequencyText) {
    const std::vector<std::pair<std::string, std::string>> cases{{"ATT ON", "wave/atton.wav"},
                                                                 {"ATT OFF", "wave/attoff.wav"}};
    for (const auto& [mode, path] : cases) {
        fake.plays.clear();
        panel.modeText = mode;
        speakModeText(panel);
        EXPECT_EQ(fake.plays, Words{path}) << "mode '" << mode << "'";
        EXPECT_EQ(panel.frequencyText, mode) << "the mode text is left in frequencyText";
    }
}

TEST_F(Speech, UnknownModeTextSaysNothing) {
    for (const char* mode : {"CW", "fm", "", "WFM "}) {
        panel.modeText = mode;
        speakModeText(panel);
    }
    EXPECT_TRUE(fake.plays.empty());
}

}  // namespace
}  // namespace voxpan
