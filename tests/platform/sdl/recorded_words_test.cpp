// The generated word folder holds a readable recording for every word the
// panel says, under the names the panel uses.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
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

class RecordedWordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* folder = std::getenv("VOXPAN_WAVE_DIR");
        if (folder == nullptr || *folder == '\0') FAIL() << "VOXPAN_WAVE_DIR must name the generated word folder";
        folder_ = folder;
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

    std::string folder_;
};

TEST_F(RecordedWordsTest, EveryWordThePanelSaysHasAReadableRecording) {
    for (const std::string& word : panelWords()) {
        const std::string file = fileFor(word);
        ASSERT_FALSE(file.empty()) << "no recording for \"" << word << "\" in " << folder_;
        EXPECT_GT(secondsOf(file), 0.0) << "\"" << word << "\" (" << file << ") is empty or no WAV";
    }
}

TEST_F(RecordedWordsTest, WordsWithTheirExtensionShareTheModeRecordings) {
    for (const char* word : {"FM", "AM", "WFM", "USB", "LSB", "cw", "atton", "attoff"}) {
        const std::string withExtension = std::string(word) + ".wav";
        EXPECT_EQ(fileFor(withExtension), fileFor(word)) << withExtension << " and " << word;
    }
}

TEST_F(RecordedWordsTest, DigitsAreShortEnoughToReadAFrequency) {
    for (char digit = '0'; digit <= '9'; ++digit) {
        const double seconds = secondsOf(fileFor(std::string(1, digit)));
        EXPECT_GT(seconds, 0.0) << digit;
        EXPECT_LE(seconds, 0.4) << "digit " << digit << " lasts " << seconds << " s";
    }
}

TEST_F(RecordedWordsTest, PauseBetweenCommandsIsAboutATenthOfASecond) {
    const double seconds = secondsOf(fileFor("shdel"));
    EXPECT_GE(seconds, 0.05);
    EXPECT_LE(seconds, 0.2);
}

}  // namespace
}  // namespace voxpan
