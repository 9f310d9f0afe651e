#include "platform/core/word_phrases.h"

#include <algorithm>
#include <utility>

namespace voxpan {

namespace {

struct WordPhrase {
    std::string_view word;
    std::string_view phrase;
};

constexpr WordPhrase kWordPhrases[] = {
#include "platform/core/word_phrases.inc"
};

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

// The table's entries that are sounds, not speech.
bool isSpoken(std::string_view phrase) { return phrase != "(tone)" && phrase != "(silence)"; }

}  // namespace

std::string_view wordOfPath(std::string_view path) {
    const std::size_t separator = path.find_last_of("/\\");
    if (separator == std::string_view::npos) return {};
    std::string_view word = path.substr(separator + 1);
    constexpr std::string_view kEnding = ".wav";
    if (word.size() > kEnding.size() && sameIgnoringCase(word.substr(word.size() - kEnding.size()), kEnding))
        word.remove_suffix(kEnding.size());
    return word;
}

std::optional<std::string_view> phraseOfWord(std::string_view word) {
    for (const WordPhrase& entry : kWordPhrases) {
        if (sameIgnoringCase(entry.word, word)) {
            if (!isSpoken(entry.phrase)) return std::nullopt;
            return entry.phrase;
        }
    }
    return std::nullopt;
}

}  // namespace voxpan
