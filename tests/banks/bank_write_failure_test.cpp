// A bank written to a full disk, for real: a 64 KiB tmpfs in a mount
// namespace of this test process, filled up before the write. The old file
// must come through byte for byte, and the operator must not hear "ok".
// Needs the right to mount (root); skipped otherwise.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include "banks/bank_copy.h"
#include "banks/bank_editing.h"
#include "banks/bank_test_support.h"
#include "platform/core/text_files.h"
#include "scan/search_mode.h"

namespace voxpan {
namespace {

using testing::bankLinesOf;
using testing::crlf;
using testing::Lines;

// The recording fake with its files in a real folder, through the panel's
// own file code.
class FolderPlatform : public testing::RecordingPlatform {
public:
    std::string folder;

    FileHandle openForReading(const std::string& name) override { return files_.openForReading(path(name)); }
    bool readLine(FileHandle file, std::string& line) override { return files_.readLine(file, line); }
    void closeFile(FileHandle file) override { files_.closeFile(file); }
    bool deleteFile(const std::string& name) override { return files_.deleteFile(path(name)); }
    bool replaceTextFile(const std::string& name, const std::vector<std::string>& lines) override {
        journal.push_back("file-replace " + name);
        return files_.replaceTextFile(path(name), lines);
    }

private:
    std::string path(const std::string& name) const { return folder + "/" + name; }
    TextFiles files_;
};

class FullDisk : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root; run the unit tests as root to write to a full disk";
        if (::unshare(CLONE_NEWNS) != 0)
            GTEST_SKIP() << "no mount namespace for the test (" << std::strerror(errno) << ")";
        // Mounts made here stay in this process's namespace.
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            GTEST_SKIP() << "cannot make the mounts private (" << std::strerror(errno) << ")";
        std::string folder = (std::filesystem::temp_directory_path() / "voxpan-full-disk-XXXXXX").string();
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);
        if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k,mode=0700") != 0) {
            ::rmdir(folder.c_str());
            GTEST_SKIP() << "cannot mount a tmpfs (" << std::strerror(errno) << ")";
        }
        disk.folder = folder;
        mounted_ = true;
        panel.speechFolder = "wave/";
        panel.effectsFolder = "wave/";
        panel.modeText = "FM";
        panel.searchStepText = "12.5";
    }
    void TearDown() override {
        if (!mounted_) return;
        ::umount2(disk.folder.c_str(), MNT_DETACH);
        ::rmdir(disk.folder.c_str());
    }

    std::string bytesOf(const std::string& name) const {
        std::ifstream in(disk.folder + "/" + name, std::ios::binary);
        if (!in) return "(no file)";
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void fill() {
        const int fd = ::open((disk.folder + "/filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        const std::string block(4096, 'f');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        while (::write(fd, "f", 1) > 0) {
        }
        ::close(fd);
    }
    void unfill() { std::filesystem::remove(disk.folder + "/filler"); }
    Lines said() {
        Lines words;
        for (const std::string& play : disk.plays) words.push_back(play.substr(play.rfind('/') + 1));
        disk.plays.clear();
        return words;
    }
    int filesInFolder() const {
        return static_cast<int>(std::distance(std::filesystem::directory_iterator(disk.folder), {}));
    }

    FolderPlatform disk;
    Panel panel{disk};
    bool mounted_ = false;
};

TEST_F(FullDisk, EveryBankWriteLeavesTheOldFileWholeAndSaysInvNeverOk) {
    panel.workText = "145.5";
    panel.entryText = "05";
    putFrequency(panel);
    panel.workText = "433.075";
    putFrequency(panel);
    ASSERT_EQ(said(), (Lines{"bnf", "create", "0", "5", "ok", "ok"}));
    const std::string old = crlf(bankLinesOf("bank05", "FM", "12.5", {"145.5", "433.075"}));
    ASSERT_EQ(bytesOf("bank05.dat"), old);

    fill();
    const int filesBefore = filesInFolder();

    panel.workText = "446";
    putFrequency(panel);
    EXPECT_EQ(said(), (Lines{"inv"})) << "a put";
    EXPECT_EQ(bytesOf("bank05.dat"), old) << "a put";

    sortBank(panel);
    EXPECT_EQ(said(), (Lines{"inv"})) << "a sort";
    EXPECT_EQ(bytesOf("bank05.dat"), old) << "a sort";

    selectBank(panel);
    said();
    panel.scanIndex = 4;
    deleteChannel(panel);
    EXPECT_EQ(said(), (Lines{"inv"})) << "a channel delete";
    EXPECT_EQ(bytesOf("bank05.dat"), old) << "a channel delete";
    EXPECT_EQ(panel.bankLines[4], "145.5") << "the bank in memory stays as the file is";

    panel.entryText = "06";
    putFrequency(panel);
    EXPECT_EQ(said(), (Lines{"bnf", "create", "0", "6", "inv"})) << "a new bank";
    EXPECT_EQ(bytesOf("bank06.dat"), "(no file)") << "a new bank";

    startSearch(panel);
    EXPECT_EQ(said(), (Lines{"srch", "inv"})) << "a search list";
    EXPECT_EQ(bytesOf("bank00.dat"), "(no file)") << "a search list";

    EXPECT_EQ(filesInFolder(), filesBefore) << "a scratch file was left on the full disk";

    unfill();
    panel.entryText = "05";
    panel.workText = "446";
    putFrequency(panel);
    EXPECT_EQ(said(), (Lines{"ok"})) << "with room again the same put works";
    EXPECT_EQ(bytesOf("bank05.dat"), crlf(bankLinesOf("bank05", "FM", "12.5", {"145.5", "433.075", "446"})));
}

}  // namespace
}  // namespace voxpan
