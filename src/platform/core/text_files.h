// Text files in the working folder, read line by line (a line ends at CR, LF
// or CR LF) and written with CR LF, as the bank files and the log are kept.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace voxpan {

class TextFiles {
public:
    TextFiles() = default;
    ~TextFiles();
    TextFiles(const TextFiles&) = delete;
    TextFiles& operator=(const TextFiles&) = delete;

    FileHandle openForReading(const std::string& name);
    FileHandle openForWriting(const std::string& name);
    bool readLine(FileHandle file, std::string& line);
    void writeLine(FileHandle file, std::string_view line);
    void closeFile(FileHandle file);
    bool deleteFile(const std::string& name);

private:
    FileHandle add(std::FILE* stream);
    std::map<FileHandle, std::FILE*> open_;
    FileHandle next_ = 1;
};

}  // namespace voxpan
