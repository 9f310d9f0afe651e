#include <system_error>

#include "setup/folder_access.h"
#include "setup/working_folder.h"

namespace voxpan::setup {
namespace fs = std::filesystem;

bool isFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

std::string folderProblem(const fs::path& folder) {
    std::error_code error;
    const fs::file_status status = fs::status(folder, error);
    if (fs::exists(status) && !fs::is_directory(status)) return folder.string() + " is a file, not a folder.";
    // The folder is made where the nearest folder that exists lets the user
    // make files.
    fs::path existing = folder;
    while (!existing.empty() && !fs::exists(existing, error)) {
        if (existing == existing.parent_path()) break;
        existing = existing.parent_path();
    }
    if (!isFolder(existing)) return existing.string() + " is a file, not a folder.";
    if (!mayWriteIn(existing)) return "You may not write in " + existing.string() + ".";
    return {};
}

}  // namespace voxpan::setup
