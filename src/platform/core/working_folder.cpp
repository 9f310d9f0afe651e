#include "platform/core/working_folder.h"

#include <filesystem>
#include <system_error>

namespace voxpan {

namespace fs = std::filesystem;

PathKind pathKindOf(const std::string& name) {
    std::error_code error;
    const fs::file_status status = fs::status(name, error);
    if (status.type() == fs::file_type::not_found) return PathKind::Missing;
    if (error) return PathKind::Other;
    if (fs::is_directory(status)) return PathKind::Folder;
    if (fs::is_regular_file(status)) return PathKind::File;
    return PathKind::Other;
}

std::string currentFolder() {
    std::error_code error;
    const fs::path here = fs::current_path(error);
    return error ? std::string(".") : here.string();
}

std::string wordFolderBeside(const std::string& executable) {
    if (executable.empty()) return {};
    const fs::path folder = fs::path(executable).parent_path();
    for (const fs::path& candidate : {folder / ".." / "share" / "voxpan" / "wave", folder / "wave"}) {
        if (pathKindOf(candidate.string()) != PathKind::Folder) continue;
        std::error_code error;
        const fs::path clean = fs::weakly_canonical(candidate, error);
        return (error ? candidate : clean).string() + "/";
    }
    return {};
}

std::string installedWordFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : wordFolderBeside(self.string());
}

}  // namespace voxpan
