#include "platform/core/text_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/working_folder.h"

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

TEST_F(TextFilesTest, ReplacementKeepsThePermissionsOwnerAndGroupOfTheOldFile) {
    put("bank05.dat", "old\r\n");
    std::filesystem::permissions(path("bank05.dat"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    // Root can show the owner kept: the bank is given to another user.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path("bank05.dat").c_str(), 65534, 65534), 0);
    }
    struct stat before {}, after {};
    ::stat(path("bank05.dat").c_str(), &before);
    ASSERT_TRUE(files.replaceTextFile(path("bank05.dat"), {"new"}));
    ::stat(path("bank05.dat").c_str(), &after);
    EXPECT_EQ(after.st_mode & 07777, 0600u);
    EXPECT_EQ(after.st_uid, before.st_uid) << "the owner stays";
    EXPECT_EQ(after.st_gid, before.st_gid) << "the group stays";
}

TEST_F(TextFilesTest, ReplacementIntoAMissingFolderFailsAndCreatesNothing) {
    EXPECT_FALSE(files.replaceTextFile(path("no-such-folder/bank05.dat"), {"x"}));
    EXPECT_FALSE(files.replaceTextFile("", {"x"}));
    EXPECT_FALSE(std::filesystem::exists(path("no-such-folder")));
}

TEST_F(TextFilesTest, NeitherAPipeNamedAsTheLogNorALineWithoutEndHoldsThePanel) {
    const std::string xs(1 << 20, 'x');
    put("long.dat", xs + "\r\nnext\r\n" + xs);
    const std::vector<std::string> lines = readAll("long.dat");
    ASSERT_EQ(lines.size(), 3u) << "the rest of a long line is passed over, not read as lines";
    for (const std::string& line : {lines[0], lines[2]})
        EXPECT_TRUE(line == std::string(254, 'x')) << "254 characters are kept, not " << line.size();
    EXPECT_EQ(lines[1], "next");

    ASSERT_EQ(::mkfifo(path("debug1.dat").c_str(), 0600), 0);
    auto opening = std::async(std::launch::async, [&] { return files.openForWriting(path("debug1.dat")); });
    const bool heldUp = opening.wait_for(std::chrono::seconds(10)) != std::future_status::ready;
    // A reader lets an open that waits for one go on.
    const int reader = heldUp ? ::open(path("debug1.dat").c_str(), O_RDONLY | O_NONBLOCK) : -1;
    EXPECT_EQ(opening.get(), 0) << "a pipe is no log";
    EXPECT_FALSE(heldUp) << "opening the pipe waited for a reader";
    if (reader >= 0) ::close(reader);
    EXPECT_EQ(pathKindOf(path("debug1.dat")), PathKind::Other) << "the pipe is left as it was";
    EXPECT_NE(files.openForWriting(path("debug2.dat")), 0) << "a missing file is created";
}

TEST_F(TextFilesTest, AppendingCreatesNeverEmptiesAndEndsALineCutShort) {
    put("cut.csv", "whole\r\nhalf");
    for (const char* name : {"hits.csv", "cut.csv"}) {
        const FileHandle file = files.openForAppending(path(name));
        std::ofstream(path(name), std::ios::binary | std::ios::app) << "theirs\r\n";  // another program adds a line
        files.writeLine(file, "next");
        files.closeFile(file);
    }
    EXPECT_EQ(bytesOf("hits.csv"), "theirs\r\nnext\r\n") << "a missing file is created";
    EXPECT_EQ(bytesOf("cut.csv"), "whole\r\nhalf\r\ntheirs\r\nnext\r\n");
    std::filesystem::create_directory(path("folder.csv"));
    ASSERT_EQ(::mkfifo(path("pipe.csv").c_str(), 0600), 0);
    EXPECT_EQ(files.openForAppending(path("folder.csv")) + files.openForAppending(path("pipe.csv")), 0);
}

}  // namespace
}  // namespace voxpan
