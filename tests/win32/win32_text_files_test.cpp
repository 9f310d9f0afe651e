#include "platform/win32/win32_text_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "platform/win32/error_output.h"
#include "platform/win32/handle_writes.h"
#include "platform/win32/win32_file_replacement.h"
#include "platform/win32/win32_local_time.h"
#include "support/test_folder.h"

namespace voxpan {
namespace {

using namespace std::string_literals;
using testing::TestFolder;

TEST(Win32TextFiles, LinesEndAtCrLfOrCrLfKeepTheirFirst254CharactersAndAreWrittenWithCrLf) {
    TestFolder folder;
    TestFolder::write("bank01.dat", "FM\r\n145.5\n146\r" + std::string(300, '1') + "\r\nlast");
    Win32TextFiles files;
    const FileHandle file = files.openForReading("bank01.dat");
    ASSERT_NE(file, 0);
    std::vector<std::string> lines;
    for (std::string line; files.readLine(file, line);) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"FM", "145.5", "146", std::string(kLongestLineRead, '1'), "last"}))
        << "the rest of the long line is passed over";
    files.closeFile(file);

    const FileHandle log = files.openForWriting("debug1.dat");
    files.writeLine(log, "TX= LM");
    EXPECT_EQ(TestFolder::contents("debug1.dat"), "TX= LM\r\n") << "written at once, while still open";
    files.closeFile(log);
}

TEST(Win32TextFiles, AFolderOrADeviceIsNotAFileAndADeviceIsNotEvenOpened) {
    TestFolder folder;
    CreateDirectoryA("bank02.dat", nullptr);
    CreateDirectoryA("debug1.dat", nullptr);
    const std::string pipeName = "\\\\.\\pipe\\voxpan-test-" + std::to_string(GetCurrentProcessId());
    HANDLE pipe = CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_NOWAIT, 1, 512, 512,
                                   0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    Win32TextFiles files;
    for (const std::string& name : {"bank02.dat"s, "NUL"s, "missing.dat"s, pipeName})
        EXPECT_EQ(files.openForReading(name), 0) << name;
    for (const std::string& name : {"debug1.dat"s, "nul"s, "CON"s, "com1.dat"s, "LPT1"s, "sub\\aux.txt"s, pipeName})
        EXPECT_EQ(files.openForWriting(name), 0) << name;
    EXPECT_EQ(win32PathKind("debug1.dat"), PathKind::Folder) << "the folder is left as it is";
    EXPECT_FALSE(ConnectNamedPipe(pipe, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PIPE_LISTENING)) << "nobody has opened the pipe";
    CloseHandle(pipe);
    EXPECT_FALSE(files.deleteFile("bank02.dat"));
    EXPECT_EQ(win32PathKind("bank02.dat"), PathKind::Folder) << "a folder of that name stays";
    EXPECT_TRUE(files.deleteFile("missing.dat")) << "nothing of that name is left";
}

TEST(Win32TextFiles, AReplacementIsWholeAndKeepsTheAttributesOrLeavesTheOldFileAndOneLineSaysWhy) {
    TestFolder folder;
    TestFolder::write("bank03.dat", "old\r\n");
    SetFileAttributesA("bank03.dat", FILE_ATTRIBUTE_HIDDEN);
    TestFolder::write("bank05.dat", "kept\r\n");
    SetFileAttributesA("bank05.dat", FILE_ATTRIBUTE_READONLY);
    CreateDirectoryA("bank06.dat", nullptr);
    ErrorOutput errors(nullptr, "errors.txt");
    Win32TextFiles files(errors);
    EXPECT_TRUE(files.replaceTextFile("bank03.dat", {"FM", "145.5"}));
    EXPECT_EQ(TestFolder::contents("bank03.dat"), "FM\r\n145.5\r\n");
    EXPECT_NE(GetFileAttributesA("bank03.dat") & FILE_ATTRIBUTE_HIDDEN, 0u) << "the hidden file stays hidden";
    EXPECT_TRUE(files.replaceTextFile("bank04.dat", {"AM"})) << "a new file";
    const std::pair<std::string, std::string> refusals[] = {
        {"bank05.dat", "voxpan: bank05.dat is read-only\r\n"},
        {"bank06.dat", "voxpan: bank06.dat is a folder, not a file\r\n"},
        {"com1.dat", "voxpan: com1.dat is a device, not a file\r\n"},
        {"no-such-folder\\bank07.dat", "voxpan: cannot create the new no-such-folder\\bank07.dat: "},
    };
    std::size_t told = 0;  // a replacement that is done says nothing
    for (const auto& [name, line] : refusals) {
        EXPECT_FALSE(files.replaceTextFile(name, {"new"})) << name;
        const std::string said = TestFolder::contents("errors.txt").substr(told);
        EXPECT_TRUE(said.starts_with(line) && said.find("\r\n") + 2 == said.size()) << "one line for " << name
                                                                                     << ": " << said;
        told += said.size();
    }
    EXPECT_EQ(TestFolder::contents("bank05.dat"), "kept\r\n");
    EXPECT_EQ(folder.names(),
              (std::vector<std::string>{"bank03.dat", "bank04.dat", "bank05.dat", "bank06.dat", "errors.txt"}))
        << "no scratch file is left behind";
}

TEST(Win32FileReplacement, AFailedMoveBringsBackTheOldFileAndLeavesNoOtherFile) {
    TestFolder folder;
    TestFolder::write("VOXPAN.CFG", "old\r\n");
    Win32ReplacementCalls calls;
    // As ReplaceFileW fails when it has moved the old file aside and cannot
    // move the new one in.
    calls.replaceFile = [](const wchar_t* replaced, const wchar_t*, const wchar_t* backup) -> int {
        MoveFileExW(replaced, backup, 0);
        SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
        return 0;
    };
    calls.moveFile = [](const wchar_t*, const wchar_t*) -> int { return SetLastError(ERROR_DISK_FULL), 0; };
    for (const std::string name : {"VOXPAN.CFG", "bank01.dat"}) {
        const std::string problem = replaceFileWhole(name, "new\r\n", calls);
        EXPECT_TRUE(problem.starts_with("cannot put the new file in place of " + name + ": ")) << problem;
    }
    EXPECT_EQ(TestFolder::contents("VOXPAN.CFG"), "old\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"VOXPAN.CFG"}) << "no scratch, backup or new file is left";
}

TEST(Win32FileReplacement, APlainFileIsNotResolvedAndOneHeldForAMomentIsReplacedWhenLetGo) {
    TestFolder folder;
    TestFolder::write("bank01.dat", "old\r\n");
    Win32ReplacementCalls calls;
    // A RAM disk or a cloud folder that cannot tell a file's final path.
    calls.finalPath = [](const wchar_t*, wchar_t*, unsigned long) { return SetLastError(ERROR_INVALID_FUNCTION), 0ul; };
    EXPECT_EQ(replaceFileWhole("bank01.dat", "new\r\n", calls), "");
    // A virus scanner holds the file for a moment, then for good.
    for (const DWORD heldMs : {300, 1500}) {
        HANDLE scanner = CreateFileW(L"bank01.dat", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(scanner, INVALID_HANDLE_VALUE);
        std::thread lettingGo([&] { Sleep(heldMs), CloseHandle(scanner); });
        const std::string problem = replaceFileWhole("bank01.dat", "held " + std::to_string(heldMs) + "\r\n");
        lettingGo.join();
        EXPECT_EQ(problem.empty(), heldMs < 1000) << problem;
    }
    EXPECT_EQ(TestFolder::contents("bank01.dat"), "held 300\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"bank01.dat"});
}

TEST(Win32TextFiles, AFileHeldByAnotherProgramGetsEveryLineInOrderOnceItLetsGo) {
    TestFolder folder;
    static bool locked = true;  // hits.csv locked by another program
    const auto lockedWrite = [](void* file, std::string_view bytes) {
        if (locked) return SetLastError(ERROR_LOCK_VIOLATION), false;
        return writeAllTo(static_cast<HANDLE>(file), bytes);
    };
    ErrorOutput errors(nullptr, "errors.txt");
    Win32TextFiles files(errors, lockedWrite);
    // A spreadsheet has held.csv open and lets others only read it.
    HANDLE spreadsheet = CreateFileW(L"held.csv", GENERIC_READ, FILE_SHARE_READ, nullptr, CREATE_NEW, 0, nullptr);
    const FileHandle held = files.openForAppending("held.csv"), hits = files.openForAppending("hits.csv");
    EXPECT_TRUE(held != 0 && hits != 0);
    for (const char* stop : {"1", "2"})
        for (const FileHandle file : {held, hits}) files.writeLine(file, stop);
    EXPECT_EQ(TestFolder::contents("held.csv") + TestFolder::contents("hits.csv"), "");
    CloseHandle(spreadsheet);
    locked = false;
    files.writeHeldLines();
    locked = true;
    files.writeLine(hits, "last");
    files.closeFile(hits);
    for (const char* name : {"held.csv", "hits.csv"}) EXPECT_EQ(TestFolder::contents(name), "1\r\n2\r\n") << name;
    EXPECT_EQ(TestFolder::contents("errors.txt"),
              "voxpan: held.csv is held by another program; its new lines wait until it lets go\r\n"
              "voxpan: hits.csv is held by another program; its new lines wait until it lets go\r\n"
              "voxpan: hits.csv is held by another program; its new lines wait until it lets go\r\n"
              "voxpan: not added to hits.csv: last\r\n");
}

TEST(Win32TextFiles, AnAppendedLogIsNeverEmptiedAndItsTimesCarryTheirOffset) {
    TestFolder folder;
    TestFolder::write("cut.csv", "whole\r\nhalf");
    Win32TextFiles files;
    for (const char* name : {"hits.csv", "cut.csv"}) {
        const FileHandle file = files.openForAppending(name);
        std::ofstream(name, std::ios::binary | std::ios::app) << "theirs\r\n";  // another program adds a line
        files.writeLine(file, "next");
        files.closeFile(file);
    }
    EXPECT_EQ(TestFolder::contents("hits.csv"), "theirs\r\nnext\r\n") << "a missing file is created";
    EXPECT_EQ(TestFolder::contents("cut.csv"), "whole\r\nhalf\r\ntheirs\r\nnext\r\n");
    CreateDirectoryA("folder.csv", nullptr);
    EXPECT_EQ(files.openForAppending("folder.csv") + files.openForAppending("NUL"), 0);
    EXPECT_EQ(isoTimestamp(2026, 7, 1, 8, 0, 0, -270), "2026-07-01T08:00:00-04:30");
}

}  // namespace
}  // namespace voxpan
