// The recorded words as samples: a WAV file read once into 16-bit samples,
// and put into the one format the sound output was opened with, so that
// every word can go to the same open output.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace voxpan {

struct PcmSound {
    int rate = 0;      // frames a second
    int channels = 0;  // 1 or 2
    std::vector<std::int16_t> samples;  // the channels of each frame in turn
};

// The sound of a RIFF WAVE file: PCM of 8, 16, 24 or 32 bits or 32-bit
// floating point, one or two channels (WAVE_FORMAT_EXTENSIBLE too).
// Nothing for anything else, or a file cut short before its sound.
std::optional<PcmSound> decodeWav(std::string_view bytes);

// The sound at another rate (linear between the samples) and number of
// channels (two mixed into one, or one given to both).
PcmSound convertedTo(const PcmSound& sound, int rate, int channels);

}  // namespace voxpan
