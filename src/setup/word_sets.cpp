#include "setup/word_sets.h"

#include <map>
#include <string>
#include <system_error>

#include "voice/speech_paces.h"

namespace voxpan::setup {
namespace fs = std::filesystem;

namespace {

// File names and sizes of the regular files in a folder; nothing when it
// holds anything else or cannot be read.
std::optional<std::map<std::string, std::uintmax_t>> contentsOf(const fs::path& folder) {
    std::map<std::string, std::uintmax_t> contents;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        if (!entry->is_regular_file(error)) return std::nullopt;
        contents.emplace(entry->path().filename().string(), entry->file_size(error));
    }
    if (error) return std::nullopt;
    return contents;
}

}  // namespace

fs::path wordSetAt(const fs::path& normalWords, SpeechPace pace) {
    return normalWords.parent_path() / std::string(paceEntry(pace).wordFolder);
}

std::optional<SpeechPace> paceOfWords(const fs::path& wave, const fs::path& normalWords) {
    if (normalWords.empty()) return std::nullopt;
    std::error_code error;
    for (const PaceEntry& entry : kPaces) {
        if (fs::equivalent(wave, wordSetAt(normalWords, entry.pace), error)) return entry.pace;
    }
    if (fs::is_symlink(fs::symlink_status(wave, error))) return std::nullopt;
    const auto copied = contentsOf(wave);
    if (!copied || copied->empty()) return std::nullopt;
    for (const PaceEntry& entry : kPaces) {
        if (contentsOf(wordSetAt(normalWords, entry.pace)) == copied) return entry.pace;
    }
    return std::nullopt;
}

}  // namespace voxpan::setup
