#include "platform/win32/win32_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "platform/win32/error_output.h"

namespace voxpan {

std::string soundFileFor(std::string_view path) {
    if (path.empty() || path.find('\0') != std::string_view::npos) return {};
    const std::size_t lastPart = path.find_last_of("/\\:");
    const std::string_view name = lastPart == std::string_view::npos ? path : path.substr(lastPart + 1);
    if (name.empty()) return {};
    std::string file(path);
    if (name.find('.') == std::string_view::npos) file += ".wav";
    return file;
}

SoundResult Win32Sound::play(std::string_view path) {
    const std::string file = soundFileFor(path);
    if (file.empty()) return SoundResult::NoRecording;
    const DWORD attributes = GetFileAttributesA(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return SoundResult::NoRecording;
    // Asked every time: a headset plugged in later is heard from then on.
    if (waveOutGetNumDevs() == 0) {
        if (!noDeviceTold_) errors_.line("voxpan: no sound device, the words will not be heard");
        noDeviceTold_ = true;
        return SoundResult::NoDevice;
    }
    // Synchronous: the call returns when the word has been heard. No default
    // sound stands in for a file the player cannot read.
    if (!PlaySoundA(file.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT | SND_SYNC)) return SoundResult::Unplayable;
    return SoundResult::Played;
}

}  // namespace voxpan
