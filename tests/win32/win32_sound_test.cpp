#include "platform/win32/win32_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <bit>

#include "platform/win32/error_output.h"
#include "support/test_folder.h"

namespace voxpan {
namespace {

using testing::TestFolder;

std::string little(std::uint32_t value, int bytes) {
    std::string text;
    for (int i = 0; i < bytes; ++i) text.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
    return text;
}

// A WAV file: its format chunk (after a chunk of odd length), then its sound.
std::string wav(std::uint16_t tag, int channels, int rate, int bits, const std::string& sound) {
    const int frame = channels * bits / 8;
    std::string format = little(tag, 2) + little(channels, 2) + little(rate, 4) + little(rate * frame, 4) +
                         little(frame, 2) + little(bits, 2);
    if (tag == 0xFFFE) format += little(22, 2) + little(bits, 2) + little(0, 4) + little(1, 2) + std::string(14, 'g');
    const std::string chunks = "LIST" + little(3, 4) + "abc" + std::string(1, '\0') + "fmt " +
                               little(format.size(), 4) + format + "data" + little(sound.size(), 4) + sound;
    return "RIFF" + little(chunks.size() + 4, 4) + "WAVE" + chunks;
}

TEST(WaveFile, EverySampleFormatComesOutAs16BitsAndIsPutIntoTheOutputsFormat) {
    const std::uint32_t half = std::bit_cast<std::uint32_t>(-0.5F);
    const std::pair<std::string, const char*> files[] = {
        {wav(1, 1, 8000, 8, "\x40\x40"), "8 bits"},
        {wav(1, 1, 8000, 16, std::string("\x00\xC0\x00\xC0", 4)), "16 bits"},
        {wav(1, 1, 8000, 24, std::string("\x00\x00\xC0\x00\x00\xC0", 6)), "24 bits"},
        {wav(1, 1, 8000, 32, std::string("\x00\x00\x00\xC0\x00\x00\x00\xC0", 8)), "32 bits"},
        {wav(3, 1, 8000, 32, little(half, 4) + little(half, 4)), "floating point"},
        {wav(0xFFFE, 1, 8000, 16, std::string("\x00\xC0\x00\xC0\x00", 5)), "extensible, the last byte cut short"},
    };
    for (const auto& [bytes, what] : files) {
        const std::optional<PcmSound> sound = decodeWav(bytes);
        ASSERT_TRUE(sound) << what;
        EXPECT_EQ(sound->samples, (std::vector<std::int16_t>{-16384, -16384})) << what;
    }
    EXPECT_FALSE(decodeWav(wav(2, 1, 8000, 4, "\x12")));  // ADPCM
    EXPECT_FALSE(decodeWav("RIFF...."));

    using Samples = std::vector<std::int16_t>;
    EXPECT_EQ(convertedTo({8000, 2, {100, 300, 100, 300}}, 16000, 1).samples, (Samples{200, 200, 200, 200}));
    EXPECT_EQ(convertedTo({8000, 1, {0, 1000}}, 16000, 2).samples, (Samples{0, 0, 500, 500, 1000, 1000, 1000, 1000}));
}

// The output as the words see it: the opens and plays recorded, and
// answered in turn from a script (0, done, when it runs out).
struct ScriptedOutput final : WaveOutput {
    std::vector<unsigned> answers;
    std::vector<std::string> calls;
    unsigned answer(std::string call) {
        calls.push_back(std::move(call));
        return calls.size() <= answers.size() ? answers[calls.size() - 1] : MMSYSERR_NOERROR;
    }
    unsigned open(int rate, int ch) override { return answer("open " + std::to_string(rate) + "/" + std::to_string(ch)); }
    unsigned play(const std::vector<std::int16_t>& s) override { return answer("play " + std::to_string(s.size())); }
    void close() override {}
};

TEST(Win32Sound, OneOutputForTheRunWordsReadOnceABusyOrLostDeviceToldOnceAndTriedAgain) {
    TestFolder folder;
    TestFolder::write("vox.wav", wav(1, 1, 22050, 16, std::string(200, '\0')));
    TestFolder::write("four.wav", wav(1, 2, 44100, 8, std::string(400, '\x80')));
    TestFolder::write("junk.wav", "RIFF junk");
    ErrorOutput errors(nullptr, "errors.txt");
    auto output = std::make_unique<ScriptedOutput>();
    ScriptedOutput& script = *output;
    // Held by another program twice; the fourth word played finds it unplugged.
    script.answers = {MMSYSERR_ALLOCATED, MMSYSERR_ALLOCATED, 0, 0, 0, 0, MMSYSERR_NODRIVER};
    Win32Sound sound(errors, std::move(output));
    using enum SoundResult;
    const std::pair<const char*, SoundResult> words[] = {
        {"vox", NoDevice}, {"vox", NoDevice},  {"vox", Played},       {"four", Played},     {"vox.wav", Played},
        {"vox", NoDevice}, {"four", Played}, {"none", NoRecording}, {"junk", Unplayable},
    };
    for (const auto& [word, result] : words) {
        EXPECT_EQ(sound.play(word), result) << word;
        TestFolder::write("vox.wav", "no longer a WAV");  // the words were read once
    }
    // In the first word's format, four.wav put into it.
    EXPECT_EQ(script.calls, (std::vector<std::string>{"open 22050/1", "open 22050/1", "open 22050/1", "play 100",
                                                      "play 100", "play 100", "play 100", "open 22050/1", "play 100"}));
    EXPECT_EQ(TestFolder::contents("errors.txt"),
              "voxpan: the sound device is in use by another program: the words will not be heard until it lets go\r\n"
              "voxpan: the sound device went away or was taken by another program: the words will not be heard "
              "until it is back\r\n");
}

}  // namespace
}  // namespace voxpan
