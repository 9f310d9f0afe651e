// The panel's words, spoken either by their recordings or by the system's
// own voice. Every platform plays its words through one of these, so that
// the choice, and falling back to the recordings when the service fails,
// behave alike on Linux and Windows.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/system_voice.h"
#include "platform/platform.h"

namespace voxpan {

class WordSpeaker {
public:
    using RecordingPlayer = std::function<SoundResult(std::string_view path)>;
    // Connects to the system's speech service at the pace; nothing, with
    // `problem` set, when it cannot.
    using VoiceOpener = std::function<std::unique_ptr<SystemVoice>(SpeechPace pace, std::string& problem)>;
    using Reporter = std::function<void(std::string_view line)>;

    WordSpeaker(RecordingPlayer playRecording, VoiceOpener openVoice, Reporter report);

    bool useSystemVoice(SpeechPace pace);
    // A word path as the panel names it: the system voice says the word's
    // phrase while it is in use, else (and for the tone, the pause and
    // muted words) the recording plays.
    SoundResult play(std::string_view path);
    // A text without a recording: false when only recordings speak.
    bool say(std::string_view text);

private:
    // False once the voice is gone: the caller falls back to a recording.
    bool speak(std::string_view text);

    RecordingPlayer playRecording_;
    VoiceOpener openVoice_;
    Reporter report_;
    std::unique_ptr<SystemVoice> voice_;
    bool toldNeverEnded_ = false;
    bool lastNeverEnded_ = false;
};

}  // namespace voxpan
