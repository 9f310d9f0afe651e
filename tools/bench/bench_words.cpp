// How long the panel takes to say a run of words, against the length of the
// recordings: the difference is what the player adds to every word. Then the
// gap between two words as the listener hears it: the same run through SDL's
// disk driver, which writes what the device is handed to a file, where the
// silence between the words is counted sample by sample.
//
// usage: bench_words [WAVE_FOLDER]   (default "wave"; SDL_AUDIODRIVER=dummy
// runs the timed part without a sound card)
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/core/word_files.h"
#include "platform/sdl/sdl_sound.h"

namespace {

using Clock = std::chrono::steady_clock;

// The device format SdlSound asks for, which the disk driver grants as asked.
constexpr double kDeviceSamplesPerMillisecond = 48.0;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Length of the recording in milliseconds; negative when SDL cannot read it.
double recordedMilliseconds(const std::string& file) {
    SDL_AudioSpec format{};
    Uint8* samples = nullptr;
    Uint32 bytes = 0;
    if (SDL_LoadWAV(file.c_str(), &format, &samples, &bytes) == nullptr) return -1.0;
    SDL_FreeWAV(samples);
    const int frameBytes = SDL_AUDIO_BITSIZE(format.format) / 8 * format.channels;
    return 1000.0 * bytes / frameBytes / format.freq;
}

// Three runs with the driver in use; after each word, the time it took
// beyond its recording, and the time from the end of one word's play() to
// the end of the next beyond the next's recording: the gap between them.
void timedRuns(const std::vector<std::string>& paths, const std::vector<double>& lengths, double recorded) {
    voxpan::SdlSound sound;
    for (int run = 1; run <= 3; ++run) {
        double smallest = 1e9;
        double largest = -1e9;
        double gaps = 0.0;
        const auto start = Clock::now();
        auto previousEnd = start;
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const auto wordStart = Clock::now();
            sound.play(paths[i]);
            const auto wordEnd = Clock::now();
            const double extra = std::chrono::duration<double, std::milli>(wordEnd - wordStart).count() - lengths[i];
            smallest = std::min(smallest, extra);
            largest = std::max(largest, extra);
            if (i > 0) gaps += std::chrono::duration<double, std::milli>(wordEnd - previousEnd).count() - lengths[i];
            previousEnd = wordEnd;
        }
        const double total = millisecondsSince(start);
        std::printf("run %d%s: %8.1f ms, %+6.1f ms a word (each word %+.1f to %+.1f ms), gap %+.1f ms\n", run,
                    run == 1 ? " (opens the device, loads the words)" : "", total,
                    (total - recorded) / static_cast<double>(paths.size()), smallest, largest,
                    gaps / static_cast<double>(paths.size() - 1));
    }
}

// The run once more through the disk driver: the sound handed to the device
// from the first word's start to the last one's end, against the recordings.
void gapsInTheSound(const std::vector<std::string>& paths, double recorded) {
    const std::string file =
        (std::filesystem::temp_directory_path() / ("bench_words_" + std::to_string(::getpid()) + ".raw")).string();
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    ::unsetenv("SDL_DISKAUDIODELAY");  // one buffer in its own time
    const auto start = Clock::now();
    {
        voxpan::SdlSound sound;
        for (const std::string& path : paths) sound.play(path);
    }
    const double taken = millisecondsSince(start);
    std::ifstream in(file, std::ios::binary);
    std::vector<std::int16_t> samples;
    for (std::int16_t sample = 0; in.read(reinterpret_cast<char*>(&sample), sizeof sample);) samples.push_back(sample);
    std::filesystem::remove(file);

    const auto first = std::find_if(samples.begin(), samples.end(), [](std::int16_t s) { return s != 0; });
    const auto last = std::find_if(samples.rbegin(), samples.rend(), [](std::int16_t s) { return s != 0; }).base();
    if (first >= last) {
        std::printf("gap between words: the disk driver was handed only silence\n");
        return;
    }
    const double heard = static_cast<double>(last - first) / kDeviceSamplesPerMillisecond;
    std::printf("through the disk driver: %.1f ms of sound from the first word's start to the last one's end,\n"
                "  in %.1f ms by the clock (what the driver's own pace adds, the device closing included)\n",
                heard, taken);
    std::printf("gap between words in that sound: %+.1f ms on average (target: under 5 ms)\n",
                (heard - recorded) / static_cast<double>(paths.size() - 1));
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "wave";
    // A frequency read out, its mode, and the confirmation.
    const std::vector<std::string> words = {"1", "4", "5", "point", "0", "1", "2", "5", "FM", "ok"};

    std::vector<std::string> paths;
    std::vector<double> lengths;
    double recorded = 0.0;
    for (const std::string& word : words) {
        const std::string path = folder + "/" + word;
        const std::string file = voxpan::resolveSoundFile(path);
        const double length = file.empty() ? -1.0 : recordedMilliseconds(file);
        if (length < 0.0) {
            std::fprintf(stderr, "bench_words: no readable recording for \"%s\" in %s\n", word.c_str(),
                         folder.c_str());
            return 1;
        }
        paths.push_back(path);
        lengths.push_back(length);
        recorded += length;
    }

    const char* driver = SDL_getenv("SDL_AUDIODRIVER");
    std::printf("%zu words from %s, audio driver %s\n", words.size(), folder.c_str(),
                driver != nullptr ? driver : "(SDL's choice)");
    std::printf("recorded length: %8.1f ms\n", recorded);
    timedRuns(paths, lengths, recorded);
    std::printf("target: under 30 ms a word\n");
    gapsInTheSound(paths, recorded);
    return 0;
}
