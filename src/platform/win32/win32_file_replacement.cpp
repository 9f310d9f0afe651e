#include "platform/win32/win32_file_replacement.h"

#include <windows.h>

#include <cstdio>

#include "platform/win32/handle_writes.h"
#include "platform/win32/win32_device_names.h"
#include "platform/win32/win32_serial_port.h"

namespace voxpan {

namespace {

constexpr int kScratchNameTries = 100;
// What a replaced file hands on to its successor: read-only is refused
// before, and the rest belongs to the file system.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// "{}" in the text stands for the file's name; the system's reason follows
// when there is an error code.
std::string failure(std::string_view text, const std::string& name, DWORD error = NO_ERROR) {
    std::string what(text);
    if (const std::size_t at = what.find("{}"); at != std::string::npos) what.replace(at, 2, name);
    return error == NO_ERROR ? what : what + ": " + win32ErrorText(error);
}

bool isSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

bool isThere(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A dot name beside the file, so that the move stays within one volume.
std::string scratchNameFor(const std::string& name, unsigned attempt) {
    std::size_t split = name.size();
    while (split > 0 && !isSeparator(name[split - 1])) --split;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%06lx",
                  static_cast<unsigned long>((GetTickCount64() * 7919u + GetCurrentProcessId() * 31u + attempt) &
                                             0xffffff));
    return name.substr(0, split) + "." + name.substr(split) + suffix;
}

std::string unusedNameBeside(const std::string& name) {
    std::string candidate;
    for (unsigned attempt = 0; attempt < kScratchNameTries; ++attempt) {
        candidate = scratchNameFor(name, attempt + kScratchNameTries);
        if (!isThere(candidate)) break;
    }
    return candidate;
}

// The file an existing name leads to, links followed; empty with the error
// left for GetLastError when it cannot be told.
std::string finalPathOf(const std::string& name) {
    HANDLE file = CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string path(MAX_PATH, '\0');
    DWORD length = GetFinalPathNameByHandleA(file, path.data(), static_cast<DWORD>(path.size()), 0);
    if (length >= path.size()) {
        path.resize(length);
        length = GetFinalPathNameByHandleA(file, path.data(), static_cast<DWORD>(path.size()), 0);
    }
    const DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    if (length == 0 || length >= path.size()) return {};
    path.resize(length);
    return path;
}

// Writes and flushes the scratch file and closes it.
std::string fillScratch(HANDLE file, std::string_view bytes, const std::string& name) {
    std::string problem;
    if (!writeAllTo(file, bytes)) problem = failure("cannot write {}", name, GetLastError());
    else if (!FlushFileBuffers(file)) problem = failure("cannot flush {} to the disk", name, GetLastError());
    if (!CloseHandle(file) && problem.empty()) problem = failure("cannot write {}", name, GetLastError());
    return problem;
}

// ReplaceFileA may fail after it has moved the old file to the backup
// name; the old file is then moved back.
std::string replaceExisting(const Win32ReplacementCalls& calls, const std::string& scratch, const std::string& target,
                            const std::string& name) {
    const std::string backup = unusedNameBeside(target);
    if (calls.replaceFile(target.c_str(), scratch.c_str(), backup.c_str())) {
        DeleteFileA(backup.c_str());
        return {};
    }
    const DWORD error = GetLastError();
    std::string problem = failure("cannot put the new file in place of {}", name, error);
    if (!isThere(target) && isThere(backup) &&
        !MoveFileExA(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        problem += "; the old file is now " + backup;
    }
    return problem;
}

}  // namespace

Win32ReplacementCalls Win32ReplacementCalls::real() {
    Win32ReplacementCalls calls;
    calls.replaceFile = [](const char* replaced, const char* replacement, const char* backup) -> int {
        return ReplaceFileA(replaced, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    };
    calls.moveFile = [](const char* from, const char* to) -> int {
        return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    };
    return calls;
}

std::string replaceFileWhole(const std::string& name, std::string_view bytes, const Win32ReplacementCalls& injected) {
    Win32ReplacementCalls calls = injected;
    if (calls.replaceFile == nullptr) calls.replaceFile = Win32ReplacementCalls::real().replaceFile;
    if (calls.moveFile == nullptr) calls.moveFile = Win32ReplacementCalls::real().moveFile;

    if (name.empty() || isSeparator(name.back())) return failure("no file name in \"{}\"", name);
    if (isWindowsDeviceName(name)) return failure("{} is a device, not a file", name);
    std::string target = name;
    DWORD attributes = GetFileAttributesA(name.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
            return failure("cannot look at {}", name, error);
        }
    } else {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return failure("{} is a folder, not a file", name);
        target = finalPathOf(name);
        if (target.empty()) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
                return failure("the link {} leads nowhere (is the disk it points to there?)", name);
            }
            return failure("cannot look at {}", name, error);
        }
        attributes = GetFileAttributesA(target.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return failure("cannot look at {}", name, GetLastError());
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return failure("{} is a folder, not a file", name);
        if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) return failure("{} is a device, not a file", name);
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return failure("{} is read-only", name);
    }

    std::string scratch;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < kScratchNameTries && file == INVALID_HANDLE_VALUE; ++attempt) {
        scratch = scratchNameFor(target, attempt);
        file = CreateFileA(scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            return failure("cannot create the new {}", name, GetLastError());
        }
    }
    if (file == INVALID_HANDLE_VALUE) return failure("cannot create the new {}", name, ERROR_FILE_EXISTS);

    std::string problem = fillScratch(file, bytes, name);
    if (problem.empty() && exists && (attributes & kKeptAttributes) != 0 &&
        !SetFileAttributesA(scratch.c_str(), attributes & kKeptAttributes)) {
        problem = failure("cannot give the new {} the attributes of the old one", name, GetLastError());
    }
    if (problem.empty()) {
        if (exists) {
            problem = replaceExisting(calls, scratch, target, name);
        } else if (!calls.moveFile(scratch.c_str(), target.c_str())) {
            problem = failure("cannot put the new file in place of {}", name, GetLastError());
        }
    }
    if (!problem.empty()) DeleteFileA(scratch.c_str());
    return problem;
}

}  // namespace voxpan
