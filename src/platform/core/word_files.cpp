#include "platform/core/word_files.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace voxpan {

namespace fs = std::filesystem;

namespace {

enum class Wanted { Directory, RegularFile };

// Word folders written on Windows use the backslash; no recording name
// contains one, so it is taken as a separator too.
bool isSeparator(char c) { return c == '/' || c == '\\'; }

std::vector<std::string> splitParts(std::string_view path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (isSeparator(c)) {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

bool isKind(const fs::path& candidate, Wanted wanted) {
    std::error_code error;
    const fs::file_status status = fs::status(candidate, error);
    if (error) return false;
    return wanted == Wanted::Directory ? fs::is_directory(status) : fs::is_regular_file(status);
}

// The entry of `folder` that `name` stands for: the exact spelling when it
// exists, otherwise the first (by name) that differs only in letter case.
std::optional<fs::path> findEntry(const fs::path& folder, const std::string& name, Wanted wanted) {
    const fs::path exact = folder / name;
    if (isKind(exact, wanted)) return exact;
    if (name == "." || name == "..") return std::nullopt;

    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) return std::nullopt;
    std::optional<fs::path> best;
    for (const fs::directory_iterator end; entries != end; entries.increment(error)) {
        if (error) return std::nullopt;
        const fs::path candidate = entries->path();
        const std::string entryName = candidate.filename().string();
        if (!sameIgnoringCase(entryName, name) || !isKind(candidate, wanted)) continue;
        if (!best || entryName < best->filename().string()) best = candidate;
    }
    return best;
}

}  // namespace

std::string resolveSoundFile(std::string_view path) {
    try {
        // The system's file calls would cut the name at a NUL byte.
        if (path.find('\0') != std::string_view::npos) return {};
        std::vector<std::string> parts = splitParts(path);
        if (parts.empty()) return {};
        if (parts.back().find('.') == std::string::npos) parts.back() += ".wav";

        fs::path current = isSeparator(path.front()) ? fs::path("/") : fs::path(".");
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const Wanted wanted = i + 1 == parts.size() ? Wanted::RegularFile : Wanted::Directory;
            const std::optional<fs::path> found = findEntry(current, parts[i], wanted);
            if (!found) return {};
            current = *found;
        }

        if (::access(current.c_str(), R_OK) != 0) return {};
        std::error_code error;
        const fs::path real = fs::canonical(current, error);
        if (error) return {};
        return real.string();
    } catch (...) {
        // Out of memory or an odd name the library refuses: treated as no file.
        return {};
    }
}

}  // namespace voxpan
