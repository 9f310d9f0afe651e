#include "platform/sdl/sdl_sound.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/core/word_files.h"

namespace voxpan {

namespace {

// 480 frames at 48 kHz is 10 ms a buffer. The end of a word is noticed within
// three buffers of its last sample (about two on average), and SDL's dummy
// driver, which sleeps whole milliseconds per buffer, keeps real time at it.
constexpr int kDeviceRate = 48000;
constexpr Uint16 kDeviceFrames = 480;

// A word whose end never comes (the device stopped calling back) is given up
// this long after it should have ended.
constexpr std::chrono::seconds kGiveUpAfter{2};

}  // namespace

struct SdlSound::Impl {
    enum class Device { NotOpened, Open, Failed };

    Device device = Device::NotOpened;
    SDL_AudioDeviceID deviceId = 0;
    SDL_AudioSpec deviceFormat{};
    // Recordings converted to the device format, by real path: the panel
    // says the same few dozen words all the time.
    std::unordered_map<std::string, std::vector<Uint8>> recordings;

    // Shared with the audio thread.
    std::mutex mutex;
    std::condition_variable ended;
    const Uint8* samples = nullptr;
    std::size_t length = 0;
    std::size_t position = 0;
    bool sounding = false;

    ~Impl() {
        if (device != Device::Open) return;
        SDL_CloseAudioDevice(deviceId);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool openDevice() {
        if (device == Device::NotOpened) device = tryOpen() ? Device::Open : Device::Failed;
        return device == Device::Open;
    }

    bool tryOpen() {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            std::fprintf(stderr, "voxpan: no sound, the words will not be heard: %s\n", SDL_GetError());
            return false;
        }
        SDL_AudioSpec wanted{};
        wanted.freq = kDeviceRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 1;
        wanted.samples = kDeviceFrames;
        wanted.callback = &Impl::feed;
        wanted.userdata = this;
        // The buffer size stays as asked: the end of a word is detected by
        // the device asking for the buffer after its last one.
        deviceId = SDL_OpenAudioDevice(nullptr, 0, &wanted, &deviceFormat,
                                       SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_FORMAT_CHANGE |
                                           SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
        if (deviceId == 0) {
            std::fprintf(stderr, "voxpan: no sound device, the words will not be heard: %s\n",
                         SDL_GetError());
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        SDL_PauseAudioDevice(deviceId, 0);
        return true;
    }

    // Runs on SDL's audio thread.
    static void SDLCALL feed(void* userdata, Uint8* stream, int streamLength) {
        Impl& self = *static_cast<Impl*>(userdata);
        const auto room = static_cast<std::size_t>(std::max(streamLength, 0));
        std::size_t given = 0;
        {
            std::lock_guard lock(self.mutex);
            if (self.sounding) {
                if (self.position >= self.length) {
                    // The buffer holding the last sample has gone to the device.
                    self.sounding = false;
                    self.ended.notify_all();
                } else {
                    given = std::min(room, self.length - self.position);
                    std::memcpy(stream, self.samples + self.position, given);
                    self.position += given;
                }
            }
        }
        std::memset(stream + given, self.deviceFormat.silence, room - given);
    }

    // The recording in the device format; nullptr when the file is no WAV
    // SDL can read or convert.
    const std::vector<Uint8>* recording(const std::string& file) {
        auto cached = recordings.find(file);
        if (cached != recordings.end()) return &cached->second;
        std::optional<std::vector<Uint8>> converted = load(file);
        if (!converted) return nullptr;
        return &recordings.emplace(file, std::move(*converted)).first->second;
    }

    std::optional<std::vector<Uint8>> load(const std::string& file) const {
        SDL_AudioSpec fileFormat{};
        Uint8* buffer = nullptr;
        Uint32 bufferLength = 0;
        if (SDL_LoadWAV(file.c_str(), &fileFormat, &buffer, &bufferLength) == nullptr) return std::nullopt;
        std::optional<std::vector<Uint8>> result = convert(fileFormat, buffer, bufferLength);
        SDL_FreeWAV(buffer);
        return result;
    }

    std::optional<std::vector<Uint8>> convert(const SDL_AudioSpec& from, const Uint8* data,
                                              Uint32 dataLength) const {
        const int frameBytes = static_cast<int>(SDL_AUDIO_BITSIZE(from.format) / 8) * from.channels;
        if (frameBytes <= 0) return std::nullopt;
        const int whole = static_cast<int>(std::min<Uint32>(dataLength, SDL_MAX_SINT32)) / frameBytes * frameBytes;
        // SDL_AudioCVT rather than SDL_AudioStream: the stream of SDL 2.26
        // keeps back the last few hundred samples even when flushed.
        SDL_AudioCVT cvt;
        const int needed = SDL_BuildAudioCVT(&cvt, from.format, from.channels, from.freq, deviceFormat.format,
                                             deviceFormat.channels, deviceFormat.freq);
        if (needed < 0 || cvt.len_mult <= 0 || whole > SDL_MAX_SINT32 / cvt.len_mult) return std::nullopt;
        std::vector<Uint8> converted(static_cast<std::size_t>(whole) * static_cast<std::size_t>(cvt.len_mult));
        std::memcpy(converted.data(), data, static_cast<std::size_t>(whole));
        cvt.buf = converted.data();
        cvt.len = whole;
        if (needed > 0 && SDL_ConvertAudio(&cvt) != 0) return std::nullopt;
        converted.resize(needed > 0 ? static_cast<std::size_t>(cvt.len_cvt) : static_cast<std::size_t>(whole));
        return converted;
    }

    std::chrono::microseconds lengthOf(std::size_t bytes) const {
        const std::size_t frameBytes = SDL_AUDIO_BITSIZE(deviceFormat.format) / 8 * deviceFormat.channels;
        const auto frames = static_cast<long long>(bytes / std::max<std::size_t>(frameBytes, 1));
        return std::chrono::microseconds(frames * 1'000'000 / std::max(deviceFormat.freq, 1));
    }

    void playToEnd(const std::vector<Uint8>& recording) {
        const auto giveUp = std::chrono::steady_clock::now() + lengthOf(recording.size()) + kGiveUpAfter;
        std::unique_lock lock(mutex);
        samples = recording.data();
        length = recording.size();
        position = 0;
        sounding = true;
        if (!ended.wait_until(lock, giveUp, [this] { return !sounding; })) sounding = false;
    }
};

SdlSound::SdlSound() : impl_(std::make_unique<Impl>()) {}

SdlSound::~SdlSound() = default;

SoundResult SdlSound::play(std::string_view path) {
    try {
        const std::string file = resolveSoundFile(path);
        if (file.empty()) return SoundResult::NoRecording;
        if (!impl_->openDevice()) return SoundResult::NoDevice;
        const std::vector<Uint8>* recording = impl_->recording(file);
        if (recording == nullptr || recording->empty()) return SoundResult::Unplayable;
        impl_->playToEnd(*recording);
        return SoundResult::Played;
    } catch (const std::exception& error) {
        // Out of memory for a recording: the word is skipped, the panel goes on.
        std::fprintf(stderr, "voxpan: cannot play %.*s: %s\n", static_cast<int>(path.size()), path.data(),
                     error.what());
        return SoundResult::Unplayable;
    }
}

}  // namespace voxpan
