// Replacing a whole file on Windows so that a reader, a crash or a full disk
// finds the old file or the new one, never a mix: the bytes go to a scratch
// file beside it, which is flushed to the disk and then takes the old file's
// place. The panel's bank files and pansetup's VOXPAN.CFG are written this
// way.
#pragma once

#include <string>
#include <string_view>

namespace voxpan {

// The calls that put the new file in place and find where a link leads, so
// that tests can make them fail. A call left empty is filled with the real
// one. Each returns nonzero when done; otherwise GetLastError tells why.
struct Win32ReplacementCalls {
    // ReplaceFileW(replaced, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS).
    int (*replaceFile)(const wchar_t* replaced, const wchar_t* replacement, const wchar_t* backup) = nullptr;
    // MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
    int (*moveFile)(const wchar_t* from, const wchar_t* to) = nullptr;
    // GetFinalPathNameByHandleW of the file opened by that name, into `path`
    // (room for `room` characters): the length, or 0.
    unsigned long (*finalPath)(const wchar_t* name, wchar_t* path, unsigned long room) = nullptr;
    static Win32ReplacementCalls real();
};

// Puts `bytes` in the file `name` (UTF-8), creating it when there is none.
// Empty when done; otherwise one line saying what could not be done and why,
// with the old file as it was and no scratch file left.
// - An existing file is replaced through ReplaceFileW: the new one keeps its
//   security settings and its attributes (hidden, system, archive).
// - A link (a reparse point: a symbolic link, a junction) is followed and
//   the file it leads to is replaced; the link stays. A plain file is taken
//   by its own name: a RAM disk, an encrypted volume or a cloud folder may
//   not tell a file's final path.
// - A replacement refused for a moment (a virus scanner or a sync program
//   holding the old file) is tried again for about a second.
// - Refused without trying: a folder, a device name (CON, NUL, COM1, ...)
//   or anything else that is not a file on a disk, and a read-only file.
std::string replaceFileWhole(const std::string& name, std::string_view bytes,
                             const Win32ReplacementCalls& calls = Win32ReplacementCalls::real());

}  // namespace voxpan
