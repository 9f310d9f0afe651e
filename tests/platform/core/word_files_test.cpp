#include "platform/core/word_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace voxpan {
namespace {

namespace fs = std::filesystem;

// A fresh folder with a "wave" folder of a few recordings (their content does
// not matter to the name lookup).
class WordFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        root_ = fs::temp_directory_path() /
                ("voxpan_word_files_" + std::to_string(::getpid()) + "_" + std::to_string(seed()));
        fs::create_directories(root_ / "wave");
        root_ = fs::canonical(root_);
        for (const char* name : {"FM.wav", "7.wav", "cw.wav", "atton.wav"}) touch(root_ / "wave" / name);
    }

    void TearDown() override {
        std::error_code ignored;
        if (!previousFolder_.empty()) fs::current_path(previousFolder_, ignored);
        fs::remove_all(root_, ignored);
    }

    static void touch(const fs::path& file) { std::ofstream(file) << "RIFF"; }

    void enterRoot() {
        previousFolder_ = fs::current_path();
        fs::current_path(root_);
    }

    std::string wave(const std::string& rest) const { return (root_ / "wave").string() + "/" + rest; }
    std::string expected(const std::string& name) const { return (root_ / "wave" / name).string(); }

    fs::path root_;
    fs::path previousFolder_;
};

// --- finding the file ----------------------------------------------------------

TEST_F(WordFilesTest, AddsWavWhenTheWordHasNoExtension) {
    EXPECT_EQ(resolveSoundFile(wave("7")), expected("7.wav"));
}

TEST_F(WordFilesTest, KeepsAnExtensionTheWordAlreadyCarries) {
    EXPECT_EQ(resolveSoundFile(wave("cw.wav")), expected("cw.wav"));
    touch(root_ / "wave" / "beep.raw");
    EXPECT_EQ(resolveSoundFile(wave("beep.raw")), expected("beep.raw"))
        << "a name with an extension must not get \".wav\" added";
}

TEST_F(WordFilesTest, MatchesTheFileNameWithoutRegardToCase) {
    EXPECT_EQ(resolveSoundFile(wave("fm.wav")), expected("FM.wav"));
    EXPECT_EQ(resolveSoundFile(wave("Fm")), expected("FM.wav"));
    EXPECT_EQ(resolveSoundFile(wave("CW")), expected("cw.wav"));
    EXPECT_EQ(resolveSoundFile(wave("ATTON.WAV")), expected("atton.wav"));
}

TEST_F(WordFilesTest, MatchesFolderNamesWithoutRegardToCase) {
    EXPECT_EQ(resolveSoundFile((root_ / "WAVE").string() + "/fm"), expected("FM.wav"));
}

TEST_F(WordFilesTest, PrefersTheExactSpellingWhenTwoNamesDifferOnlyInCase) {
    touch(root_ / "wave" / "ok.wav");
    touch(root_ / "wave" / "OK.wav");
    EXPECT_EQ(resolveSoundFile(wave("ok")), expected("ok.wav"));
    EXPECT_EQ(resolveSoundFile(wave("OK")), expected("OK.wav"));
}

TEST_F(WordFilesTest, TakesTheBackslashOfAWindowsWordFolderAsASeparator) {
    EXPECT_EQ(resolveSoundFile((root_ / "wave").string() + "\\fm"), expected("FM.wav"));
}

TEST_F(WordFilesTest, ResolvesAPathRelativeToTheWorkingFolderToItsRealPath) {
    enterRoot();
    EXPECT_EQ(resolveSoundFile("wave/fm"), expected("FM.wav"));
    EXPECT_EQ(resolveSoundFile("./Wave//7"), expected("7.wav"));
}

TEST_F(WordFilesTest, FollowsASymbolicLinkToTheWordFolder) {
    fs::create_directory_symlink(root_ / "wave", root_ / "voice");
    EXPECT_EQ(resolveSoundFile((root_ / "voice").string() + "/fm"), expected("FM.wav"));
}

// --- no file -------------------------------------------------------------------

TEST_F(WordFilesTest, EmptyPathIsNoFile) { EXPECT_EQ(resolveSoundFile(""), ""); }

TEST_F(WordFilesTest, MissingWordIsNoFile) {
    EXPECT_EQ(resolveSoundFile(wave("transfer")), "");
    EXPECT_EQ(resolveSoundFile((root_ / "missing").string() + "/fm"), "");
}

TEST_F(WordFilesTest, BareWordInAWorkingFolderWithoutRecordingsIsNoFile) {
    enterRoot();
    EXPECT_EQ(resolveSoundFile("FM"), "") << "muted speech looks for the word in the working folder";
    EXPECT_EQ(resolveSoundFile("fm.wav"), "");
}

TEST_F(WordFilesTest, FolderWithAWordsNameIsNoFile) {
    fs::create_directory(root_ / "wave" / "dir.wav");
    EXPECT_EQ(resolveSoundFile(wave("dir")), "");
    EXPECT_EQ(resolveSoundFile((root_ / "wave").string()), "") << "the folder itself is no recording";
}

TEST_F(WordFilesTest, FileUsedAsAFolderIsNoFile) {
    EXPECT_EQ(resolveSoundFile(wave("FM.wav/7")), "");
}

TEST_F(WordFilesTest, DanglingLinkIsNoFile) {
    fs::create_symlink(root_ / "wave" / "gone.wav", root_ / "wave" / "stop.wav");
    EXPECT_EQ(resolveSoundFile(wave("stop")), "");
}

TEST_F(WordFilesTest, NameWithANulByteIsNoFile) {
    const std::string path = wave("cw.wav") + std::string(1, '\0') + "x";
    EXPECT_EQ(resolveSoundFile(path), "");
}

TEST_F(WordFilesTest, UnreadableFileIsNoFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser reads every file";
    fs::permissions(root_ / "wave" / "7.wav", fs::perms::none);
    EXPECT_EQ(resolveSoundFile(wave("7")), "");
}

TEST_F(WordFilesTest, UnreadableFolderIsNoFileAndDoesNotThrow) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser reads every folder";
    fs::permissions(root_ / "wave", fs::perms::none);
    EXPECT_EQ(resolveSoundFile(wave("fm")), "");
    fs::permissions(root_ / "wave", fs::perms::owner_all);
}

}  // namespace
}  // namespace voxpan
