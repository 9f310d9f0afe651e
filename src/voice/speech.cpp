#include "voice/speech.h"

#include <array>
#include <cstdlib>
#include <string>
#include <utility>

#include "panel/receiver_modes.h"

namespace voxpan {

namespace {

// A path without a folder is a word of muted speech, looked for where no
// recording is kept on purpose: not worth a message.
void reportSilentWord(Panel& panel, std::string_view path, SoundResult result) {
    const std::size_t separator = path.find_last_of("/\\");
    if (separator == std::string_view::npos) return;
    if (!panel.reportedRecordings.insert(std::string(path)).second) return;
    const std::string_view word = path.substr(separator + 1);
    const std::string file = std::string(path) + (word.find('.') == std::string_view::npos ? ".wav" : "");
    if (result == SoundResult::NoRecording) {
        panel.io.reportProblem("the word " + quotedForMessage(word) + " is not heard: there is no recording " + file);
    } else {
        panel.io.reportProblem("the word " + quotedForMessage(word) + " is not heard: " + file +
                               " is no WAV recording that can be played");
    }
}

}  // namespace

void playWord(Panel& panel, std::string_view path) {
    if (path.empty()) return;
    const SoundResult result = panel.io.playSound(path);
    if (result == SoundResult::NoRecording || result == SoundResult::Unplayable) reportSilentWord(panel, path, result);
}

void speakWord(Panel& panel, std::string_view word) { playWord(panel, panel.speechFolder + word); }

void speakEffect(Panel& panel, std::string_view word) { playWord(panel, panel.effectsFolder + word); }

void speakEffectFor(Panel& panel, std::string_view word, std::int64_t milliseconds) {
    const std::int64_t start = panel.io.steadyMilliseconds();
    speakEffect(panel, word);
    const std::int64_t left = milliseconds - (panel.io.steadyMilliseconds() - start);
    if (left > 0) panel.io.sleepMilliseconds(static_cast<int>(left));
}

void pauseBetweenCommands(Panel& panel) { speakEffectFor(panel, "shdel", kPauseMilliseconds); }

void speakFrequency(Panel& panel) {
    if (panel.searchState == kSearching) speakWord(panel, "srching");
    std::string trimmed = panel.frequencyText.str();
    if (findText(trimmed, ".") > 0) {
        while (!trimmed.empty() && trimmed.back() == '0') trimmed.pop_back();
        if (!trimmed.empty() && trimmed.back() == '.') trimmed += "0";
    }
    panel.frequencyText = trimmed;
    for (char c : panel.frequencyText.str()) speakWord(panel, c == '.' ? "point" : std::string(1, c));
}

void speakModeText(Panel& panel) {
    panel.frequencyText = panel.modeText;
    if (const ReceiverMode* mode = modeOfText(panel.frequencyText)) {
        speakWord(panel, mode->readOutWord);
        return;
    }
    // The attenuator's states, read out as a mode would be.
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 2> kAttenuatorWords{{
        {"ATT ON", "atton.wav"},
        {"ATT OFF", "attoff.wav"},
    }};
    for (const auto& [state, word] : kAttenuatorWords) {
        if (panel.frequencyText == state) {
            speakWord(panel, word);
            return;
        }
    }
}

void speakName(Panel& panel, std::string_view name) {
    if (!name.empty()) panel.io.sayText(name);
}

void speakCount(Panel& panel, std::int32_t count) {
    for (char digit : std::to_string(std::llabs(static_cast<long long>(count))))
        speakWord(panel, std::string(1, digit));
}

}  // namespace voxpan
