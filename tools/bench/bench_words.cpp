// How long the panel takes to say a run of words, against the length of the
// recordings: the difference is what the player adds to every word.
//
// usage: bench_words [WAVE_FOLDER]   (default "wave"; SDL_AUDIODRIVER=dummy
// runs it without a sound card)
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/core/word_files.h"
#include "platform/sdl/sdl_sound.h"

namespace {

using Clock = std::chrono::steady_clock;

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

    voxpan::SdlSound sound;
    for (int run = 1; run <= 3; ++run) {
        double smallest = 1e9;
        double largest = -1e9;
        const auto start = Clock::now();
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const auto wordStart = Clock::now();
            sound.play(paths[i]);
            const double extra = millisecondsSince(wordStart) - lengths[i];
            smallest = std::min(smallest, extra);
            largest = std::max(largest, extra);
        }
        const double total = millisecondsSince(start);
        std::printf("run %d%s: %8.1f ms, %+6.1f ms a word (each word %+.1f to %+.1f ms)\n", run,
                    run == 1 ? " (opens the device, loads the words)" : "", total,
                    (total - recorded) / static_cast<double>(words.size()), smallest, largest);
    }
    std::printf("target: under 30 ms a word\n");
    return 0;
}
