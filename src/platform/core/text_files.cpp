#include "platform/core/text_files.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/file_replacement.h"

namespace voxpan {

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
