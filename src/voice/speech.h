// The panel's voice: every action is confirmed by short recorded words,
// each played to its end before the panel goes on.
#pragma once

#include <cstdint>
#include <string_view>

#include "panel/panel_state.h"

namespace voxpan {

// The folder of recorded words, relative to the working folder.
inline constexpr std::string_view kWordFolder = "wave/";

// Plays the recording at the path to its end; an empty path plays nothing.
void playWord(Panel& panel, std::string_view path);
// A word from the speech folder: silent when speech is muted.
void speakWord(Panel& panel, std::string_view word);
// A sound that plays even when speech is muted ("shdel", the pause).
void speakEffect(Panel& panel, std::string_view word);
// A sound that also paces the receiver: it takes at least the given time,
// whether it was heard or not (no sound device, a missing recording).
void speakEffectFor(Panel& panel, std::string_view word, std::int64_t milliseconds);
// The length of the recording "shdel".
inline constexpr std::int64_t kPauseMilliseconds = 100;
// The pause between two commands to the receiver: the recording "shdel",
// which plays even when speech is muted, and lasts as long when it cannot.
void pauseBetweenCommands(Panel& panel);
// Reads frequencyText out digit by digit, trimming its trailing zeros.
void speakFrequency(Panel& panel);
// Says the word for modeText, if it is one of the known modes.
void speakModeText(Panel& panel);
// Says a channel's name with the system voice; the recorded words cannot,
// and an empty name says nothing.
void speakName(Panel& panel, std::string_view name);
// Says a count as its decimal digits, one word each: 7 is "7", 12 is "1",
// "2", 123 is "1", "2", "3".
void speakCount(Panel& panel, std::int32_t count);

}  // namespace voxpan
