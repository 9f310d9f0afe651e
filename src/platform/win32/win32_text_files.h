// Text files in the working folder on Windows, read line by line (a line
// ends at CR, LF or CR LF) and written with CR LF, as the bank files and the
// log are kept.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/error_output.h"

namespace voxpan {

class Win32TextFiles {
public:
    explicit Win32TextFiles(ErrorOutput& errors = ErrorOutput::process());
    ~Win32TextFiles();
    Win32TextFiles(const Win32TextFiles&) = delete;
    Win32TextFiles& operator=(const Win32TextFiles&) = delete;

    // Only a file on a disk opens: a folder, a device or a pipe does not,
    // and a device name (NUL, COM1) is not even tried.
    FileHandle openForReading(const std::string& name);
    // The same; others may read the file while it is open (the log).
    FileHandle openForWriting(const std::string& name);
    // Created when missing, never emptied; every line goes to the end, also
    // past lines another program added meanwhile. A last line without its
    // line end gets CR LF first.
    FileHandle openForAppending(const std::string& name);
    // Keeps at most kLongestLineRead characters of the line.
    bool readLine(FileHandle file, std::string& line);
    void writeLine(FileHandle file, std::string_view line);
    void closeFile(FileHandle file);
    // True when nothing of that name is left (removed, or there was none).
    bool deleteFile(const std::string& name);
    // As replaceFileWhole (win32_file_replacement.h) does it; false with the
    // old file untouched, and the reason on the error output, when it could
    // not be done.
    bool replaceTextFile(const std::string& name, const std::vector<std::string>& lines);

private:
    struct OpenFile;
    FileHandle add(void* handle, bool appending = false);
    ErrorOutput& errors_;
    std::map<FileHandle, std::unique_ptr<OpenFile>> open_;
    FileHandle next_ = 1;
};

PathKind win32PathKind(const std::string& name);

}  // namespace voxpan
