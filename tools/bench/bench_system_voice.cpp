// How soon the system voice starts a word: from the panel asking for it to
// speech-dispatcher telling that it began to speak it, over the words of a
// frequency read out, and what each word costs from asking to its end.
//
// usage: bench_system_voice [ROUNDS]   (SPEECHD_ADDRESS names the server;
// tools/bench/run-all.sh starts a private one)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef VOXPAN_WITH_SPEECH_DISPATCHER
#include "platform/speechd/speech_dispatcher_voice.h"
#endif

int main(int argc, char** argv) {
#ifndef VOXPAN_WITH_SPEECH_DISPATCHER
    (void)argc, (void)argv;
    std::puts("built without speech-dispatcher: nothing to measure");
    return 0;
#else
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::string problem;
    auto voice = voxpan::SpeechDispatcherVoice::open(voxpan::SpeechPace::Normal, problem);
    if (!voice) {
        std::fprintf(stderr, "bench_system_voice: %s\n", problem.c_str());
        return 1;
    }
    const std::vector<std::string> phrases = {"one", "four", "five", "point", "zero", "one", "two", "five", "F M", "okay"};
    std::vector<double> starts;
    std::vector<double> wholes;
    for (int round = 0; round < rounds; ++round) {
        for (const std::string& phrase : phrases) {
            const auto asked = std::chrono::steady_clock::now();
            if (voice->say(phrase, problem) != voxpan::SpeechOutcome::Said) {
                std::fprintf(stderr, "bench_system_voice: %s\n", problem.c_str());
                return 1;
            }
            wholes.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - asked).count());
            if (const auto delay = voice->lastStartDelay()) starts.push_back(delay->count() / 1000.0);
        }
    }
    if (starts.empty()) {
        std::puts("speech-dispatcher never told when a word began");
        return 1;
    }
    std::sort(starts.begin(), starts.end());
    auto at = [&](double share) { return starts[static_cast<std::size_t>(share * (starts.size() - 1))]; };
    double total = 0;
    for (double whole : wholes) total += whole;
    std::printf("words asked for: %zu; from asking to the start of speech: median %.1f ms, 90th %.1f ms, "
                "most %.1f ms\n",
                starts.size(), at(0.5), at(0.9), starts.back());
    std::printf("from asking to the end of each word: mean %.1f ms\n", total / static_cast<double>(wholes.size()));
    return 0;
#endif
}
