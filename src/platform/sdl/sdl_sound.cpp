#include "platform/sdl/sdl_sound.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/core/word_files.h"

namespace voxpan {

namespace {

// Buffers of 10 ms: short enough that play() returns little before a word's
// end, and SDL's dummy driver, which sleeps whole milliseconds per buffer,
// keeps real time at it.
constexpr int kDeviceRate = 48000;
constexpr Uint16 kDeviceFrames = kDeviceRate / 1000 * SdlSound::kBufferMilliseconds;

// A word whose end never comes (the device stopped calling back) is given up
// this long after it should have ended.
constexpr std::chrono::seconds kGiveUpAfter{2};

// A word, or what is left of it, waiting to be handed to the device.
struct QueuedWord {
    const Uint8* samples;
    std::size_t length;
};

}  // namespace

struct SdlSound::Impl {
    enum class Device { NotOpened, Open, Failed };

    Device device = Device::NotOpened;
    SDL_AudioDeviceID deviceId = 0;
    SDL_AudioSpec deviceFormat{};
    // Recordings converted to the device format, by real path: the panel
    // says the same few dozen words all the time.
    std::unordered_map<std::string, std::vector<Uint8>> recordings;

    // Shared with the audio thread: the words not yet wholly handed to the
    // device, in order. The next word is queued while the device still has
    // the last buffer of the one before to ask for, so that the two meet
    // inside one buffer without a gap.
    std::mutex mutex;
    std::condition_variable handedOut;
    std::deque<QueuedWord> queue;
    std::size_t queuedBytes = 0;
    std::size_t bufferBytes = 0;
    std::uint64_t buffersHandedOut = 0;

    ~Impl() {
        if (device != Device::Open) return;
        drain();
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
        // The buffer size stays as asked: it bounds how early play() returns.
        deviceId = SDL_OpenAudioDevice(nullptr, 0, &wanted, &deviceFormat,
                                       SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_FORMAT_CHANGE |
                                           SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
        if (deviceId == 0) {
            std::fprintf(stderr, "voxpan: no sound device, the words will not be heard: %s\n",
                         SDL_GetError());
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        bufferBytes = deviceFormat.size;
        SDL_PauseAudioDevice(deviceId, 0);
        return true;
    }

    // Runs on SDL's audio thread: fills the buffer from the queued words, one
    // running on into the next, and the rest with silence.
    static void SDLCALL feed(void* userdata, Uint8* stream, int streamLength) {
        Impl& self = *static_cast<Impl*>(userdata);
        const auto room = static_cast<std::size_t>(std::max(streamLength, 0));
        std::size_t given = 0;
        {
            std::lock_guard lock(self.mutex);
            while (given < room && !self.queue.empty()) {
                QueuedWord& word = self.queue.front();
                const std::size_t part = std::min(room - given, word.length);
                std::memcpy(stream + given, word.samples, part);
                given += part;
                word.samples += part;
                word.length -= part;
                if (word.length == 0) self.queue.pop_front();
            }
            self.queuedBytes -= given;
            self.bufferBytes = room;
            ++self.buffersHandedOut;
        }
        self.handedOut.notify_all();
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

    // Queues the word and returns once no more of it is left than the device
    // takes in its next buffer, where the next word can follow on.
    void playToEnd(const std::vector<Uint8>& recording) {
        std::unique_lock lock(mutex);
        queue.push_back({recording.data(), recording.size()});
        queuedBytes += recording.size();
        const auto giveUp = std::chrono::steady_clock::now() + lengthOf(queuedBytes) + kGiveUpAfter;
        if (!handedOut.wait_until(lock, giveUp, [this] { return queuedBytes <= bufferBytes; })) forget();
    }

    // Before the device closes: the words queued have been handed out, and
    // the device has asked for the buffer after the last of them. A device
    // that is gone (unplugged) asks for nothing more.
    void drain() {
        if (SDL_GetAudioDeviceStatus(deviceId) != SDL_AUDIO_PLAYING) return;
        std::unique_lock lock(mutex);
        const auto giveUp = std::chrono::steady_clock::now() + lengthOf(queuedBytes) + kGiveUpAfter;
        const bool emptied = handedOut.wait_until(lock, giveUp, [this] { return queuedBytes == 0; });
        const std::uint64_t lastBuffer = buffersHandedOut;
        if (!emptied || !handedOut.wait_until(lock, giveUp, [&] { return buffersHandedOut > lastBuffer; })) forget();
    }

    // The device stopped calling back: its words are dropped rather than
    // said long after they were meant.
    void forget() {
        queue.clear();
        queuedBytes = 0;
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
