#include "platform/win32/win32_text_files.h"

#include <windows.h>

#include "platform/win32/handle_writes.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_device_names.h"
#include "platform/win32/win32_file_replacement.h"

namespace voxpan {

namespace {

constexpr DWORD kReadChunk = 4096;
// A night's stops, and more: beyond this many, lines held back are dropped.
constexpr std::size_t kMostHeldLines = 10000;

// Another program has the file open without letting others write (a
// spreadsheet), or has locked it: it lets go sooner or later.
bool heldByAnotherProgram(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

HANDLE openToAppend(const std::string& name) {
    // Read access only to look at the last byte. Others may read the file,
    // and add to it, while it is open.
    return CreateFileW(wideText(name).c_str(), GENERIC_READ | FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A line cut short by a crash is ended, so that it spoils no new line.
void endCutLine(HANDLE file) {
    LARGE_INTEGER size{};
    char last = '\n';
    DWORD got = 0;
    if (!GetFileSizeEx(file, &size) || size.QuadPart == 0) return;
    LARGE_INTEGER at{};
    at.QuadPart = size.QuadPart - 1;
    if (SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && ReadFile(file, &last, 1, &got, nullptr) && got == 1 &&
        last != '\n' && last != '\r') {
        SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_END);
        writeAllTo(file, "\r\n");
    }
}

}  // namespace

struct Win32TextFiles::OpenFile {
    HANDLE handle = INVALID_HANDLE_VALUE;
    std::string buffer;  // read and not yet taken
    std::size_t taken = 0;
    bool ended = false;
    bool appending = false;
    std::string name;                // of a file being added to
    std::deque<std::string> held;    // lines (with CR LF) another program keeps out for now
    bool holdTold = false;

    // The next byte, or -1 at the end of the file.
    int next() {
        if (taken == buffer.size()) {
            if (ended) return -1;
            buffer.resize(kReadChunk);
            DWORD got = 0;
            if (!ReadFile(handle, buffer.data(), kReadChunk, &got, nullptr) || got == 0) {
                ended = true;
                got = 0;
            }
            buffer.resize(got);
            taken = 0;
            if (got == 0) return -1;
        }
        return static_cast<unsigned char>(buffer[taken++]);
    }
    int peek() {
        const int c = next();
        if (c >= 0) --taken;
        return c;
    }
};

Win32TextFiles::Win32TextFiles(ErrorOutput& errors, AppendWrite appendWrite)
    : errors_(errors), appendWrite_(appendWrite) {
    if (appendWrite_ == nullptr)
        appendWrite_ = [](void* file, std::string_view bytes) { return writeAllTo(static_cast<HANDLE>(file), bytes); };
}

Win32TextFiles::~Win32TextFiles() {
    for (auto& [number, file] : open_)
        if (file->handle != INVALID_HANDLE_VALUE) CloseHandle(file->handle);
}

FileHandle Win32TextFiles::add(void* handle) {
    if (handle == INVALID_HANDLE_VALUE) return 0;
    auto file = std::make_unique<OpenFile>();
    file->handle = handle;
    const FileHandle number = next_++;
    open_[number] = std::move(file);
    return number;
}

FileHandle Win32TextFiles::openForReading(const std::string& name) {
    if (name.empty() || isWindowsDeviceName(name)) return 0;
    // A folder does not open without FILE_FLAG_BACKUP_SEMANTICS; a device
    // name (COM1, NUL, CON) or a pipe is not a file on a disk.
    HANDLE file = CreateFileW(wideText(name).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return 0;
    }
    return add(file);
}

FileHandle Win32TextFiles::openForWriting(const std::string& name) {
    // A device is not opened at all: a COM port's control lines would move,
    // a printer port might wait.
    if (name.empty() || isWindowsDeviceName(name) || win32PathKind(name) == PathKind::Folder) return 0;
    HANDLE file = CreateFileW(wideText(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return 0;
    }
    return add(file);
}

FileHandle Win32TextFiles::openForAppending(const std::string& name) {
    if (name.empty() || isWindowsDeviceName(name)) return 0;
    HANDLE file = openToAppend(name);
    if (file == INVALID_HANDLE_VALUE && !heldByAnotherProgram(GetLastError())) return 0;
    if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return 0;
    }
    if (file != INVALID_HANDLE_VALUE) endCutLine(file);
    // A file another program holds opens all the same: its lines wait.
    auto open = std::make_unique<OpenFile>();
    open->handle = file;
    open->appending = true;
    open->name = name;
    const FileHandle number = next_++;
    open_[number] = std::move(open);
    return number;
}

void Win32TextFiles::writeHeldLines(OpenFile& file) {
    if (file.handle == INVALID_HANDLE_VALUE) {
        HANDLE handle = openToAppend(file.name);
        if (handle == INVALID_HANDLE_VALUE) return;
        file.handle = handle;
        endCutLine(handle);
    }
    while (!file.held.empty()) {
        // Without FILE_WRITE_DATA every write lands at the end; the move
        // there makes sure of it where a file system ignores that.
        SetFilePointerEx(file.handle, LARGE_INTEGER{}, nullptr, FILE_END);
        if (!appendWrite_(file.handle, file.held.front()) && heldByAnotherProgram(GetLastError())) return;
        file.held.pop_front();
    }
    file.holdTold = false;
}

void Win32TextFiles::writeHeldLines() {
    for (auto& [number, file] : open_)
        if (!file->held.empty()) writeHeldLines(*file);
}

bool Win32TextFiles::readLine(FileHandle file, std::string& line) {
    line.clear();
    auto found = open_.find(file);
    if (found == open_.end()) return false;
    OpenFile& open = *found->second;
    int c = open.next();
    if (c < 0) return false;
    // The rest of a longer line is read past without being kept, so that a
    // file without line ends cannot fill the memory.
    while (c >= 0 && c != '\r' && c != '\n') {
        if (line.size() < kLongestLineRead) line.push_back(static_cast<char>(c));
        c = open.next();
    }
    if (c == '\r' && open.peek() == '\n') open.next();
    return true;
}

void Win32TextFiles::writeLine(FileHandle file, std::string_view line) {
    auto found = open_.find(file);
    if (found == open_.end()) return;
    OpenFile& open = *found->second;
    // One write, straight to the system: others may read the log while the
    // panel runs, and a crash must not lose the lines already written.
    std::string bytes(line);
    bytes += "\r\n";
    if (!open.appending) {
        writeAllTo(open.handle, bytes);
        return;
    }
    // Lines keep their order: a new one waits behind those held back.
    if (open.held.size() >= kMostHeldLines) return;
    open.held.push_back(std::move(bytes));
    writeHeldLines(open);
    if (open.held.empty() || open.holdTold) return;
    open.holdTold = true;
    errors_.line("voxpan: " + open.name + " is held by another program; its new lines wait until it lets go");
}

void Win32TextFiles::closeFile(FileHandle file) {
    auto found = open_.find(file);
    if (found == open_.end()) return;
    OpenFile& open = *found->second;
    if (!open.held.empty()) writeHeldLines(open);
    // Still held at the end: the lines are told, so that they are not lost.
    for (const std::string& line : open.held)
        errors_.line("voxpan: not added to " + open.name + ": " + line.substr(0, line.size() - 2));
    if (open.handle != INVALID_HANDLE_VALUE) CloseHandle(open.handle);
    open_.erase(found);
}

bool Win32TextFiles::deleteFile(const std::string& name) {
    if (name.empty()) return false;
    // DeleteFileW leaves a folder of that name alone.
    if (DeleteFileW(wideText(name).c_str())) return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool Win32TextFiles::replaceTextFile(const std::string& name, const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    const std::string problem = replaceFileWhole(name, content);
    // The panel only says "inv": whoever looks at the screen learns why.
    if (!problem.empty()) errors_.line("voxpan: " + problem);
    return problem.empty();
}

PathKind win32PathKind(const std::string& name) {
    if (name.empty()) return PathKind::Missing;
    const DWORD attributes = GetFileAttributesW(wideText(name).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME
                   ? PathKind::Missing
                   : PathKind::Other;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return PathKind::Folder;
    if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) return PathKind::Other;
    return PathKind::File;
}

}  // namespace voxpan
