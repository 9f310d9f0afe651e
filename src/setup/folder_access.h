// What the set-up asks the system about a folder.
#pragma once

#include <filesystem>

namespace voxpan::setup {

// A folder, or a link to one; false for anything else or an error.
bool isFolder(const std::filesystem::path& path);

// Whether the user may make and change files in the folder (on Linux by
// its permission bits, on Windows by trying).
bool mayWriteIn(const std::filesystem::path& folder);

}  // namespace voxpan::setup
