// Text files in the working folder, read line by line (a line ends at CR, LF
// or CR LF) and written with CR LF, as the bank files and the log are kept.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace voxpan {

class TextFiles {
public:
    TextFiles() = default;
    ~TextFiles();
    TextFiles(const TextFiles&) = delete;
    TextFiles& operator=(const TextFiles&) = delete;

    // Only a regular file opens, and opening never waits: a folder, a
    // device or a pipe does not open (nor is it emptied for writing).
    FileHandle openForReading(const std::string& name);
    FileHandle openForWriting(const std::string& name);
    // Created when missing, never emptied; every line goes to the end. A
    // last line without its line end gets CR LF first.
    FileHandle openForAppending(const std::string& name);
    // Keeps at most kLongestLineRead characters of the line.
    bool readLine(FileHandle file, std::string& line);
    void writeLine(FileHandle file, std::string_view line);
    void closeFile(FileHandle file);
    // True when nothing of that name is left (removed, or there was none).
    bool deleteFile(const std::string& name);
    // As replaceFile (file_replacement.h) does it; false with the old file
    // untouched, and the reason on stderr, when it could not be done.
    bool replaceTextFile(const std::string& name, const std::vector<std::string>& lines);

private:
    FileHandle add(std::FILE* stream);
    std::map<FileHandle, std::FILE*> open_;
    FileHandle next_ = 1;
};

}  // namespace voxpan
