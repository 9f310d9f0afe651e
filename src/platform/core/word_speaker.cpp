#include "platform/core/word_speaker.h"

#include <utility>

#include "platform/core/word_phrases.h"

namespace voxpan {

namespace {

constexpr std::string_view kRecordingsFromNowOn = "; the panel speaks its recorded words from now on";

}  // namespace

WordSpeaker::WordSpeaker(RecordingPlayer playRecording, VoiceOpener openVoice, Reporter report)
    : playRecording_(std::move(playRecording)), openVoice_(std::move(openVoice)), report_(std::move(report)) {}

bool WordSpeaker::useSystemVoice(SpeechPace pace) {
    std::string problem;
    voice_ = openVoice_ ? openVoice_(pace, problem) : nullptr;
    if (!voice_) {
        if (problem.empty()) problem = "this panel was built without one";
        report_("no system voice: " + problem + kRecordingsFromNowOn.data());
        return false;
    }
    return true;
}

bool WordSpeaker::speak(std::string_view text) {
    std::string problem;
    switch (voice_->say(text, problem)) {
        case SpeechOutcome::Said:
            lastNeverEnded_ = false;
            return true;
        case SpeechOutcome::NeverEnded:
            // A synthesiser that is stuck would cost every word the whole
            // bound: the second word in a row that never ends gives it up.
            if (lastNeverEnded_) {
                problem = "the system voice did not finish two words in a row";
                break;
            }
            lastNeverEnded_ = true;
            if (!toldNeverEnded_) report_(problem + "; the word was given up");
            toldNeverEnded_ = true;
            return true;
        case SpeechOutcome::Gone:
            break;
    }
    report_(problem + kRecordingsFromNowOn.data());
    voice_.reset();
    return false;
}

SoundResult WordSpeaker::play(std::string_view path) {
    if (voice_) {
        const std::optional<std::string_view> phrase = phraseOfWord(wordOfPath(path));
        // The word that found the voice gone is heard all the same.
        if (phrase && speak(*phrase)) return SoundResult::Played;
    }
    return playRecording_(path);
}

bool WordSpeaker::say(std::string_view text) { return voice_ && speak(text); }

}  // namespace voxpan
