// Text files in the working folder on Windows, read line by line (a line
// ends at CR, LF or CR LF) and written with CR LF, as the bank files and the
// log are kept.
#pragma once

#include <deque>
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
    // How a line goes to a file being added to (a HANDLE): true when every
    // byte was written; tests make it fail as a lock would.
    using AppendWrite = bool (*)(void* file, std::string_view bytes);

    explicit Win32TextFiles(ErrorOutput& errors = ErrorOutput::process(), AppendWrite appendWrite = nullptr);
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
    // line end gets CR LF first. A file another program holds (open without
    // letting others write, as a spreadsheet does, or locked) opens all the
    // same: its lines are kept, in order, and written once it lets go.
    FileHandle openForAppending(const std::string& name);
    // Keeps at most kLongestLineRead characters of the line.
    bool readLine(FileHandle file, std::string& line);
    void writeLine(FileHandle file, std::string_view line);
    // Lines still held back at the close are told on the error output.
    void closeFile(FileHandle file);
    // Writes the lines held back from files that another program has let
    // go since: called while the panel waits for its events.
    void writeHeldLines();
    // True when nothing of that name is left (removed, or there was none).
    bool deleteFile(const std::string& name);
    // As replaceFileWhole (win32_file_replacement.h) does it; false with the
    // old file untouched, and the reason on the error output, when it could
    // not be done.
    bool replaceTextFile(const std::string& name, const std::vector<std::string>& lines);

private:
    struct OpenFile;
    FileHandle add(void* handle);
    void writeHeldLines(OpenFile& file);
    ErrorOutput& errors_;
    AppendWrite appendWrite_;
    std::map<FileHandle, std::unique_ptr<OpenFile>> open_;
    FileHandle next_ = 1;
};

PathKind win32PathKind(const std::string& name);

}  // namespace voxpan
