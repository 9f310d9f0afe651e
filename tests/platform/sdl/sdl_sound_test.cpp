#include "platform/sdl/sdl_sound.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace voxpan {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

void putLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A PCM WAV holding the given sample bytes.
void writeWav(const fs::path& file, int rate, int bits, int channels, const std::string& data) {
    const std::uint32_t blockAlign = static_cast<std::uint32_t>(channels * bits / 8);
    const auto dataBytes = static_cast<std::uint32_t>(data.size());
    std::ofstream out(file, std::ios::binary);
    out.write("RIFF", 4);
    putLittleEndian(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    putLittleEndian(out, 16, 4);  // size of the format block
    putLittleEndian(out, 1, 2);   // PCM
    putLittleEndian(out, static_cast<std::uint32_t>(channels), 2);
    putLittleEndian(out, static_cast<std::uint32_t>(rate), 4);
    putLittleEndian(out, static_cast<std::uint32_t>(rate) * blockAlign, 4);
    putLittleEndian(out, blockAlign, 2);
    putLittleEndian(out, static_cast<std::uint32_t>(bits), 2);
    out.write("data", 4);
    putLittleEndian(out, dataBytes, 4);
    out << data;
}

// A PCM WAV of `frames` frames, every sample at the format's silence.
void writeSilentWav(const fs::path& file, int rate, int bits, int channels, int frames) {
    writeWav(file, rate, bits, channels, std::string(channels * bits / 8 * frames, bits == 8 ? '\x80' : '\0'));
}

// 16-bit samples that belong to one word alone, none of them silent.
std::string markedSamples(int word, int frames) {
    std::string bytes;
    for (int i = 0; i < frames; ++i) {
        const int value = word * 10000 + i % 5000 + 1;
        bytes += {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    }
    return bytes;
}

class SdlSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Without a sound card: SDL's dummy driver (the test runner sets it).
        ::setenv("SDL_AUDIODRIVER", "dummy", 0);
        driver_ = std::getenv("SDL_AUDIODRIVER");
        std::random_device seed;
        folder_ = fs::temp_directory_path() /
                  ("voxpan_sound_" + std::to_string(::getpid()) + "_" + std::to_string(seed()));
        fs::create_directories(folder_);
    }

    void TearDown() override {
        ::setenv("SDL_AUDIODRIVER", driver_.c_str(), 1);
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    std::string file(const std::string& name) const { return (folder_ / name).string(); }

    static Seconds timePlaying(SdlSound& sound, const std::string& path) {
        const auto start = Clock::now();
        sound.play(path);
        return Clock::now() - start;
    }

    fs::path folder_;
    std::string driver_;
};

// Generous bound: only a hang or a wait for some time-out fails it.
constexpr double kAtOnce = 1.0;
// play() may return this much before the end of the word.
constexpr double kAhead = SdlSound::kReturnsAheadMilliseconds / 1000.0;

// --- nothing to play -------------------------------------------------------------

TEST_F(SdlSoundTest, MissingFileReturnsAtOnceWithoutOpeningTheDevice) {
    SdlSound sound;
    EXPECT_LT(timePlaying(sound, file("nothing")).count(), kAtOnce);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "audio must open only for a file that exists";
}

TEST_F(SdlSoundTest, EmptyPathReturnsAtOnce) {
    SdlSound sound;
    EXPECT_LT(timePlaying(sound, "").count(), kAtOnce);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

TEST_F(SdlSoundTest, ConstructingDoesNotStartAudio) {
    // The audio thread must start after the window has blocked its signals.
    SdlSound sound;
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

TEST_F(SdlSoundTest, CorruptRecordingsPlayNothing) {
    std::mt19937 random(8600);
    std::string noise(4000, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    std::ofstream(file("noise.wav"), std::ios::binary) << noise;
    std::ofstream(file("header.wav"), std::ios::binary) << std::string("RIFF\x24\0\0\0WAVEfmt ", 16);
    std::ofstream(file("empty.wav"), std::ios::binary) << "";
    writeSilentWav(folder_ / "tiny.wav", 8000, 16, 1, 1);

    SdlSound sound;
    for (const char* name : {"noise", "header", "empty", "tiny", "noise"}) {
        EXPECT_LT(timePlaying(sound, file(name)).count(), kAtOnce) << name;
    }
}

TEST_F(SdlSoundTest, FolderInsteadOfARecordingPlaysNothing) {
    fs::create_directory(folder_ / "dir.wav");
    SdlSound sound;
    EXPECT_LT(timePlaying(sound, file("dir")).count(), kAtOnce);
}

// --- playing to the end ----------------------------------------------------------

TEST_F(SdlSoundTest, ReturnsOnlyWhenTheRecordingHasSounded) {
    writeSilentWav(folder_ / "pause.wav", 8000, 16, 1, 2400);  // 0.3 s
    SdlSound sound;
    const Seconds taken = timePlaying(sound, file("pause"));
    EXPECT_GE(taken.count(), 0.3 - kAhead) << "the word was cut short";
    EXPECT_LT(taken.count(), 0.3 + kAtOnce) << "the end of the word was missed; play waited for its time-out";
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u) << "playing must not need the video subsystem";
}

TEST_F(SdlSoundTest, RecordingOfAnotherFormatPlaysToo) {
    writeSilentWav(folder_ / "old.wav", 11025, 8, 1, 3308);  // 0.3 s, 8-bit
    writeSilentWav(folder_ / "stereo.wav", 44100, 16, 2, 13230);
    SdlSound sound;
    EXPECT_GE(timePlaying(sound, file("old.wav")).count(), 0.3 - kAhead) << "8-bit 11025 Hz";
    EXPECT_GE(timePlaying(sound, file("stereo.wav")).count(), 0.3 - kAhead) << "16-bit stereo 44100 Hz";
}

TEST_F(SdlSoundTest, SameWordPlaysFullyEveryTime) {
    writeSilentWav(folder_ / "seven.wav", 22050, 16, 1, 4410);  // 0.2 s
    SdlSound sound;
    for (int time = 1; time <= 3; ++time) {
        EXPECT_GE(timePlaying(sound, file("seven")).count(), 0.2 - kAhead) << "play number " << time;
    }
}

TEST_F(SdlSoundTest, FindsTheRecordingWithoutRegardToCase) {
    writeSilentWav(folder_ / "fm.wav", 8000, 16, 1, 1600);  // 0.2 s
    SdlSound sound;
    EXPECT_GE(timePlaying(sound, file("FM")).count(), 0.2 - kAhead);
}

TEST_F(SdlSoundTest, WordsInARowFollowEachOther) {
    writeSilentWav(folder_ / "one.wav", 22050, 16, 1, 2205);  // 0.1 s each
    SdlSound sound;
    const auto start = Clock::now();
    for (int word = 0; word < 5; ++word) sound.play(file("one"));
    EXPECT_GE(Seconds(Clock::now() - start).count(), 0.5 - kAhead) << "a word was cut short";
}

// --- no sound device -------------------------------------------------------------

TEST_F(SdlSoundTest, WithoutASoundDevicePlaysNothingAndTriesOnlyOnce) {
    const char* previous = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = previous != nullptr ? previous : "";
    ::setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    writeSilentWav(folder_ / "pause.wav", 8000, 16, 1, 2400);
    {
        SdlSound sound;
        testing::internal::CaptureStderr();
        const Seconds first = timePlaying(sound, file("pause"));
        const Seconds second = timePlaying(sound, file("pause"));
        const std::string complaints = testing::internal::GetCapturedStderr();
        EXPECT_LT(first.count(), 0.3) << "nothing can sound without a device";
        EXPECT_LT(second.count(), 0.3);
        EXPECT_EQ(std::count(complaints.begin(), complaints.end(), '\n'), 1)
            << "one line about the missing device, and no second attempt: " << complaints;
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "a failed audio start must be wound back";
    }
    ::setenv("SDL_AUDIODRIVER", saved.empty() ? "dummy" : saved.c_str(), 1);
}

// --- what the device is handed -----------------------------------------------------

TEST_F(SdlSoundTest, WordsReachTheDeviceWholeAndOneRightAfterTheOther) {
    // SDL's disk driver writes every buffer the device is handed to a file; here one buffer every 100 ms, time
    // enough for the next word to be queued even on a busy machine.
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", file("device.raw").c_str(), 1);
    ::setenv("SDL_DISKAUDIODELAY", "100", 1);
    // The device's own format, 48 kHz 16-bit mono, so that the samples reach
    // it unchanged; lengths that end inside a buffer. Word 0 is said twice.
    const int frames[] = {1250, 700, 2030};
    for (int i = 0; i < 3; ++i) writeWav(file(std::to_string(i) + ".wav"), 48000, 16, 1, markedSamples(i, frames[i]));
    std::string said;
    {
        SdlSound sound;
        for (int i : {0, 1, 2, 0}) {
            ASSERT_EQ(sound.play(file(std::to_string(i))), SoundResult::Played);
            said += markedSamples(i, frames[i]);
        }
    }  // closing right after the last word: it must still sound to its end

    std::ifstream device(file("device.raw"), std::ios::binary);
    const std::string handed((std::istreambuf_iterator<char>(device)), std::istreambuf_iterator<char>());
    const std::size_t start = handed.find_first_not_of('\0');
    ASSERT_NE(start, std::string::npos) << "the device was handed only silence";
    const auto unchanged = std::mismatch(said.begin(), said.end(), handed.begin() + start, handed.end()).first;
    EXPECT_EQ(unchanged - said.begin(), said.end() - said.begin()) << "the words did not reach it as said back to back";
    EXPECT_EQ(handed.find_first_not_of('\0', start + said.size()), std::string::npos) << "sound after the words";
}

}  // namespace
}  // namespace voxpan
