// File names are UTF-8 inside the programs. std::filesystem on Windows
// takes a std::string in the "C" locale's encoding, which turns a Cyrillic
// or Greek folder name into other letters; from UTF-8 it takes every name.
// (A path's string() is UTF-8 there already.) On Linux a name is its bytes,
// as before.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace voxpan {

inline std::filesystem::path pathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace voxpan
