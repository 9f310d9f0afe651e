// Replacing a file whole: every system call made to fail in turn, and the
// files an operator linked or protected, in a real temporary folder.
#include "platform/core/file_replacement.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "platform/core/text_files.h"
#include "support/test_folder.h"

namespace voxpan {
namespace {

namespace fs = std::filesystem;

enum Call { Lstat, Realpath, Access, Mkstemp, Open, Fchown, Fchmod, Write, Fsync, Close, Rename, kCalls };

// The nth call of a kind fails with `error` (a write with error 0 claims to
// have written nothing); `done`: the file is replaced all the same.
struct Fault {
    const char* what;
    Call call;
    int nth;
    int error;
    bool done;
};

// Plain function pointers cannot capture: the run's fault and the calls
// counted so far. Every write is short, three bytes at most.
struct {
    Fault fault{};
    int counts[kCalls]{};
} run;

bool strikes(Call call) { return ++run.counts[call] == run.fault.nth && run.fault.call == call; }
int failed() {
    errno = run.fault.error;
    return -1;
}

FileSysCalls faultyCalls() {
    FileSysCalls calls;
    calls.lstat = [](const char* path, struct stat* status) { return strikes(Lstat) ? failed() : ::lstat(path, status); };
    calls.realpath = [](const char* path) { return strikes(Realpath) && failed() ? nullptr : ::realpath(path, nullptr); };
    calls.access = [](const char* path, int mode) { return strikes(Access) ? failed() : ::access(path, mode); };
    calls.mkstemp = [](char* pattern) { return strikes(Mkstemp) ? failed() : ::mkstemp(pattern); };
    calls.open = [](const char* path, int flags) { return strikes(Open) ? failed() : ::open(path, flags); };
    calls.fchown = [](int fd, uid_t owner, gid_t group) { return strikes(Fchown) ? failed() : ::fchown(fd, owner, group); };
    calls.fchmod = [](int fd, mode_t mode) { return strikes(Fchmod) ? failed() : ::fchmod(fd, mode); };
    calls.write = [](int fd, const void* bytes, unsigned long count) -> long {
        if (strikes(Write)) return run.fault.error == 0 ? 0 : failed();
        return ::write(fd, bytes, std::min(count, 3ul));
    };
    calls.fsync = [](int fd) { return strikes(Fsync) ? failed() : ::fsync(fd); };
    // A close that fails lets the descriptor go all the same, as on Linux.
    calls.close = [](int fd) { return strikes(Close) ? (::close(fd), failed()) : ::close(fd); };
    calls.rename = [](const char* from, const char* to) { return strikes(Rename) ? failed() : ::rename(from, to); };
    return calls;
}

class Replacing : public ::testing::Test {
protected:
    Replacing() { fs::create_directory("store"); }
    static std::string bytesOf(const fs::path& path) { return testing::TestFolder::contents(path); }
    static void put(const fs::path& path, const std::string& bytes) { testing::TestFolder::write(path, bytes); }
    testing::TestFolder scratch;
    const fs::path folder = fs::current_path();  // the scratch folder
};

TEST_F(Replacing, EveryFailingCallLeavesTheOldFileWholeAndNoScratchAndIsTold) {
    const Fault faults[] = {
        {"looking at the name", Lstat, 1, EIO, false},
        {"following the link", Realpath, 1, ELOOP, false},
        {"looking at the link's target", Lstat, 2, EIO, false},
        {"asking for the right to write", Access, 1, EROFS, false},
        {"creating the scratch file", Mkstemp, 1, ENOSPC, false},
        {"keeping the owner", Fchown, 1, EIO, false},
        {"an owner the user may not give away", Fchown, 1, EPERM, true},
        {"keeping the permissions", Fchmod, 1, EPERM, false},
        {"the first write", Write, 1, ENOSPC, false},
        {"a later write", Write, 5, EDQUOT, false},
        {"a write of nothing", Write, 3, 0, false},
        {"an interrupted write", Write, 2, EINTR, true},
        {"flushing the file", Fsync, 1, EIO, false},
        {"closing the file", Close, 1, EIO, false},
        {"the rename", Rename, 1, EXDEV, false},
        {"opening the folder", Open, 1, EACCES, true},
        {"flushing the folder", Fsync, 2, EINVAL, true},
        {"closing the folder", Close, 2, EIO, true},
    };
    const std::string old = "bank05\r\nFM\r\n12.5\r\n \r\n9999\r\n";
    const std::string fresh = "bank05\r\nFM\r\n12.5\r\n \r\n145.5\r\n \r\n9999\r\n";
    fs::create_symlink("store/bank05.dat", folder / "bank05.dat");
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        put(folder / "store" / "bank05.dat", old);
        run = {fault, {}};
        const Replacement result = replaceFile((folder / "bank05.dat").string(), fresh, faultyCalls());
        EXPECT_GE(run.counts[fault.call], fault.nth) << "the faulty call was never made";
        EXPECT_EQ(bytesOf(folder / "store" / "bank05.dat"), fault.done ? fresh : old);
        std::error_code error;
        EXPECT_EQ(fs::read_symlink(folder / "bank05.dat", error), fs::path("store/bank05.dat")) << "the link stays";
        EXPECT_EQ(scratch.names(), (std::vector<std::string>{"bank05.dat", "store"})) << "a scratch file was left";
        EXPECT_EQ(scratch.names("store"), std::vector<std::string>{"bank05.dat"}) << "a scratch file was left";
        EXPECT_EQ(result.error, fault.done ? 0 : fault.error == 0 ? EIO : fault.error) << result.problem;
        EXPECT_EQ(result.problem.find("bank05.dat") != std::string::npos, !fault.done) << result.problem;
    }
}

TEST_F(Replacing, LinkedAndProtectedBanksAreUpdatedWhereTheyAreOrLeftAlone) {
    TextFiles files;
    const auto replace = [&](const char* name) { return files.replaceTextFile((folder / name).string(), {"new"}); };
    // Kept on another disk, through two links: the real bank is updated.
    put(folder / "store" / "bank05.dat", "old\r\n");
    fs::create_symlink(folder / "store" / "bank05.dat", folder / "link.dat");
    fs::create_symlink("link.dat", folder / "bank05.dat");
    EXPECT_TRUE(replace("bank05.dat"));
    EXPECT_EQ(bytesOf(folder / "store" / "bank05.dat"), "new\r\n") << "the bank the links lead to";
    std::error_code error;
    EXPECT_EQ(fs::read_symlink(folder / "bank05.dat", error), fs::path("link.dat")) << "the link stays";

    // A disk not mounted, or a file gone from a folder: no new file instead.
    fs::create_symlink(folder / "unmounted" / "bank06.dat", folder / "bank06.dat");
    fs::create_symlink("store/bank07.dat", folder / "bank07.dat");
    for (const char* name : {"bank06.dat", "bank07.dat"}) {
        EXPECT_FALSE(replace(name)) << name;
        EXPECT_TRUE(fs::is_symlink(folder / name)) << name << ": the link is left";
        EXPECT_FALSE(fs::exists(folder / name)) << name << ": and leads nowhere still";
    }

    // No write permission for anybody: refused as a write would be, to root too.
    put(folder / "bank09.dat", "old\r\n");
    fs::permissions(folder / "bank09.dat", fs::perms(0444));
    EXPECT_FALSE(replace("bank09.dat"));
    EXPECT_EQ(bytesOf(folder / "bank09.dat"), "old\r\n");
    EXPECT_EQ(scratch.names(), (std::vector<std::string>{"bank05.dat", "bank06.dat", "bank07.dat", "bank09.dat",
                                                         "link.dat", "store"}))
        << "a scratch file was left";
    EXPECT_EQ(scratch.names("store"), std::vector<std::string>{"bank05.dat"}) << "a scratch file was left";
}

}  // namespace
}  // namespace voxpan
