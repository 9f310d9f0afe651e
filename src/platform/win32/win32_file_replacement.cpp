#include "platform/win32/win32_file_replacement.h"

#include <windows.h>

#include <cstdio>

#include "platform/win32/handle_writes.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_device_names.h"
#include "platform/win32/win32_serial_port.h"

namespace voxpan {

namespace {

constexpr int kScratchNameTries = 100;
// What a replaced file hands on to its successor: read-only is refused
// before, and the rest belongs to the file system.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
// A scanner or a sync program holds a file it has just seen for a moment.
constexpr ULONGLONG kRetryForMs = 1000;
constexpr DWORD kRetryPauseMs = 50;

// "{}" in the text stands for the file's name; the system's reason follows
// when there is an error code.
std::string failure(std::string_view text, const std::string& name, DWORD error = NO_ERROR) {
    std::string what(text);
    if (const std::size_t at = what.find("{}"); at != std::string::npos) what.replace(at, 2, name);
    return error == NO_ERROR ? what : what + ": " + win32ErrorText(error);
}

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/' || c == L':'; }

bool isThere(const std::wstring& name) { return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Refusals that another program's handle causes and that end when it lets go.
bool refusedForAMoment(DWORD error) {
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_ACCESS_DENIED:
    case ERROR_LOCK_VIOLATION:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
        return true;
    default:
        return false;
    }
}

// A dot name beside the file, so that the move stays within one volume.
std::wstring scratchNameFor(const std::wstring& name, unsigned attempt) {
    std::size_t split = name.size();
    while (split > 0 && !isSeparator(name[split - 1])) --split;
    wchar_t suffix[16];
    std::swprintf(suffix, 16, L".%06lx",
                  static_cast<unsigned long>((GetTickCount64() * 7919u + GetCurrentProcessId() * 31u + attempt) &
                                             0xffffff));
    return name.substr(0, split) + L"." + name.substr(split) + suffix;
}

std::wstring unusedNameBeside(const std::wstring& name) {
    std::wstring candidate;
    for (unsigned attempt = 0; attempt < kScratchNameTries; ++attempt) {
        candidate = scratchNameFor(name, attempt + kScratchNameTries);
        if (!isThere(candidate)) break;
    }
    return candidate;
}

// The file a link leads to; empty with the error left for GetLastError when
// it cannot be told.
std::wstring finalPathOf(const Win32ReplacementCalls& calls, const std::wstring& name) {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = calls.finalPath(name.c_str(), path.data(), static_cast<DWORD>(path.size()));
    if (length >= path.size()) {
        path.resize(length);
        length = calls.finalPath(name.c_str(), path.data(), static_cast<DWORD>(path.size()));
    }
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

// ReplaceFileW may fail after it has moved the old file to the backup
// name; the old file is then moved back. NO_ERROR when done; `lost` is set
// when the old file could not be moved back.
DWORD replaceExisting(const Win32ReplacementCalls& calls, const std::wstring& scratch, const std::wstring& target,
                      std::wstring& lost) {
    const std::wstring backup = unusedNameBeside(target);
    if (calls.replaceFile(target.c_str(), scratch.c_str(), backup.c_str())) {
        DeleteFileW(backup.c_str());
        return NO_ERROR;
    }
    const DWORD error = GetLastError();
    if (!isThere(target) && isThere(backup) && !MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
        lost = backup;
    return error;
}

// The scratch file takes the target's place; tried again while another
// program holds the target for a moment.
std::string putInPlace(const Win32ReplacementCalls& calls, const std::wstring& scratch, const std::wstring& target,
                       bool exists, const std::string& name) {
    const ULONGLONG giveUp = GetTickCount64() + kRetryForMs;
    for (;;) {
        std::wstring lost;
        DWORD error = NO_ERROR;
        if (exists) error = replaceExisting(calls, scratch, target, lost);
        else if (!calls.moveFile(scratch.c_str(), target.c_str())) error = GetLastError();
        if (error == NO_ERROR) return {};
        std::string problem = failure("cannot put the new file in place of {}", name, error);
        if (!lost.empty()) return problem + "; the old file is now " + utf8Text(lost);
        if (!refusedForAMoment(error) || GetTickCount64() >= giveUp) return problem;
        Sleep(kRetryPauseMs);
    }
}

}  // namespace

Win32ReplacementCalls Win32ReplacementCalls::real() {
    Win32ReplacementCalls calls;
    calls.replaceFile = [](const wchar_t* replaced, const wchar_t* replacement, const wchar_t* backup) -> int {
        return ReplaceFileW(replaced, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    };
    calls.moveFile = [](const wchar_t* from, const wchar_t* to) -> int {
        return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    };
    calls.finalPath = [](const wchar_t* name, wchar_t* path, unsigned long room) -> unsigned long {
        HANDLE file = CreateFileW(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE) return 0;
        const DWORD length = GetFinalPathNameByHandleW(file, path, room, 0);
        const DWORD error = GetLastError();
        CloseHandle(file);
        SetLastError(error);
        return length;
    };
    return calls;
}

std::string replaceFileWhole(const std::string& name, std::string_view bytes, const Win32ReplacementCalls& injected) {
    Win32ReplacementCalls calls = injected;
    const Win32ReplacementCalls real = Win32ReplacementCalls::real();
    if (calls.replaceFile == nullptr) calls.replaceFile = real.replaceFile;
    if (calls.moveFile == nullptr) calls.moveFile = real.moveFile;
    if (calls.finalPath == nullptr) calls.finalPath = real.finalPath;

    if (name.empty() || isSeparator(static_cast<wchar_t>(name.back()))) return failure("no file name in \"{}\"", name);
    if (isWindowsDeviceName(name)) return failure("{} is a device, not a file", name);
    std::wstring target = wideText(name);
    DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
            return failure("cannot look at {}", name, error);
        }
    } else if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        target = finalPathOf(calls, target);
        if (target.empty()) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
                return failure("the link {} leads nowhere (is the disk it points to there?)", name);
            }
            return failure("cannot look at {}", name, error);
        }
        attributes = GetFileAttributesW(target.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return failure("cannot look at {}", name, GetLastError());
    }
    if (exists) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return failure("{} is a folder, not a file", name);
        if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) return failure("{} is a device, not a file", name);
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return failure("{} is read-only", name);
    }

    std::wstring scratch;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < kScratchNameTries && file == INVALID_HANDLE_VALUE; ++attempt) {
        scratch = scratchNameFor(target, attempt);
        file = CreateFileW(scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            return failure("cannot create the new {}", name, GetLastError());
        }
    }
    if (file == INVALID_HANDLE_VALUE) return failure("cannot create the new {}", name, ERROR_FILE_EXISTS);

    std::string problem = fillScratch(file, bytes, name);
    if (problem.empty() && exists && (attributes & kKeptAttributes) != 0 &&
        !SetFileAttributesW(scratch.c_str(), attributes & kKeptAttributes)) {
        problem = failure("cannot give the new {} the attributes of the old one", name, GetLastError());
    }
    if (problem.empty()) problem = putInPlace(calls, scratch, target, exists, name);
    if (!problem.empty()) DeleteFileW(scratch.c_str());
    return problem;
}

}  // namespace voxpan
