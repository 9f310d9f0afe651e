// The panel's working folder: where it is, and making it ready.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace voxpan::setup {

// ~/voxpan.
std::filesystem::path defaultWorkingFolder();

// A folder as typed: "~" and "~/..." mean the home folder, a relative path
// is taken from the current folder.
std::filesystem::path folderFromText(std::string_view typed);

// The recorded words that belong with this program: installed, they are in
// <prefix>/share/voxpan/wave beside <prefix>/bin; in the build tree, in the
// "wave" folder beside the program. Empty when neither is there.
std::filesystem::path findRecordedWords(const std::filesystem::path& programFolder);
// The folder this program was started from (through /proc/self/exe).
std::filesystem::path programFolder();

// Why the folder cannot serve as a working folder (it is a file, say), or empty.
std::string folderProblem(const std::filesystem::path& folder);

// Creates the folder when it is missing and links the recorded words into it
// as "wave", unless it already has a "wave" folder; a broken "wave" link is
// replaced. Empty on success, else what went wrong. `done` says in words what
// was done with the words.
std::string prepareWorkingFolder(const std::filesystem::path& folder, const std::filesystem::path& words,
                                 std::string& done);

}  // namespace voxpan::setup
