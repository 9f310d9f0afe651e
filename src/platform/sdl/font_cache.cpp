#include "platform/sdl/font_cache.h"

namespace voxpan {

FontCache::~FontCache() { clear(); }

void FontCache::clear() {
    for (auto& [key, font] : byFile_) {
        if (font != nullptr) TTF_CloseFont(font);
    }
    byFile_.clear();
    byRequest_.clear();
}

TTF_Font* FontCache::fontFor(const std::string& face, int weight, int pixelSize) {
    const RequestKey request{face, weight >= 600, pixelSize};
    if (auto found = byRequest_.find(request); found != byRequest_.end()) return found->second;

    TTF_Font* font = nullptr;
    if (auto file = matchFontFile(face, weight)) font = openFile(*file, pixelSize);
    if (font == nullptr) font = openFallback(face, weight, pixelSize);
    byRequest_[request] = font;
    return font;
}

TTF_Font* FontCache::openFile(const FontFile& file, int pixelSize) {
    const FileKey key{file.path, file.index, pixelSize, file.embolden};
    if (auto found = byFile_.find(key); found != byFile_.end()) return found->second;

    // SDL_ttf sizes fonts at 72 dpi, where a point is a pixel.
    TTF_Font* font = TTF_OpenFontIndex(file.path.c_str(), pixelSize, file.index);
    if (font != nullptr && file.embolden) TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    byFile_[key] = font;
    return font;
}

TTF_Font* FontCache::openFallback(const std::string& face, int weight, int pixelSize) {
    for (const FontFile& file : fallbackFontFiles(face, weight)) {
        if (TTF_Font* font = openFile(file, pixelSize)) return font;
    }
    return nullptr;
}

}  // namespace voxpan
