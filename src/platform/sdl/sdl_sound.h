// Synchronous playing of the recorded words through SDL2 audio.
#pragma once

#include <memory>
#include <string_view>

#include "platform/platform.h"

namespace voxpan {

class SdlSound {
public:
    SdlSound();
    ~SdlSound();
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    // The device takes the sound in buffers of this length. play() returns
    // while the device still has the last buffer or two of the word to play,
    // so that the next word follows on in the same buffer without a gap:
    // up to kReturnsAheadMilliseconds before the word has finished sounding.
    // Closing waits for the last word to sound to its end.
    static constexpr int kBufferMilliseconds = 10;
    static constexpr int kReturnsAheadMilliseconds = 2 * kBufferMilliseconds;

    // Plays the WAV at the path and returns when it has finished sounding
    // (but for its last buffers, above). ".wav" is added when the name has
    // no extension; each part of the path is matched without regard to
    // case. A missing, unreadable or corrupt file, an empty path or no sound
    // device plays nothing and returns at once; the result says which.
    SoundResult play(std::string_view path);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace voxpan
