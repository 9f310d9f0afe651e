// Opened SDL_ttf fonts, kept for the whole run: the panel changes fonts many
// times a second, and opening a font file each time would be slow.
#pragma once

#include <SDL_ttf.h>

#include <map>
#include <string>
#include <tuple>

#include "platform/sdl/font_lookup.h"

namespace voxpan {

class FontCache {
public:
    FontCache() = default;
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // The font for the face, weight and pixel size; a face the system lacks
    // gives its default face, a file that will not open the next one
    // fontconfig offers. Null when no font at all can be opened. SDL_ttf must
    // be initialised.
    TTF_Font* fontFor(const std::string& face, int weight, int pixelSize);

    // Closes every font (before SDL_ttf is shut down).
    void clear();

private:
    using FileKey = std::tuple<std::string, int, int, bool>;  // path, index, pixels, embolden
    using RequestKey = std::tuple<std::string, bool, int>;    // face, bold, pixels
    TTF_Font* openFile(const FontFile& file, int pixelSize);
    TTF_Font* openFallback(const std::string& face, int weight, int pixelSize);

    std::map<FileKey, TTF_Font*> byFile_;  // owns the fonts; null for a file that failed
    std::map<RequestKey, TTF_Font*> byRequest_;
};

}  // namespace voxpan
