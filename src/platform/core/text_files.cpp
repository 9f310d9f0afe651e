#include "platform/core/text_files.h"

#include <sys/stat.h>

#include <cstdio>

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
    std::FILE* stream = std::fopen(name.c_str(), "rb");
    if (stream == nullptr) return 0;
    // A folder opens for reading on Linux and then reads as an empty file.
    struct stat status {};
    if (::fstat(::fileno(stream), &status) != 0 || S_ISDIR(status.st_mode)) {
        std::fclose(stream);
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
    return std::remove(name.c_str()) == 0;
}

}  // namespace voxpan
