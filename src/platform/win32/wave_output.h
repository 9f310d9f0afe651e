// One sound output for the whole run, that the recorded words are played
// through one after another. Opening an output for every word (as PlaySound
// does) clips the start of each word on outputs that sleep between streams:
// Bluetooth, HDMI and many USB headsets.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace voxpan {

// The seam between the words and the system's output; the codes are
// waveOut's MMRESULT (0 is MMSYSERR_NOERROR).
class WaveOutput {
public:
    virtual ~WaveOutput() = default;
    // Opens the output for 16-bit samples at the rate and channels; the
    // output then sounds silence until a word comes.
    virtual unsigned open(int rate, int channels) = 0;
    // Plays the samples, in the format opened, and returns when the last
    // of them has been heard; a nonzero code when the output failed.
    virtual unsigned play(const std::vector<std::int16_t>& samples) = 0;
    virtual void close() = 0;
};

// The default output through waveOut, fed by a thread of its own as the
// Linux panel's SDL output is.
std::unique_ptr<WaveOutput> makeWaveOutStream();

}  // namespace voxpan
