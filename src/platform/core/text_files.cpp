#include "platform/core/text_files.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/file_replacement.h"

namespace voxpan {

namespace {

// The descriptor as a stream that waits as files do, when it is a regular
// file (emptied first when asked, so nothing else is ever emptied); closed
// and null otherwise.
std::FILE* regularFileStream(int fd, const char* mode, bool empty) {
    if (fd < 0) return nullptr;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || (empty && ::ftruncate(fd, 0) != 0)) {
        ::close(fd);
        return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* stream = ::fdopen(fd, mode);
    if (stream == nullptr) ::close(fd);
    return stream;
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
    return add(regularFileStream(::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC), "rb", false));
}

FileHandle TextFiles::openForWriting(const std::string& name) {
    // Opening a pipe for writing waits for a reader, and a device is no
    // log: what is there is looked at first, and whatever appears in its
    // place before the open cannot hold the panel either.
    struct stat status {};
    if (::stat(name.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) return 0;
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    return add(regularFileStream(fd, "wb", true));
}

FileHandle TextFiles::openForAppending(const std::string& name) {
    struct stat status {};
    if (::stat(name.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) return 0;
    // O_APPEND: each write lands at the end, whoever else adds to the file.
    const int fd = ::open(name.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    std::FILE* stream = regularFileStream(fd, "ab", false);
    if (stream == nullptr) return 0;
    // A line cut short by a crash is ended, so that it spoils no new line.
    char last = '\n';
    const off_t size = ::lseek(::fileno(stream), 0, SEEK_END);
    if (size > 0 && ::pread(::fileno(stream), &last, 1, size - 1) == 1 && last != '\n' && last != '\r') {
        std::fwrite("\r\n", 1, 2, stream);
        std::fflush(stream);
    }
    return add(stream);
}

bool TextFiles::readLine(FileHandle file, std::string& line) {
    line.clear();
    auto found = open_.find(file);
    if (found == open_.end()) return false;
    std::FILE* stream = found->second;
    int c = std::fgetc(stream);
    if (c == EOF) return false;
    // The rest of a longer line is read past without being kept, so that a
    // file without line ends cannot fill the memory.
    while (c != EOF && c != '\r' && c != '\n') {
        if (line.size() < kLongestLineRead) line.push_back(static_cast<char>(c));
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
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    const Replacement replaced = replaceFile(name, content);
    // The panel only says "inv": whoever looks at the screen learns why.
    if (!replaced.done()) std::fprintf(stderr, "voxpan: %s\n", replaced.problem.c_str());
    return replaced.done();
}

}  // namespace voxpan
