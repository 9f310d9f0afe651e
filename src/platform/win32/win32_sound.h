// The recorded words on Windows: each WAV file read and put into the
// output's format once, kept in memory, and played to its end through the
// one output that stays open for the run, before the call returns.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/wave_file.h"
#include "platform/win32/wave_output.h"

namespace voxpan {

class ErrorOutput;

// The file a word path names: ".wav" added when its last part has no
// extension. Windows matches names without regard to case by itself.
std::string soundFileFor(std::string_view path);

class Win32Sound {
public:
    explicit Win32Sound(ErrorOutput& errors, std::unique_ptr<WaveOutput> output = makeWaveOutStream());
    ~Win32Sound();
    Win32Sound(const Win32Sound&) = delete;
    Win32Sound& operator=(const Win32Sound&) = delete;

    // A device that is missing, held by another program or gone is told
    // once (until a word is heard again), the word takes no time, and the
    // next word tries the device again: a headset plugged in later is
    // heard from then on.
    SoundResult play(std::string_view path);

private:
    // The recording in the output's format; nullptr when the file is no WAV
    // this can play.
    const std::vector<std::int16_t>* recording(const std::string& file);
    // Opens the output when it is not open; a failure is told.
    bool outputOpen();
    void tell(unsigned problem, std::string_view line);

    ErrorOutput& errors_;
    std::unique_ptr<WaveOutput> output_;
    bool open_ = false;
    int rate_ = 0;
    int channels_ = 0;
    unsigned told_ = 0;  // the kind of trouble told last, 0 when none
    std::map<std::string, std::vector<std::int16_t>> recordings_;
};

}  // namespace voxpan
