// Finding the recording for a word path the way the panel names it.
#pragma once

#include <string>
#include <string_view>

namespace voxpan {

// The file the path names: ".wav" added when its last part has no extension,
// each part matched without regard to case (exact match preferred). Empty
// when there is no such regular file or the path is empty.
std::string resolveSoundFile(std::string_view path);

}  // namespace voxpan
