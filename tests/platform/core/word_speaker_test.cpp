// The choice between the recorded words and the system's own voice, and
// falling back to the recordings when the voice fails.
#include "platform/core/word_speaker.h"

#include <gtest/gtest.h>

#include <deque>

namespace voxpan {
namespace {

using Lines = std::vector<std::string>;

// A speech service that says what it is given, with outcomes scripted in turn.
struct ScriptedVoice : SystemVoice {
    ScriptedVoice(Lines& said, std::deque<SpeechOutcome>& outcomes) : said(said), outcomes(outcomes) {}
    SpeechOutcome say(std::string_view text, std::string& problem) override {
        said.emplace_back(text);
        if (outcomes.empty()) return SpeechOutcome::Said;
        const SpeechOutcome outcome = outcomes.front();
        outcomes.pop_front();
        problem = "the service failed on \"" + std::string(text) + "\"";
        return outcome;
    }
    Lines& said;
    std::deque<SpeechOutcome>& outcomes;
};

class WordSpeakerTest : public ::testing::Test {
protected:
    WordSpeaker speaker{[this](std::string_view path) {
                            recordings.emplace_back(path);
                            return SoundResult::Played;
                        },
                        [this](SpeechPace pace, std::string& problem) -> std::unique_ptr<SystemVoice> {
                            paces.push_back(pace);
                            if (!serviceThere) {
                                problem = "no service on this machine";
                                return nullptr;
                            }
                            return std::make_unique<ScriptedVoice>(said, outcomes);
                        },
                        [this](std::string_view line) { reports.emplace_back(line); }};
    bool serviceThere = true;
    std::deque<SpeechOutcome> outcomes;
    std::vector<SpeechPace> paces;
    Lines recordings, said, reports;
};

TEST_F(WordSpeakerTest, TheSystemVoiceSaysEachWordsPhraseAndSoundsStayRecordings) {
    EXPECT_FALSE(speaker.say("Tower")) << "names need the system voice";
    speaker.play("wave/rnc");
    ASSERT_TRUE(speaker.useSystemVoice(SpeechPace::Fast));
    EXPECT_EQ(paces, std::vector<SpeechPace>{SpeechPace::Fast});
    for (const char* path : {"wave/rnc", "/usr/share/voxpan/wave/fm.wav", "wave\\AM", "wave/shdel", "wave/beep",
                             "point", "wave/nosuchword"})
        EXPECT_EQ(speaker.play(path), SoundResult::Played) << path;
    EXPECT_TRUE(speaker.say("Tower"));
    EXPECT_EQ(said, (Lines{"receiver not connected", "F M", "A.M.", "Tower"}));
    EXPECT_EQ(recordings, (Lines{"wave/rnc", "wave/shdel", "wave/beep", "point", "wave/nosuchword"}))
        << "before the choice; the pause, the tone, muted speech and unknown words stay recordings";
    EXPECT_TRUE(reports.empty());
}

TEST_F(WordSpeakerTest, AVoiceThatIsNotThereOrGoesAwayLeavesTheRecordingsWithOneLine) {
    serviceThere = false;
    EXPECT_FALSE(speaker.useSystemVoice(SpeechPace::Normal));
    speaker.play("wave/ok");
    EXPECT_EQ(reports, Lines{"no system voice: no service on this machine; the panel speaks its recorded words from now on"});
    EXPECT_EQ(recordings, Lines{"wave/ok"});

    serviceThere = true;
    reports.clear(), recordings.clear();
    ASSERT_TRUE(speaker.useSystemVoice(SpeechPace::Normal));
    outcomes = {SpeechOutcome::Said, SpeechOutcome::Gone};
    for (const char* path : {"wave/1", "wave/4", "wave/5"}) speaker.play(path);
    EXPECT_FALSE(speaker.say("Tower"));
    EXPECT_EQ(said, (Lines{"one", "four"}));
    EXPECT_EQ(recordings, (Lines{"wave/4", "wave/5"})) << "the word that found the voice gone is heard all the same";
    EXPECT_EQ(reports, Lines{"the service failed on \"four\"; the panel speaks its recorded words from now on"});
}

TEST_F(WordSpeakerTest, AWordThatNeverEndsIsGivenUpAndTwoInARowGiveUpTheVoice) {
    ASSERT_TRUE(speaker.useSystemVoice(SpeechPace::Fastest));
    outcomes = {SpeechOutcome::NeverEnded, SpeechOutcome::Said, SpeechOutcome::NeverEnded, SpeechOutcome::Said,
                SpeechOutcome::NeverEnded, SpeechOutcome::NeverEnded};
    for (const char* path : {"wave/1", "wave/2", "wave/3", "wave/4", "wave/5", "wave/6", "wave/7"})
        EXPECT_EQ(speaker.play(path), SoundResult::Played) << path;
    EXPECT_EQ(said, (Lines{"one", "two", "three", "four", "five", "six"}));
    EXPECT_EQ(recordings, (Lines{"wave/6", "wave/7"}));
    EXPECT_EQ(reports, (Lines{"the service failed on \"one\"; the word was given up",
                              "the system voice did not finish two words in a row; the panel speaks its recorded "
                              "words from now on"}))
        << "a word given up is told once; the second in a row ends the voice";
}

}  // namespace
}  // namespace voxpan
