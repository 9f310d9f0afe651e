// The panel's working folder: where it is, making it ready, and writing its
// files whole.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace voxpan::setup {

// The words that name the folder and its recorded words in the texts.
struct FolderWords {
    std::string_view defaultFolder;  // as the help text writes it: "~/voxpan"
    std::string_view wordsPut;       // what is done with the recorded words: "links"
    std::string_view wordsPutIn;     // the same in the plan: "linked in"
    std::string_view systemVoice;    // the system's speech service: "speech-dispatcher"
};
extern const FolderWords kFolderWords;

// ~/voxpan; on Windows %USERPROFILE%\voxpan.
std::filesystem::path defaultWorkingFolder();

// A folder as typed: "~" and "~/..." mean the home folder (on Windows also
// %NAME% the environment's values), a relative path is taken from the
// current folder.
std::filesystem::path folderFromText(std::string_view typed);

// The recorded words that belong with this program: installed, they are in
// <prefix>/share/voxpan/wave beside <prefix>/bin; in the build tree (and on
// Windows), in the "wave" folder beside the program. Empty when neither is
// there.
std::filesystem::path findRecordedWords(const std::filesystem::path& programFolder);
// The folder this program was started from.
std::filesystem::path programFolder();

// Why the folder cannot serve as a working folder (it is a file, say), or empty.
std::string folderProblem(const std::filesystem::path& folder);

// Creates the folder when it is missing and puts the recorded words into it
// as "wave", unless it already has a "wave" folder: on Linux a link to them
// (a broken "wave" link is replaced), on Windows a copy. With `replaceSet`,
// a "wave" that is another pace's set of the panel's words (on Linux a link
// to it, on Windows the copy pansetup made) is replaced by these words.
// Empty on success, else what went wrong. `done` says in words what was
// done with the words.
std::string prepareWorkingFolder(const std::filesystem::path& folder, const std::filesystem::path& words,
                                 std::string& done, bool replaceSet = false);

// Puts the bytes in the file whole, by way of a flushed scratch file that
// takes its place: a reader finds either the old file or the whole new one.
// Empty on success, else what went wrong.
std::string replaceWholeFile(const std::filesystem::path& target, std::string_view bytes);

// The line that tells how to start the panel in the folder.
std::string howToStartThePanel(const std::filesystem::path& folder);

}  // namespace voxpan::setup
