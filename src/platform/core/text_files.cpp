#include "platform/core/text_files.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace voxpan {

namespace {

// The folder a file name lies in, for the new file of a replacement and for
// syncing the rename: "." for a bare name.
std::string folderOf(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return name.substr(0, slash);
}

bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// The permissions a file created by fopen would get: 0666 less the umask.
// A replaced file keeps the permissions it had.
mode_t modeForReplacement(const std::string& name) {
    struct stat old {};
    if (::stat(name.c_str(), &old) == 0 && S_ISREG(old.st_mode)) return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

TextFiles::~TextFiles() {
    for (auto& [handle, stream] : open_) std::fclose(stream);
}

FileHandle TextFiles::add(std::FILE* stream) {
    if (stream == nullptr) return 0;
    FileHandle handle = next_++;
    open_[handle] = stream;
    return handle;
}

FileHandle TextFiles::openForReading(const std::string& name) {
    // Opened without waiting, so that a pipe of that name cannot hold the
    // panel, and looked at before anything is read: on Linux a folder opens
    // for reading like a file.
    const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return 0;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return 0;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* stream = ::fdopen(fd, "rb");
    if (stream == nullptr) {
        ::close(fd);
        return 0;
    }
    return add(stream);
}

FileHandle TextFiles::openForWriting(const std::string& name) {
    return add(std::fopen(name.c_str(), "wb"));
}

bool TextFiles::readLine(FileHandle file, std::string& line) {
    line.clear();
    auto found = open_.find(file);
    if (found == open_.end()) return false;
    std::FILE* stream = found->second;
    int c = std::fgetc(stream);
    if (c == EOF) return false;
    while (c != EOF && c != '\r' && c != '\n') {
        line.push_back(static_cast<char>(c));
        c = std::fgetc(stream);
    }
    if (c == '\r') {
        int next = std::fgetc(stream);
        if (next != '\n' && next != EOF) std::ungetc(next, stream);
    }
    return true;
}

void TextFiles::writeLine(FileHandle file, std::string_view line) {
    auto found = open_.find(file);
    if (found == open_.end()) return;
    std::fwrite(line.data(), 1, line.size(), found->second);
    std::fwrite("\r\n", 1, 2, found->second);
    // Written at once: others may read the log while the panel runs, and a
    // crash or a pulled plug must not lose the lines already written.
    std::fflush(found->second);
}

void TextFiles::closeFile(FileHandle file) {
    auto found = open_.find(file);
    if (found == open_.end()) return;
    std::fclose(found->second);
    open_.erase(found);
}

bool TextFiles::deleteFile(const std::string& name) {
    // unlink, unlike remove, leaves a folder of that name alone.
    return ::unlink(name.c_str()) == 0 || errno == ENOENT;
}

bool TextFiles::replaceTextFile(const std::string& name, const std::vector<std::string>& lines) {
    if (name.empty()) return false;
    const std::string folder = folderOf(name);
    const std::size_t slash = name.rfind('/');
    const std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    if (base.empty()) return false;
    // A dot name in the same folder: the rename stays within one file
    // system, and a directory listing of banks does not show it.
    std::string scratch = (folder == "." ? std::string() : folder + "/") + "." + base + ".XXXXXX";
    const int fd = ::mkstemp(scratch.data());
    if (fd < 0) return false;

    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    const bool written = ::fchmod(fd, modeForReplacement(name)) == 0 && writeAll(fd, content) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(scratch.c_str(), name.c_str()) != 0) {
        ::unlink(scratch.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return true;
}

}  // namespace voxpan
