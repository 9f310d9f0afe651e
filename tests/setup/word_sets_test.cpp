// The three sets of recorded words, which of them a working folder has, and
// changing the pace or the voice of a folder that is set up already.
#include "setup/word_sets.h"

#include <gtest/gtest.h>

#include <sstream>

#include "setup/apply_settings.h"
#include "setup_fixtures.h"

namespace voxpan::setup {
namespace {

namespace fs = std::filesystem;
using testing::fileBytes;
using testing::TempFolder;
using testing::writeBytes;

const std::string kConfig = "COM:/dev/ttyUSB0\r\nSPEED:9600\r\nTYPE:AR8600\r\nVOICE:1\r\nDEBUG:0\r\nHITS:1\r\n";

class WordSets : public ::testing::Test {
protected:
    WordSets() {
        // The same words in each set, of different lengths at each pace.
        int size = 30;
        for (const char* set : {"wave", "wave-fast", "wave-fastest"}) {
            fs::create_directories(installed / set);
            writeBytes(installed / set / "1.wav", std::string(static_cast<std::size_t>(size -= 10), 'x'));
            writeBytes(installed / set / "shdel.wav", "pause");
        }
        fs::create_directories(folder);
    }
    bool change(const Settings* voice, std::optional<SpeechPace> pace) {
        out.str(""), err.str("");
        return changeVoiceAndPace(out, err, folder, voice, pace, installed / "wave");
    }
    fs::path waveLeadsTo() const { return fs::read_symlink(folder / "wave"); }

    TempFolder temp;
    const fs::path installed = temp.path() / "share";
    const fs::path folder = temp.path() / "voxpan";
    std::ostringstream out, err;
};

TEST_F(WordSets, AFoldersWordsAreTheSetTheyLeadToOrCopy) {
    const fs::path wave = folder / "wave";
    EXPECT_EQ(paceOfWords(wave, installed / "wave"), std::nullopt) << "no words yet";
    fs::create_directory_symlink(installed / "wave-fast", wave);
    EXPECT_EQ(paceOfWords(wave, installed / "wave"), SpeechPace::Fast);
    fs::remove(wave);
    fs::copy(installed / "wave-fastest", wave);
    EXPECT_EQ(paceOfWords(wave, installed / "wave"), SpeechPace::Fastest) << "a copy, as on Windows";
    writeBytes(wave / "1.wav", "my own recording");
    EXPECT_EQ(paceOfWords(wave, installed / "wave"), std::nullopt) << "words of the operator's own";
    fs::remove_all(wave);
    fs::create_directory_symlink(temp.path() / "gone", wave);
    EXPECT_EQ(paceOfWords(wave, installed / "wave"), std::nullopt) << "a broken link";
}

TEST_F(WordSets, ThePaceAndTheVoiceChangeOnlyThemselvesInAFolderSetUpBefore) {
    EXPECT_FALSE(change(nullptr, SpeechPace::Fast));
    EXPECT_NE(err.str().find("there is no VOXPAN.CFG in"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder / "wave")) << "nothing is made in a folder that is not set up";

    writeBytes(folder / "VOXPAN.CFG", kConfig);
    fs::create_directory_symlink(installed / "wave", folder / "wave");
    ASSERT_TRUE(change(nullptr, SpeechPace::Fast)) << err.str();
    EXPECT_EQ(waveLeadsTo(), installed / "wave-fast");
    EXPECT_EQ(fileBytes(folder / "VOXPAN.CFG"),
              "COM:/dev/ttyUSB0\r\nSPEED:9600\r\nTYPE:AR8600\r\nVOICE:1 fast\r\nDEBUG:0\r\nHITS:1\r\n");
    EXPECT_EQ(fileBytes(folder / "VOXPAN.CFG.bak"), kConfig);
    EXPECT_EQ(currentPace(folder, installed / "wave"), SpeechPace::Fast);

    Settings system;
    system.systemVoice = true;
    ASSERT_TRUE(change(&system, std::nullopt)) << err.str();
    EXPECT_EQ(waveLeadsTo(), installed / "wave-fast") << "the words stay as they are";
    EXPECT_NE(fileBytes(folder / "VOXPAN.CFG").find("\r\nVOICE:S fast\r\n"), std::string::npos);

    ASSERT_TRUE(change(nullptr, SpeechPace::Normal)) << err.str();
    EXPECT_EQ(waveLeadsTo(), installed / "wave");
    EXPECT_NE(fileBytes(folder / "VOXPAN.CFG").find("\r\nVOICE:S\r\n"), std::string::npos);

    // Words of the operator's own are never replaced; the file still says the pace.
    fs::remove(folder / "wave");
    fs::create_directory(folder / "wave");
    writeBytes(folder / "wave" / "1.wav", "mine");
    ASSERT_TRUE(change(nullptr, SpeechPace::Fastest)) << err.str();
    EXPECT_EQ(fileBytes(folder / "wave" / "1.wav"), "mine");
    EXPECT_NE(out.str().find("already has its recorded words"), std::string::npos) << out.str();
    EXPECT_EQ(currentPace(folder, installed / "wave"), SpeechPace::Fastest) << "from VOXPAN.CFG";
}

}  // namespace
}  // namespace voxpan::setup
