// Replacing a whole file on Windows so that a reader, a crash or a full disk
// finds the old file or the new one, never a mix: the bytes go to a scratch
// file beside it, which is flushed to the disk and then takes the old file's
// place. The panel's bank files and pansetup's VOXPAN.CFG are written this
// way.
#pragma once

#include <string>
#include <string_view>

namespace voxpan {

// The calls that put the new file in place, so that tests can make them
// fail. A call left empty is filled with the real one. Each returns nonzero
// when done; otherwise GetLastError tells why.
struct Win32ReplacementCalls {
    // ReplaceFileA(replaced, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS).
    int (*replaceFile)(const char* replaced, const char* replacement, const char* backup) = nullptr;
    // MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
    int (*moveFile)(const char* from, const char* to) = nullptr;
    static Win32ReplacementCalls real();
};

// Puts `bytes` in the file `name`, creating it when there is none. Empty
// when done; otherwise one line saying what could not be done and why, with
// the old file as it was and no scratch file left.
// - An existing file is replaced through ReplaceFileA: the new one keeps its
//   security settings and its attributes (hidden, system, archive).
// - A link is followed and the file it leads to is replaced; the link stays.
// - Refused without trying: a folder, a device name (CON, NUL, COM1, ...)
//   or anything else that is not a file on a disk, and a read-only file.
std::string replaceFileWhole(const std::string& name, std::string_view bytes,
                             const Win32ReplacementCalls& calls = Win32ReplacementCalls::real());

}  // namespace voxpan
