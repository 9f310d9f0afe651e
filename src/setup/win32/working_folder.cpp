#include "setup/working_folder.h"

#include <windows.h>

#include <cstdlib>
#include <system_error>

#include "platform/win32/program_folder.h"
#include "platform/win32/win32_file_replacement.h"
#include "setup/folder_access.h"

namespace voxpan::setup {
namespace fs = std::filesystem;

namespace {

// Where the words are copied to before they take their name: an
// interrupted copy never passes for a folder of words.
constexpr const char* kWordsBeingCopied = "wave.copying";
// Where the words of another pace wait until the new ones are in place.
constexpr const char* kWordsReplaced = "wave.replaced";

fs::path homeFolder() {
    const char* home = std::getenv("USERPROFILE");
    if (home != nullptr && *home != '\0') return home;
    std::error_code error;
    return fs::current_path(error);
}

// %NAME% replaced by the environment's value (%USERPROFILE%\voxpan).
std::string withEnvironment(std::string_view typed) {
    const std::string text(typed);
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0) return text;
    std::string expanded(needed, '\0');
    const DWORD length = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed);
    if (length == 0 || length > needed) return text;
    expanded.resize(length - 1);
    return expanded;
}

int fileCount(const fs::path& folder) {
    int count = 0;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error)) count += entry.is_regular_file(error);
    return count;
}

}  // namespace

// A file that vanishes as it is closed is made there.
bool mayWriteIn(const fs::path& folder) {
    const std::string trial = (folder / ".pansetup-trial").string();
    HANDLE file = CreateFileA(trial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() != ERROR_ACCESS_DENIED;
    CloseHandle(file);
    return true;
}

const FolderWords kFolderWords{"%USERPROFILE%\\voxpan", "copies", "copied in", "Windows speech, SAPI"};

// Not Documents: that is often kept in OneDrive, whose syncing holds files
// open, and makes copies of its own, while the panel replaces its banks.
fs::path defaultWorkingFolder() { return homeFolder() / "voxpan"; }

fs::path folderFromText(std::string_view typed) {
    const std::string text = withEnvironment(typed);
    if (text == "~") return homeFolder();
    if (text.starts_with("~\\") || text.starts_with("~/")) return (homeFolder() / text.substr(2)).lexically_normal();
    std::error_code error;
    fs::path folder = fs::absolute(text, error);
    return error ? fs::path(text) : folder.lexically_normal();
}

fs::path programFolder() { return fs::path(win32ProgramFolder()).parent_path(); }

fs::path findRecordedWords(const fs::path& programFolder) {
    if (programFolder.empty() || !isFolder(programFolder / "wave")) return {};
    return programFolder / "wave";
}

std::string prepareWorkingFolder(const fs::path& folder, const fs::path& words, std::string& done, bool replaceSet) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return "cannot create the folder " + folder.string() + ": " + error.message();
    const fs::path wave = folder / "wave";
    const bool replacing = replaceSet && isFolder(wave) && !words.empty();
    if (isFolder(wave) && !replacing) {
        done = "The folder already has its recorded words (" + wave.string() + ").";
        return {};
    }
    if (fs::exists(wave, error) && !replacing) {
        done = wave.string() + " is not a folder of recorded words; it was left as it is, so the panel will "
                               "play the words beside voxpan.exe.";
        return {};
    }
    if (words.empty()) {
        done = "The recorded words were not found beside pansetup.exe, so none were copied; the panel will play "
               "the words beside voxpan.exe, if there are any.";
        return {};
    }
    const fs::path copying = folder / kWordsBeingCopied;
    fs::remove_all(copying, error);  // left by a copy that was cut short
    fs::copy(words, copying, fs::copy_options::recursive, error);
    // The words of another pace give way only once the new ones are whole.
    const fs::path replaced = folder / kWordsReplaced;
    if (!error && replacing) {
        fs::remove_all(replaced, error);
        if (!error) fs::rename(wave, replaced, error);
    }
    if (!error) fs::rename(copying, wave, error);
    if (error) {
        std::error_code ignored;
        fs::remove_all(copying, ignored);
        if (replacing && !isFolder(wave)) fs::rename(replaced, wave, ignored);
        return "cannot copy the recorded words into " + wave.string() + ": " + error.message();
    }
    if (replacing) fs::remove_all(replaced, error);
    done = "The recorded words are copied in: " + std::to_string(fileCount(wave)) + " files in " + wave.string() + ".";
    return {};
}

std::string replaceWholeFile(const fs::path& target, std::string_view bytes) {
    return replaceFileWhole(target.string(), bytes);
}

std::string howToStartThePanel(const fs::path& folder) {
    // The panel works in the folder it is started in, which is not the one
    // it lies in.
    const std::string program = (programFolder() / "voxpan.exe").string();
    return "To start the panel in " + folder.string() + ": a shortcut to " + program + " whose Start in folder is " +
           folder.string() + ", or in a console:\ncd /d \"" + folder.string() + "\" && \"" + program + "\"";
}

}  // namespace voxpan::setup
