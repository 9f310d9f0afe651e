#include "panbank/latin_letters.h"

#include <cstdint>
#include <optional>

namespace voxpan::panbank {

namespace {

// U+00C0 to U+00FF and U+0100 to U+017F, one base letter each; '*' marks a
// letter written with two (kTwoLetters), '-' a sign that is no letter.
constexpr std::string_view kLatin1Letters = "AAAAAA*CEEEEIIIIDNOOOOO-OUUUUY**aaaaaa*ceeeeiiiidnooooo-ouuuuy*y";
constexpr std::string_view kExtendedALetters =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi**JjKkkLlLlLlLlLlNnNnNnnNnOoOoOo**RrRrRrSsSsSsSsTtTtTtUuUuUuUu"
    "UuUuWwYyYZzZzZzs";

struct Replacement {
    char32_t letter;
    std::string_view ascii;
};

constexpr Replacement kOtherLetters[] = {
    {U'\u00C6', "AE"}, {U'\u00DE', "Th"}, {U'\u00DF', "ss"}, {U'\u00E6', "ae"}, {U'\u00FE', "th"},
    {U'\u0132', "IJ"}, {U'\u0133', "ij"}, {U'\u0152', "OE"}, {U'\u0153', "oe"}, {U'\u0192', "f"},
    {U'\u0218', "S"},  {U'\u0219', "s"},  {U'\u021A', "T"},  {U'\u021B', "t"},  {U'\u00A0', " "},
    {U'\u2018', "'"},  {U'\u2019', "'"},  {U'\u201C', "\""}, {U'\u201D', "\""}, {U'\u2013', "-"},
    {U'\u2014', "-"},  {U'\u2026', "..."},
};

std::string_view asciiFor(char32_t letter) {
    std::string_view table;
    char32_t first = 0;
    if (letter < 0x80) return {};
    if (letter >= 0xC0 && letter <= 0xFF) table = kLatin1Letters, first = 0xC0;
    if (letter >= 0x100 && letter <= 0x17F) table = kExtendedALetters, first = 0x100;
    if (!table.empty()) {
        const std::size_t at = letter - first;
        const char base = table[at];
        if (base != '*' && base != '-') return table.substr(at, 1);
    }
    for (const Replacement& other : kOtherLetters)
        if (other.letter == letter) return other.ascii;
    return {};
}

// The code point of a well-formed UTF-8 sequence at the start of `bytes`
// and its length; nothing when it is not one.
std::optional<std::pair<char32_t, std::size_t>> utf8At(std::string_view bytes) {
    const auto byte = [&](std::size_t index) { return static_cast<unsigned char>(bytes[index]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t letter = 0;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, letter = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, letter = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, letter = lead & 0x07;
    else return std::nullopt;
    if (bytes.size() < length) return std::nullopt;
    for (std::size_t index = 1; index < length; ++index) {
        if ((byte(index) & 0xC0) != 0x80) return std::nullopt;
        letter = (letter << 6) | (byte(index) & 0x3F);
    }
    // Overlong forms, surrogates and what lies past Unicode are no letters.
    if ((length == 3 && letter < 0x800) || (length == 4 && (letter < 0x10000 || letter > 0x10FFFF)) ||
        (letter >= 0xD800 && letter <= 0xDFFF))
        return std::nullopt;
    return std::pair{letter, length};
}

}  // namespace

std::string latinLettersInAscii(std::string_view text) {
    std::string ascii;
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.front());
        if (byte < 0x80) {
            ascii += text.front();
            text.remove_prefix(1);
            continue;
        }
        const auto decoded = utf8At(text);
        const char32_t letter = decoded ? decoded->first : byte;  // Latin-1
        ascii += asciiFor(letter);
        text.remove_prefix(decoded ? decoded->second : 1);
    }
    return ascii;
}

}  // namespace voxpan::panbank
