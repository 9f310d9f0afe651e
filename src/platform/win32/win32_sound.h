// The recorded words on Windows: each WAV file played to its end by the
// system's own player before the call returns.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace voxpan {

class ErrorOutput;

// The file a word path names: ".wav" added when its last part has no
// extension. Windows matches names without regard to case by itself.
std::string soundFileFor(std::string_view path);

class Win32Sound {
public:
    explicit Win32Sound(ErrorOutput& errors) : errors_(errors) {}
    SoundResult play(std::string_view path);

private:
    ErrorOutput& errors_;
    bool noDeviceTold_ = false;
};

}  // namespace voxpan
