#include "setup/working_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "platform/core/file_replacement.h"
#include "setup/folder_access.h"

#ifndef VOXPAN_INSTALLED_WORDS
#define VOXPAN_INSTALLED_WORDS "../share/voxpan/wave"
#endif

namespace voxpan::setup {
namespace fs = std::filesystem;

namespace {

std::string forShell(const std::string& path) {
    if (path.find_first_of(" '\"$`\\&;|<>()*?[]#~!") == std::string::npos) return path;
    std::string quoted = "'";
    for (const char c : path) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

fs::path homeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr ? fs::path(entry->pw_dir) : fs::current_path();
}

}  // namespace

bool mayWriteIn(const fs::path& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; }

const FolderWords kFolderWords{"~/voxpan", "links", "linked in", "speech-dispatcher"};

fs::path defaultWorkingFolder() { return homeFolder() / "voxpan"; }

fs::path folderFromText(std::string_view typed) {
    std::string text(typed);
    if (text == "~") return homeFolder();
    if (text.starts_with("~/")) return (homeFolder() / text.substr(2)).lexically_normal();
    std::error_code error;
    fs::path folder = fs::absolute(text, error);
    return error ? fs::path(text) : folder.lexically_normal();
}

// Through /proc/self/exe.
fs::path programFolder() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : program.parent_path();
}

fs::path findRecordedWords(const fs::path& programFolder) {
    if (programFolder.empty()) return {};
    for (const fs::path& candidate : {programFolder / VOXPAN_INSTALLED_WORDS, programFolder / "wave"}) {
        if (isFolder(candidate)) {
            std::error_code error;
            const fs::path words = fs::canonical(candidate, error);
            return error ? candidate.lexically_normal() : words;
        }
    }
    return {};
}

std::string prepareWorkingFolder(const fs::path& folder, const fs::path& words, std::string& done, bool replaceSet) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return "cannot create the folder " + folder.string() + ": " + error.message();
    const fs::path wave = folder / "wave";
    const fs::file_status link = fs::symlink_status(wave, error);
    const bool replacing = replaceSet && fs::is_symlink(link) && !words.empty();
    if (isFolder(wave) && !replacing) {
        done = "The folder already has its recorded words (" + wave.string() + ").";
        return {};
    }
    if (fs::exists(link) && !fs::is_symlink(link)) {
        done = wave.string() + " is not a folder of recorded words; it was left as it is, so the panel will "
                               "play its installed words.";
        return {};
    }
    if (words.empty()) {
        done = "The recorded words were not found beside pansetup, so none were linked; the panel will play "
               "its installed words.";
        return {};
    }
    if (fs::is_symlink(link)) fs::remove(wave, error);  // another pace's words, or words that are gone
    fs::create_directory_symlink(words, wave, error);
    if (error) return "cannot link the recorded words into " + wave.string() + ": " + error.message();
    done = "The recorded words are linked in: " + wave.string() + " leads to " + words.string() + ".";
    return {};
}

std::string replaceWholeFile(const fs::path& target, std::string_view bytes) {
    return replaceFile(target.string(), bytes).problem;
}

std::string howToStartThePanel(const fs::path& folder) {
    return "To start the panel: cd " + forShell(folder.string()) + " && voxpan";
}

}  // namespace voxpan::setup
