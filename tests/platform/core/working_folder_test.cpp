#include "platform/core/working_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace voxpan {
namespace {

namespace fs = std::filesystem;

// The program finds its words beside itself: installed under a prefix, or
// in its build folder.
TEST(WorkingFolder, WordsAreFoundBesideTheProgram) {
    const fs::path root = fs::temp_directory_path() / ("voxpan-beside-" + std::to_string(::getpid()));
    fs::create_directories(root / "prefix" / "bin");
    fs::create_directories(root / "prefix" / "share" / "voxpan" / "wave");
    fs::create_directories(root / "build" / "wave");
    fs::create_directories(root / "bare");
    std::ofstream(root / "file") << "x";

    EXPECT_EQ(wordFolderBeside((root / "prefix" / "bin" / "voxpan").string()),
              (root / "prefix" / "share" / "voxpan" / "wave").string() + "/");
    EXPECT_EQ(wordFolderBeside((root / "build" / "voxpan").string()), (root / "build" / "wave").string() + "/");
    EXPECT_EQ(wordFolderBeside((root / "bare" / "voxpan").string()), "");
    EXPECT_EQ(wordFolderBeside(""), "");

    EXPECT_EQ(pathKindOf((root / "file").string()), PathKind::File);
    EXPECT_EQ(pathKindOf((root / "bare").string()), PathKind::Folder);
    EXPECT_EQ(pathKindOf((root / "none").string()), PathKind::Missing);
    EXPECT_EQ(pathKindOf("/dev/null"), PathKind::Other);
    fs::remove_all(root);
}

}  // namespace
}  // namespace voxpan
