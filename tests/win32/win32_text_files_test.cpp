#include "platform/win32/win32_text_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "platform/win32/win32_local_time.h"
#include "win32/win32_test_folder.h"

namespace voxpan {
namespace {

using testing::Win32TestFolder;

TEST(Win32TextFiles, LinesEndAtCrLfOrCrLfAndAreWrittenWithCrLf) {
    Win32TestFolder folder;
    Win32TestFolder::write("bank01.dat", "FM\r\n145.5\n146\rlast");
    Win32TextFiles files;
    const FileHandle file = files.openForReading("bank01.dat");
    ASSERT_NE(file, 0);
    std::vector<std::string> lines;
    for (std::string line; files.readLine(file, line);) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"FM", "145.5", "146", "last"}));
    files.closeFile(file);

    const FileHandle log = files.openForWriting("debug1.dat");
    files.writeLine(log, "TX= LM");
    EXPECT_EQ(Win32TestFolder::contents("debug1.dat"), "TX= LM\r\n") << "written at once, while still open";
    files.closeFile(log);
}

TEST(Win32TextFiles, AFolderOrADeviceIsNotAFile) {
    Win32TestFolder folder;
    CreateDirectoryA("bank02.dat", nullptr);
    Win32TextFiles files;
    for (const char* name : {"bank02.dat", "NUL", "missing.dat"})
        EXPECT_EQ(files.openForReading(name), 0) << name;
    EXPECT_EQ(win32PathKind("bank02.dat"), PathKind::Folder);
    EXPECT_FALSE(files.deleteFile("bank02.dat")) << "a folder of that name stays";
    EXPECT_TRUE(files.deleteFile("missing.dat")) << "nothing of that name is left";
}

TEST(Win32TextFiles, AReplacementIsWholeAndLeavesNoScratchFile) {
    Win32TestFolder folder;
    Win32TestFolder::write("bank03.dat", "old\r\n");
    Win32TextFiles files;
    EXPECT_TRUE(files.replaceTextFile("bank03.dat", {"FM", "145.5"}));
    EXPECT_EQ(Win32TestFolder::contents("bank03.dat"), "FM\r\n145.5\r\n");
    EXPECT_TRUE(files.replaceTextFile("bank04.dat", {"AM"})) << "a new file";

    Win32TestFolder::write("bank05.dat", "kept\r\n");
    SetFileAttributesA("bank05.dat", FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(files.replaceTextFile("bank05.dat", {"new"})) << "a read-only bank is not replaced";
    EXPECT_EQ(Win32TestFolder::contents("bank05.dat"), "kept\r\n");
    CreateDirectoryA("bank06.dat", nullptr);
    EXPECT_FALSE(files.replaceTextFile("bank06.dat", {"new"})) << "a folder is not replaced";
    EXPECT_FALSE(files.replaceTextFile("no-such-folder\\bank07.dat", {"new"}));

    EXPECT_EQ(folder.names(), (std::vector<std::string>{"bank03.dat", "bank04.dat", "bank05.dat", "bank06.dat"}))
        << "no scratch file is left behind";
}

TEST(Win32TextFiles, AnAppendedLogIsNeverEmptiedAndItsTimesCarryTheirOffset) {
    Win32TestFolder folder;
    Win32TestFolder::write("cut.csv", "whole\r\nhalf");
    Win32TextFiles files;
    for (const char* name : {"hits.csv", "cut.csv"}) {
        const FileHandle file = files.openForAppending(name);
        std::ofstream(name, std::ios::binary | std::ios::app) << "theirs\r\n";  // another program adds a line
        files.writeLine(file, "next");
        files.closeFile(file);
    }
    EXPECT_EQ(Win32TestFolder::contents("hits.csv"), "theirs\r\nnext\r\n") << "a missing file is created";
    EXPECT_EQ(Win32TestFolder::contents("cut.csv"), "whole\r\nhalf\r\ntheirs\r\nnext\r\n");
    CreateDirectoryA("folder.csv", nullptr);
    EXPECT_EQ(files.openForAppending("folder.csv") + files.openForAppending("NUL"), 0);
    EXPECT_EQ(isoTimestamp(2026, 7, 1, 8, 0, 0, -270), "2026-07-01T08:00:00-04:30");
    EXPECT_TRUE(std::regex_match(win32LocalTimestamp(), std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d)")));
}

}  // namespace
}  // namespace voxpan
