// Replacing a file whole: every system call made to fail in turn, and the
// files an operator linked or protected, in a real temporary folder.
#include "platform/core/file_replacement.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/core/text_files.h"

namespace voxpan {
namespace {

namespace fs = std::filesystem;

enum Call { Lstat, Realpath, Access, Mkstemp, Open, Fchown, Fchmod, Write, Fsync, Close, Rename, kCalls };

// One call made to misbehave: the nth of its kind fails with `error`, or,
// for a write with no error, claims to have written nothing.
struct Fault {
    const char* what;
    Call call;
    int nth;
    int error;
    bool done;  // the file is replaced all the same
};

// Plain function pointers cannot capture: the fault of the run and the
// calls counted so far. Every write is short, a few bytes at a time.
struct {
    Fault fault{};
    int counts[kCalls]{};
} run;
constexpr unsigned long kWriteChunk = 3;

bool strikes(Call call) { return ++run.counts[call] == run.fault.nth && run.fault.call == call; }
int failed() {
    errno = run.fault.error;
    return -1;
}

FileSysCalls faultyCalls() {
    FileSysCalls calls;
    calls.lstat = [](const char* path, struct stat* status) { return strikes(Lstat) ? failed() : ::lstat(path, status); };
    calls.realpath = [](const char* path) -> char* {
        if (!strikes(Realpath)) return ::realpath(path, nullptr);
        failed();
        return nullptr;
    };
    calls.access = [](const char* path, int mode) { return strikes(Access) ? failed() : ::access(path, mode); };
    calls.mkstemp = [](char* pattern) { return strikes(Mkstemp) ? failed() : ::mkstemp(pattern); };
    calls.open = [](const char* path, int flags) { return strikes(Open) ? failed() : ::open(path, flags); };
    calls.fchown = [](int fd, uid_t owner, gid_t group) { return strikes(Fchown) ? failed() : ::fchown(fd, owner, group); };
    calls.fchmod = [](int fd, mode_t mode) { return strikes(Fchmod) ? failed() : ::fchmod(fd, mode); };
    calls.write = [](int fd, const void* bytes, unsigned long count) -> long {
        if (strikes(Write)) return run.fault.error == 0 ? 0 : failed();
        return ::write(fd, bytes, std::min(count, kWriteChunk));
    };
    calls.fsync = [](int fd) { return strikes(Fsync) ? failed() : ::fsync(fd); };
    // A close that fails still lets the descriptor go, as on Linux.
    calls.close = [](int fd) { return strikes(Close) ? (::close(fd), failed()) : ::close(fd); };
    calls.rename = [](const char* from, const char* to) { return strikes(Rename) ? failed() : ::rename(from, to); };
    return calls;
}

class Replacing : public ::testing::Test {
protected:
    Replacing() {
        std::string pattern = (fs::temp_directory_path() / "voxpan-replace-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        folder = pattern;
        fs::create_directory(folder / "store");
    }
    ~Replacing() override {
        fs::permissions(folder, fs::perms::owner_all);
        fs::remove_all(folder);
    }
    static std::string bytesOf(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return in ? std::string{std::istreambuf_iterator<char>(in), {}} : "(no file)";
    }
    static void put(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
    // Every name in the two folders: a scratch file left shows here.
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const fs::path& where : {folder, folder / "store"})
            for (const auto& entry : fs::directory_iterator(where)) found.push_back(entry.path().filename());
        std::sort(found.begin(), found.end());
        return found;
    }

    fs::path folder;
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
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        fs::remove_all(folder / "store");
        fs::remove(folder / "bank05.dat");
        fs::create_directory(folder / "store");
        put(folder / "store" / "bank05.dat", old);
        fs::create_symlink("store/bank05.dat", folder / "bank05.dat");
        run = {fault, {}};

        const Replacement result = replaceFile((folder / "bank05.dat").string(), fresh, faultyCalls());
        EXPECT_GE(run.counts[fault.call], fault.nth) << "the faulty call was never made";
        EXPECT_EQ(bytesOf(folder / "store" / "bank05.dat"), fault.done ? fresh : old);
        EXPECT_EQ(fs::read_symlink(folder / "bank05.dat"), fs::path("store/bank05.dat")) << "the link stays";
        EXPECT_EQ(names(), (std::vector<std::string>{"bank05.dat", "bank05.dat", "store"})) << "a scratch file was left";
        EXPECT_EQ(result.done(), fault.done) << result.problem;
        if (fault.done) continue;
        EXPECT_EQ(result.error, fault.error == 0 ? EIO : fault.error) << result.problem;
        EXPECT_NE(result.problem.find("bank05.dat"), std::string::npos) << "the message names the file: " << result.problem;
    }
}

TEST_F(Replacing, LinkedAndProtectedBanksAreUpdatedWhereTheyAreOrLeftAlone) {
    TextFiles files;
    const auto replace = [&](const char* name) { return files.replaceTextFile((folder / name).string(), {"new"}); };
    // Kept on another disk: the link is followed, the real bank updated.
    put(folder / "store" / "bank05.dat", "old\r\n");
    fs::create_symlink(folder / "store" / "bank05.dat", folder / "link.dat");
    fs::create_symlink("link.dat", folder / "bank05.dat");
    EXPECT_TRUE(replace("bank05.dat"));
    EXPECT_EQ(bytesOf(folder / "store" / "bank05.dat"), "new\r\n") << "the bank the links lead to";
    EXPECT_TRUE(fs::is_symlink(folder / "bank05.dat")) << "the link stays a link";
    std::error_code error;
    EXPECT_EQ(fs::read_symlink(folder / "bank05.dat", error), fs::path("link.dat"));

    // A disk not mounted: nothing is created where the bank should be.
    fs::create_symlink(folder / "unmounted" / "bank06.dat", folder / "bank06.dat");
    EXPECT_FALSE(replace("bank06.dat"));
    EXPECT_TRUE(fs::is_symlink(folder / "bank06.dat")) << "the link is left";
    EXPECT_FALSE(fs::exists(folder / "unmounted"));
    fs::create_symlink("store/bank07.dat", folder / "bank07.dat");
    EXPECT_FALSE(replace("bank07.dat")) << "a link into an existing folder, to no file";
    EXPECT_FALSE(fs::exists(folder / "store" / "bank07.dat"));

    // Its permissions, owner and group stay with the bank.
    put(folder / "bank08.dat", "old\r\n");
    fs::permissions(folder / "bank08.dat", fs::perms(0640));
    const passwd* nobody = ::getpwnam("nobody");
    const bool root = ::geteuid() == 0 && nobody != nullptr;
    if (root) {
        ASSERT_EQ(::chown((folder / "bank08.dat").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    }
    EXPECT_TRUE(replace("bank08.dat"));
    struct stat status {};
    ASSERT_EQ(::stat((folder / "bank08.dat").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(status.st_uid, nobody->pw_uid) << "the owner stays";
        EXPECT_EQ(status.st_gid, nobody->pw_gid) << "the group stays";
    }

    // Write-protected, by anybody's rights: refused as a write would be.
    put(folder / "bank09.dat", "old\r\n");
    fs::permissions(folder / "bank09.dat", fs::perms(0444));
    EXPECT_FALSE(replace("bank09.dat")) << "nobody may write it: not even root replaces it";
    EXPECT_EQ(bytesOf(folder / "bank09.dat"), "old\r\n");
    if (root) {
        // Writable by its owner only: another user may not replace it.
        fs::permissions(folder, fs::perms::all);
        fs::permissions(folder / "bank09.dat", fs::perms(0644));
        const pid_t child = ::fork();
        if (child == 0) {
            const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(nobody->pw_gid) == 0 &&
                                 ::setuid(nobody->pw_uid) == 0;
            _exit(!dropped ? 2 : replace("bank09.dat") ? 1 : 0);
        }
        int exit = -1;
        ASSERT_EQ(::waitpid(child, &exit, 0), child);
        EXPECT_EQ(WEXITSTATUS(exit), 0) << "2: could not become nobody; 1: nobody replaced root's bank";
        EXPECT_EQ(bytesOf(folder / "bank09.dat"), "old\r\n");
    }
    const std::vector<std::string> left = names();
    EXPECT_TRUE(std::none_of(left.begin(), left.end(), [](const std::string& name) { return name.starts_with('.'); }))
        << "a scratch file was left";
}

}  // namespace
}  // namespace voxpan
