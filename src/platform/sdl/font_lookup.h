// Finding font files through fontconfig, and the pixel size of a font given
// in points on a screen of a given resolution.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace voxpan {

struct FontFile {
    std::string path;
    int index = 0;          // face within a font collection
    bool embolden = false;  // bold asked for but the file has no bold: draw it bold
    friend bool operator==(const FontFile&, const FontFile&) = default;
};

// The file fontconfig chooses for the face; a face the system lacks gives the
// system's default face. Weight 600 and above asks for bold.
std::optional<FontFile> matchFontFile(std::string_view face, int weight);

// Every file fontconfig offers for the face, best first: what to try when the
// chosen file does not open.
std::vector<FontFile> fallbackFontFiles(std::string_view face, int weight);

// The screen's vertical dots per inch, or 96 where the screen does not say or
// says something no screen has.
float plausibleDpi(std::optional<float> reported);

// The character height in pixels of a font of the given points, at least 1
// and at most kLargestFontPixels.
inline constexpr int kLargestFontPixels = 800;
int fontPixelSize(int points, float dpi);

}  // namespace voxpan
