// The generated word folders, one a pace, hold a readable recording for
// every word the panel says, under the names the panel uses; the faster
// paces hold the same words, spoken in their share of the normal time.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/core/word_files.h"

namespace voxpan {
namespace {

const std::vector<std::string>& panelWords() {
    static const std::vector<std::string> words = {
        "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
        "A", "B", "C", "D", "E", "F", "G", "H", "I", "J",
        "FM", "AM", "WFM", "USB", "LSB", "cw", "auto",
        "fm.wav", "am.wav", "wfm.wav", "usb.wav", "lsb.wav", "cw.wav", "atton.wav", "attoff.wav",
        "act", "attoff", "atton", "bank", "beep", "bf", "bnf", "cfnf", "ckconfig", "connected",
        "cont", "create", "delete", "end", "exitscan", "fromb", "incmode", "incr", "inv", "kill",
        "n", "noise", "off", "ok", "on", "plus", "point", "put", "quit", "radbank", "rnc", "s",
        "scan", "sel", "shdel", "sort", "srch", "srching", "start", "stmode", "stop", "svoice",
        "torb", "transfer", "vox", "wait", "write"};
    return words;
}

// A pace's folder is the normal one (VOXPAN_WAVE_DIR) with its name's ending;
// the ten digits together last at most digitShare of the normal ones.
struct Pace {
    const char* name;
    const char* folderEnding;
    double digitShare;
};

void PrintTo(const Pace& pace, std::ostream* out) { *out << pace.name; }
constexpr Pace kNormal{"normal", "", 1.0}, kFast{"fast", "-fast", 0.65}, kFastest{"fastest", "-fastest", 0.5};

std::set<std::string> recordingsIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

class RecordedWordsTest : public ::testing::TestWithParam<Pace> {
protected:
    void SetUp() override {
        const char* folder = std::getenv("VOXPAN_WAVE_DIR");
        if (folder == nullptr || *folder == '\0') FAIL() << "VOXPAN_WAVE_DIR must name the generated word folder";
        normal_ = folder;
        folder_ = normal_ + GetParam().folderEnding;
    }

    std::string fileFor(const std::string& word) const { return resolveSoundFile(folder_ + "/" + word); }

    // Length in seconds; negative when SDL cannot read the file.
    static double secondsOf(const std::string& file) {
        SDL_AudioSpec format{};
        Uint8* samples = nullptr;
        Uint32 bytes = 0;
        if (SDL_LoadWAV(file.c_str(), &format, &samples, &bytes) == nullptr) return -1.0;
        SDL_FreeWAV(samples);
        const int frameBytes = SDL_AUDIO_BITSIZE(format.format) / 8 * format.channels;
        return static_cast<double>(bytes) / frameBytes / format.freq;
    }

    static double digitSeconds(const std::string& folder) {
        double seconds = 0.0;
        for (char digit = '0'; digit <= '9'; ++digit) seconds += secondsOf(resolveSoundFile(folder + "/" + digit));
        return seconds;
    }

    static std::string bytesOf(const std::string& folder, const char* word) {
        std::ifstream in(resolveSoundFile(folder + "/" + word), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::string normal_;
    std::string folder_;
};

std::string paceName(const ::testing::TestParamInfo<Pace>& pace) { return pace.param.name; }
INSTANTIATE_TEST_SUITE_P(EveryPace, RecordedWordsTest, ::testing::Values(kNormal, kFast, kFastest), paceName);
using FasterWordsTest = RecordedWordsTest;
INSTANTIATE_TEST_SUITE_P(FasterPaces, FasterWordsTest, ::testing::Values(kFast, kFastest), paceName);

TEST_P(RecordedWordsTest, EveryWordThePanelSaysHasAReadableRecording) {
    for (const std::string& word : panelWords()) {
        const std::string file = fileFor(word);
        ASSERT_FALSE(file.empty()) << "no recording for \"" << word << "\" in " << folder_;
        EXPECT_GT(secondsOf(file), 0.0) << "\"" << word << "\" (" << file << ") is empty or no WAV";
    }
}

TEST_P(RecordedWordsTest, WordsWithTheirExtensionShareTheModeRecordings) {
    for (const char* word : {"FM", "AM", "WFM", "USB", "LSB", "cw", "atton", "attoff"}) {
        const std::string withExtension = std::string(word) + ".wav";
        EXPECT_EQ(fileFor(withExtension), fileFor(word)) << withExtension << " and " << word;
    }
}

TEST_P(RecordedWordsTest, DigitsAreShortEnoughToReadAFrequency) {
    for (char digit = '0'; digit <= '9'; ++digit) {
        const double seconds = secondsOf(fileFor(std::string(1, digit)));
        EXPECT_GT(seconds, 0.0) << digit;
        EXPECT_LE(seconds, 0.4) << "digit " << digit << " lasts " << seconds << " s";
    }
}

TEST_P(RecordedWordsTest, PauseBetweenCommandsIsAboutATenthOfASecond) {
    const double seconds = secondsOf(fileFor("shdel"));
    EXPECT_GE(seconds, 0.05);
    EXPECT_LE(seconds, 0.2);
}

TEST_P(FasterWordsTest, HoldsTheNormalWordsWithTheSameToneAndPause) {
    EXPECT_EQ(recordingsIn(folder_), recordingsIn(normal_));
    // The pause paces the receiver's commands: it must not change with the pace.
    for (const char* word : {"beep", "shdel"}) EXPECT_EQ(bytesOf(folder_, word), bytesOf(normal_, word)) << word;
}

TEST_P(FasterWordsTest, DigitsLastTheirShareOfTheNormalTime) {
    EXPECT_LE(digitSeconds(folder_) / digitSeconds(normal_), GetParam().digitShare) << folder_;
}

}  // namespace
}  // namespace voxpan
