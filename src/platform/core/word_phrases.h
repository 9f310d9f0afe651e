// What each recorded word stands for, as a speech service is to say it: the
// words table the recordings are made from.
#pragma once

#include <optional>
#include <string_view>

namespace voxpan {

// The phrase of the word ("receiver not connected" for "rnc"), the word's
// letter case and a ".wav" ending ignored ("fm.wav" is "F M"). Nothing for
// a word not in the table, and for the sounds that are no speech (the tone
// "beep", the pause "shdel"): they stay recordings.
std::optional<std::string_view> phraseOfWord(std::string_view word);

// The word a path of the panel names: its last part, without ".wav".
// Empty for a path without a folder: a word of muted speech.
std::string_view wordOfPath(std::string_view path);

}  // namespace voxpan
