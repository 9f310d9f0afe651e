#include "setup/working_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/test_folder.h"

namespace voxpan::setup {
namespace {

namespace fs = std::filesystem;
using voxpan::testing::TestFolder;

TEST(SetupWorkingFolderOnWindows, TheWordsAreCopiedInWholeOnceAndACutShortCopyIsNotTaken) {
    TestFolder folder;
    fs::create_directories("words");
    TestFolder::write("words\\vox.wav", "RIFF vox");
    TestFolder::write("words\\4.wav", "RIFF 4");
    fs::create_directories("radio\\wave.copying");
    TestFolder::write("radio\\wave.copying\\half.wav", "RIFF");
    const fs::path radio = fs::absolute("radio");
    std::string done;
    EXPECT_EQ(prepareWorkingFolder(radio, fs::absolute("words"), done), "");
    EXPECT_EQ(done, "The recorded words are copied in: 2 files in " + (radio / "wave").string() + ".");
    EXPECT_EQ(folder.names("radio"), std::vector<std::string>{"wave"}) << "what a cut-short copy left is gone";
    EXPECT_EQ(folder.names("radio\\wave"), (std::vector<std::string>{"4.wav", "vox.wav"}));
    EXPECT_EQ(TestFolder::contents("radio\\wave\\vox.wav"), "RIFF vox");
    EXPECT_EQ(prepareWorkingFolder(radio, fs::absolute("words"), done), "");
    EXPECT_EQ(done, "The folder already has its recorded words (" + (radio / "wave").string() + ").");
}

TEST(SetupWorkingFolderOnWindows, AFolderIsTypedWithTheEnvironmentAndAFileIsNoFolder) {
    TestFolder folder;
    TestFolder::write("notes.txt", "");
    EXPECT_EQ(folderFromText("%USERPROFILE%\\radio"), fs::path(std::getenv("USERPROFILE")) / "radio");
    EXPECT_EQ(folderFromText("radio"), fs::current_path() / "radio");
    EXPECT_EQ(folderProblem(fs::absolute("notes.txt")), fs::absolute("notes.txt").string() + " is a file, not a folder.");
    EXPECT_EQ(folderProblem(fs::absolute("radio\\new")), "");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"notes.txt"}) << "looking leaves nothing behind";
}

}  // namespace
}  // namespace voxpan::setup
