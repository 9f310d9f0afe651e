// Replacing a whole file so that a reader, a crash or a full disk finds the
// old file or the new one, never a mix: the bytes go to a scratch file in
// the same folder, which is synced and renamed over the old one. The panel's
// bank files and pansetup's VOXPAN.CFG are written this way.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

struct stat;

namespace voxpan {

// The system calls a replacement makes, so that tests can make each one
// fail. A call left empty is filled with the real one.
struct FileSysCalls {
    int (*lstat)(const char* path, struct stat* status) = nullptr;
    // As realpath(path, nullptr): the caller frees the answer.
    char* (*realpath)(const char* path) = nullptr;
    // Whether the effective user may use the file so (faccessat with AT_EACCESS).
    int (*access)(const char* path, int mode) = nullptr;
    int (*mkstemp)(char* pattern) = nullptr;
    int (*open)(const char* path, int flags) = nullptr;
    int (*fchown)(int fd, uid_t owner, gid_t group) = nullptr;
    int (*fchmod)(int fd, mode_t mode) = nullptr;
    long (*write)(int fd, const void* bytes, unsigned long count) = nullptr;
    int (*fsync)(int fd) = nullptr;
    int (*close)(int fd) = nullptr;
    int (*rename)(const char* from, const char* to) = nullptr;
    static FileSysCalls real();
};

// What came of a replacement.
struct Replacement {
    int error = 0;        // 0: the file holds the new bytes; else the errno of the step that failed
    std::string problem;  // empty when replaced; else one line: what could not be done, and why
    bool done() const { return error == 0; }
};

// Puts `bytes` in the file at `path`, creating it when there is none. When
// anything fails the file is as it was and no scratch file is left.
// - A symbolic link is followed to its final target, which is replaced; the
//   link stays. A link that leads nowhere (its disk not mounted) is refused.
// - The file keeps its permission bits, and its owner and group as far as
//   the process may set them; a new file gets 0666 less the umask.
// - A file the user may not write, or one with no write permission for
//   anybody (refused to root too), is refused, as an in-place write would
//   be; so is anything that is not a regular file.
// - Once the new file is in place the replacement is done, even when the
//   folder cannot be synced afterwards.
Replacement replaceFile(const std::string& path, std::string_view bytes,
                        const FileSysCalls& calls = FileSysCalls::real());

}  // namespace voxpan
