#include "platform/core/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace voxpan {

namespace {

constexpr int kInterruptedRetries = 100;
constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

// `error` is taken before anything is built that might change errno; "{}"
// in the text stands for the file's name. The system's reason follows,
// unless the text says it all.
Replacement failure(int error, std::string_view text, const std::string& name, bool withReason = true) {
    std::string what(text);
    if (const std::size_t at = what.find("{}"); at != std::string::npos) what.replace(at, 2, name);
    return {error, withReason ? what + ": " + std::strerror(error) : what};
}

FileSysCalls withRealCalls(FileSysCalls calls) {
    const FileSysCalls real = FileSysCalls::real();
    if (calls.lstat == nullptr) calls.lstat = real.lstat;
    if (calls.realpath == nullptr) calls.realpath = real.realpath;
    if (calls.access == nullptr) calls.access = real.access;
    if (calls.mkstemp == nullptr) calls.mkstemp = real.mkstemp;
    if (calls.open == nullptr) calls.open = real.open;
    if (calls.fchown == nullptr) calls.fchown = real.fchown;
    if (calls.fchmod == nullptr) calls.fchmod = real.fchmod;
    if (calls.write == nullptr) calls.write = real.write;
    if (calls.fsync == nullptr) calls.fsync = real.fsync;
    if (calls.close == nullptr) calls.close = real.close;
    if (calls.rename == nullptr) calls.rename = real.rename;
    return calls;
}

// The folder a file lies in: "." for a bare name.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// The file the bytes are meant for: the path itself, or the final target of
// a link. `status` is that file's, and `exists` false when there is none.
Replacement findTarget(const FileSysCalls& calls, const std::string& path, std::string& target,
                       struct stat& status, bool& exists) {
    target = path;
    exists = calls.lstat(path.c_str(), &status) == 0;
    if (!exists) return errno == ENOENT ? Replacement{} : failure(errno, "cannot look at {}", path);
    if (!S_ISLNK(status.st_mode)) return {};
    char* resolved = calls.realpath(path.c_str());
    if (resolved == nullptr) {
        if (errno == ENOENT) {
            return failure(ENOENT, "the link {} leads nowhere (is the disk it points to mounted?)", path, false);
        }
        return failure(errno, "cannot follow the link {}", path);
    }
    target = resolved;
    std::free(resolved);
    if (calls.lstat(target.c_str(), &status) != 0) return failure(errno, "cannot look at {}", target);
    return {};
}

Replacement checkReplaceable(const FileSysCalls& calls, const std::string& target, const struct stat& status) {
    if (S_ISDIR(status.st_mode)) return failure(EISDIR, "{} is a folder, not a file", target, false);
    if (!S_ISREG(status.st_mode)) return failure(EINVAL, "{} is not a regular file", target, false);
    // No write bit at all is the operator's protection, which the superuser
    // (whom access() lets write anything) respects as well.
    if ((status.st_mode & kAnyWrite) == 0) return failure(EACCES, "{} is write-protected", target, false);
    if (calls.access(target.c_str(), W_OK) != 0) return failure(errno, "{} may not be written", target);
    return {};
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Everything is written, or the errno of the failure (a write that makes
// no progress counts as EIO).
int writeAll(const FileSysCalls& calls, int fd, std::string_view bytes) {
    int interruptions = 0;
    while (!bytes.empty()) {
        const long written = calls.write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR && ++interruptions < kInterruptedRetries) continue;
        if (written < 0) return errno;
        if (written == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// The old file's owner and group go to the new one where the process may
// set them: an ordinary user keeps at least a shared group of his own.
int keepOwner(const FileSysCalls& calls, int fd, const struct stat& old) {
    if (calls.fchown(fd, old.st_uid, old.st_gid) == 0) return 0;
    if (errno != EPERM) return errno;
    if (calls.fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0 || errno == EPERM) return 0;
    return errno;
}

// Fills the scratch file for `target` and closes it.
Replacement fillScratch(const FileSysCalls& calls, int fd, std::string_view bytes, const struct stat* old,
                        const std::string& target) {
    Replacement result;
    int error = 0;
    if (old != nullptr && (error = keepOwner(calls, fd, *old)) != 0) {
        result = failure(error, "cannot give the new {} the owner of the old one", target);
    } else if (calls.fchmod(fd, old != nullptr ? old->st_mode & 07777 : newFileMode()) != 0) {
        result = failure(errno, "cannot give the new {} its permissions", target);
    } else if ((error = writeAll(calls, fd, bytes)) != 0) {
        result = failure(error, "cannot write {}", target);
    } else if (calls.fsync(fd) != 0) {
        result = failure(errno, "cannot flush {} to the disk", target);
    }
    if (calls.close(fd) != 0 && result.done()) result = failure(errno, "cannot write {}", target);
    return result;
}

// The rename reaches the disk with its folder. The new file is in place
// already: a folder that cannot be synced (some file systems refuse) does
// not undo it, and at worst a crash would bring back the old file whole.
void syncFolder(const FileSysCalls& calls, const std::string& folder) {
    const int fd = calls.open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    calls.fsync(fd);
    calls.close(fd);
}

}  // namespace

FileSysCalls FileSysCalls::real() {
    FileSysCalls calls;
    calls.lstat = [](const char* path, struct stat* status) { return ::lstat(path, status); };
    calls.realpath = [](const char* path) { return ::realpath(path, nullptr); };
    calls.access = [](const char* path, int mode) { return ::faccessat(AT_FDCWD, path, mode, AT_EACCESS); };
    calls.mkstemp = [](char* pattern) { return ::mkostemp(pattern, O_CLOEXEC); };
    calls.open = [](const char* path, int flags) { return ::open(path, flags); };
    calls.fchown = [](int fd, uid_t owner, gid_t group) { return ::fchown(fd, owner, group); };
    calls.fchmod = [](int fd, mode_t mode) { return ::fchmod(fd, mode); };
    calls.write = [](int fd, const void* bytes, unsigned long count) -> long { return ::write(fd, bytes, count); };
    calls.fsync = [](int fd) { return ::fsync(fd); };
    calls.close = [](int fd) { return ::close(fd); };
    calls.rename = [](const char* from, const char* to) { return ::rename(from, to); };
    return calls;
}

Replacement replaceFile(const std::string& path, std::string_view bytes, const FileSysCalls& injected) {
    if (path.empty() || path.back() == '/') return failure(EINVAL, "no file name in \"{}\"", path, false);
    const FileSysCalls calls = withRealCalls(injected);
    std::string target;
    struct stat old {};
    bool exists = false;
    if (Replacement found = findTarget(calls, path, target, old, exists); !found.done()) return found;
    if (exists) {
        if (Replacement refused = checkReplaceable(calls, target, old); !refused.done()) return refused;
    }

    // A dot name beside the target: the rename stays within one file
    // system, and a listing of the banks does not show it.
    const std::string folder = folderOf(target);
    const std::size_t slash = target.rfind('/');
    std::string scratch = target.substr(0, slash + 1) + "." + target.substr(slash + 1) + ".XXXXXX";
    const int fd = calls.mkstemp(scratch.data());
    if (fd < 0) return failure(errno, "cannot create the new {}", target);

    Replacement result = fillScratch(calls, fd, bytes, exists ? &old : nullptr, target);
    if (result.done() && calls.rename(scratch.c_str(), target.c_str()) != 0) {
        result = failure(errno, "cannot put the new file in place of {}", target);
    }
    if (!result.done()) {
        ::unlink(scratch.c_str());
        return result;
    }
    syncFolder(calls, folder);
    return result;
}

}  // namespace voxpan
