#include "platform/win32/error_output.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/test_folder.h"

namespace voxpan {
namespace {

using testing::TestFolder;

TEST(ErrorOutput, WithoutAStderrThatTakesThemTheLinesGoToTheFileOfTheRunInCrLf) {
    TestFolder folder;
    TestFolder::write("readonly.txt", "");
    HANDLE readOnly = CreateFileA("readonly.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(readOnly, INVALID_HANDLE_VALUE);
    for (HANDLE taker : {static_cast<HANDLE>(nullptr), INVALID_HANDLE_VALUE, readOnly}) {
        TestFolder::write("voxpan.err", "the lines of an earlier run\r\n");
        ErrorOutput output(taker, "voxpan.err");
        output.line("voxpan: no VOXPAN.CFG");
        output.line("voxpan: serial port \\\\.\\COM5 was lost");
        EXPECT_EQ(TestFolder::contents("voxpan.err"),
                  "voxpan: no VOXPAN.CFG\r\nvoxpan: serial port \\\\.\\COM5 was lost\r\n")
            << "the first line of a run empties the file, the next ones are added (stderr " << taker
            << (taker == readOnly ? ", one that takes nothing)" : ")");
    }
    CloseHandle(readOnly);
}

TEST(ErrorOutput, AWorkingStderrTakesTheLinesAndNoFileIsMade) {
    TestFolder folder;
    HANDLE stderrFile = CreateFileA("stderr.txt", GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(stderrFile, INVALID_HANDLE_VALUE);
    ErrorOutput output(stderrFile, "voxpan.err");
    output.line("voxpan: no sound device");
    CloseHandle(stderrFile);
    EXPECT_EQ(TestFolder::contents("stderr.txt"), "voxpan: no sound device\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"stderr.txt"}) << "no voxpan.err beside a working stderr";
}

}  // namespace
}  // namespace voxpan
