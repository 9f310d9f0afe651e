#include "platform/win32/error_output.h"

#include <gtest/gtest.h>

#include "win32/win32_test_folder.h"

namespace voxpan {
namespace {

using testing::Win32TestFolder;

TEST(ErrorOutput, WithoutAStderrTheLinesGoToTheFileOfTheRunInCrLf) {
    for (HANDLE missing : {static_cast<HANDLE>(nullptr), INVALID_HANDLE_VALUE}) {
        Win32TestFolder folder;
        Win32TestFolder::write("voxpan.err", "the lines of an earlier run\r\n");
        ErrorOutput output(missing, "voxpan.err");
        output.line("voxpan: no VOXPAN.CFG");
        output.line("voxpan: serial port \\\\.\\COM5 was lost");
        EXPECT_EQ(Win32TestFolder::contents("voxpan.err"),
                  "voxpan: no VOXPAN.CFG\r\nvoxpan: serial port \\\\.\\COM5 was lost\r\n")
            << "the first line of a run empties the file, the next ones are added (stderr " << missing << ")";
    }
}

TEST(ErrorOutput, AWorkingStderrTakesTheLinesAndNoFileIsMade) {
    Win32TestFolder folder;
    HANDLE stderrFile = CreateFileA("stderr.txt", GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(stderrFile, INVALID_HANDLE_VALUE);
    ErrorOutput output(stderrFile, "voxpan.err");
    output.line("voxpan: no sound device");
    CloseHandle(stderrFile);
    EXPECT_EQ(Win32TestFolder::contents("stderr.txt"), "voxpan: no sound device\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"stderr.txt"}) << "no voxpan.err beside a working stderr";
}

TEST(ErrorOutput, AStderrThatTakesNothingFallsBackToTheFile) {
    Win32TestFolder folder;
    Win32TestFolder::write("readonly.txt", "");
    HANDLE readOnly = CreateFileA("readonly.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ErrorOutput output(readOnly, "voxpan.err");
    output.line("voxpan: cannot open serial port");
    CloseHandle(readOnly);
    EXPECT_EQ(Win32TestFolder::contents("voxpan.err"), "voxpan: cannot open serial port\r\n");
}

}  // namespace
}  // namespace voxpan
