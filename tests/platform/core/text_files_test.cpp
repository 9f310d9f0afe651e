#include "platform/core/text_files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/startup.h"
#include "support/folder_platform.h"

namespace voxpan {
namespace {

class TextFilesTest : public ::testing::Test {
protected:
    TextFilesTest() : folder_(std::filesystem::temp_directory_path() / ("voxpan-files-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(folder_);
    }
    ~TextFilesTest() override { std::filesystem::remove_all(folder_); }
    std::string path(const char* name) const { return (folder_ / name).string(); }
    void put(const char* name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    std::string bytesOf(const char* name) const {
        std::ifstream in(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<std::string> readAll(const char* name) {
        std::vector<std::string> lines;
        FileHandle file = files.openForReading(path(name));
        EXPECT_NE(file, 0);
        std::string line;
        while (files.readLine(file, line)) lines.push_back(line);
        files.closeFile(file);
        return lines;
    }

    std::filesystem::path folder_;
    TextFiles files;
};

TEST_F(TextFilesTest, ALineEndsAtCrAtLfOrAtCrLf) {
    put("mixed.dat", "one\r\ntwo\rthree\nfour\n\nsix");
    EXPECT_EQ(readAll("mixed.dat"), (std::vector<std::string>{"one", "two", "three", "four", "", "six"}));
}

TEST_F(TextFilesTest, BinaryBytesAndNulsSurviveReading) {
    put("binary.dat", std::string("a\0b\xff\r\n", 6));
    EXPECT_EQ(readAll("binary.dat"), (std::vector<std::string>{std::string("a\0b\xff", 4)}));
}

TEST_F(TextFilesTest, WrittenLinesEndWithCrLfAndReplaceTheOldFile) {
    put("bank05.dat", "old contents that are longer\r\n");
    FileHandle file = files.openForWriting(path("bank05.dat"));
    ASSERT_NE(file, 0);
    files.writeLine(file, "bank05");
    files.writeLine(file, " ");
    EXPECT_EQ(bytesOf("bank05.dat"), "bank05\r\n \r\n") << "lines are on disk before the file is closed";
    files.closeFile(file);
    EXPECT_EQ(bytesOf("bank05.dat"), "bank05\r\n \r\n");
}

TEST_F(TextFilesTest, MissingFilesAndStaleHandlesDoNothing) {
    EXPECT_EQ(files.openForReading(path("missing.dat")), 0);
    std::filesystem::create_directory(path("bank03.dat"));
    EXPECT_EQ(files.openForReading(path("bank03.dat")), 0) << "a folder is no file to read";
    std::string line = "untouched";
    EXPECT_FALSE(files.readLine(0, line));
    EXPECT_FALSE(files.readLine(42, line));
    files.writeLine(42, "nowhere");
    files.closeFile(42);
    EXPECT_EQ(files.openForWriting(path("no-such-folder/x.dat")), 0);
}

TEST_F(TextFilesTest, DeleteIsDoneWhenNothingOfThatNameIsLeft) {
    put("bank07.dat", "x\r\n");
    EXPECT_TRUE(files.deleteFile(path("bank07.dat")));
    EXPECT_FALSE(std::filesystem::exists(path("bank07.dat")));
    EXPECT_TRUE(files.deleteFile(path("bank07.dat"))) << "a file that is not there is as good as deleted";
}

TEST_F(TextFilesTest, AFolderOfABanksNameIsNeitherReadNorDeletedNorReplaced) {
    std::filesystem::create_directory(path("bank08.dat"));
    EXPECT_EQ(files.openForReading(path("bank08.dat")), 0);
    EXPECT_FALSE(files.deleteFile(path("bank08.dat")));
    EXPECT_FALSE(files.replaceTextFile(path("bank08.dat"), {"bank08", "9999"}));
    EXPECT_TRUE(std::filesystem::is_directory(path("bank08.dat")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1) << "a scratch file was left behind";
}

TEST_F(TextFilesTest, APipeOfABanksNameDoesNotHoldTheReader) {
    ASSERT_EQ(::mkfifo(path("bank09.dat").c_str(), 0600), 0);
    EXPECT_EQ(files.openForReading(path("bank09.dat")), 0);
}

TEST_F(TextFilesTest, ReplacementWritesEveryLineWithCrLfInOneStep) {
    put("bank05.dat", "old\r\nlonger old contents\r\n");
    ASSERT_TRUE(files.replaceTextFile(path("bank05.dat"), {"bank05", "FM", "12.5", " ", "9999"}));
    EXPECT_EQ(bytesOf("bank05.dat"), "bank05\r\nFM\r\n12.5\r\n \r\n9999\r\n");
    ASSERT_TRUE(files.replaceTextFile(path("new.dat"), {}));
    EXPECT_EQ(bytesOf("new.dat"), "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 2) << "a scratch file was left behind";
}

TEST_F(TextFilesTest, ReplacementKeepsThePermissionsOfTheOldFile) {
    put("bank05.dat", "old\r\n");
    std::filesystem::permissions(path("bank05.dat"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    ASSERT_TRUE(files.replaceTextFile(path("bank05.dat"), {"new"}));
    EXPECT_EQ(std::filesystem::status(path("bank05.dat")).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(TextFilesTest, ReplacementIntoAMissingFolderFailsAndCreatesNothing) {
    EXPECT_FALSE(files.replaceTextFile(path("no-such-folder/bank05.dat"), {"x"}));
    EXPECT_FALSE(files.replaceTextFile("", {"x"}));
    EXPECT_FALSE(std::filesystem::exists(path("no-such-folder")));
}

TEST_F(TextFilesTest, NeitherAPipeForTheLogNorALineWithoutEndHoldsThePanel) {
    const std::string xs(1 << 20, 'x');
    put("long.dat", xs + "\r\nnext\r\n" + xs);
    const std::vector<std::string> lines = readAll("long.dat");
    ASSERT_EQ(lines.size(), 3u) << "the rest of a long line is passed over, not read as lines";
    for (const std::string& line : {lines[0], lines[2]})
        EXPECT_TRUE(line == std::string(254, 'x')) << "254 characters are kept, not " << line.size();
    EXPECT_EQ(lines[1], "next");

    put("VOXPAN.CFG", "COM:/dev/ttyUSB0\r\nSPEED:9600\r\nTYPE:AR8600\r\nVOICE:1\r\nDEBUG:1\r\n");
    std::filesystem::create_directory(path("wave"));
    ASSERT_EQ(::mkfifo(path("debug1.dat").c_str(), 0600), 0);
    testing::FolderPlatform disk;
    disk.folder = folder_.string();
    std::atomic<bool> ended = false;
    std::thread panel([&] {
        runPanel(disk);
        ended = true;
    });
    for (int waited = 0; !ended && waited < 1000; ++waited) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const bool heldUp = !ended;
    // A reader of the pipe lets a start-up that waits for one go on.
    const int reader = heldUp ? ::open(path("debug1.dat").c_str(), O_RDONLY | O_NONBLOCK) : -1;
    panel.join();
    if (reader >= 0) ::close(reader);
    EXPECT_FALSE(heldUp) << "start-up waited for a reader of the pipe debug1.dat";
    EXPECT_EQ(disk.problems, std::vector<std::string>{"debug1.dat in /home/operator/voxpan is a pipe or a device, not a "
                                                      "file; the panel runs without the traffic log"});
    EXPECT_EQ(disk.journalOf("serial-open").size(), 1u) << "the panel went on";
    EXPECT_EQ(pathKindOf(path("debug1.dat")), PathKind::Other) << "the pipe is left as it was";

    std::filesystem::remove(path("debug1.dat"));
    testing::FolderPlatform again;
    again.folder = folder_.string();
    runPanel(again);
    EXPECT_EQ(bytesOf("debug1.dat").rfind("VOXPAN 4.0a", 0), 0u) << "a missing log is created";
}

}  // namespace
}  // namespace voxpan
