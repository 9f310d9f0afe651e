#include "platform/sdl/font_lookup.h"

#include <fontconfig/fontconfig.h>

#include <cmath>
#include <memory>

namespace voxpan {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;
using FontSet = std::unique_ptr<FcFontSet, FontSetDeleter>;

bool isBold(int weight) { return weight >= 600; }

// The request, made ready for matching. The face is taken as a family name
// as it stands, so a name holding ':' or '-' is not read as font options.
Pattern requestPattern(std::string_view face, int weight) {
    if (FcInit() != FcTrue) return nullptr;
    Pattern pattern(FcPatternCreate());
    if (!pattern) return nullptr;
    const std::string family(face);
    if (!family.empty() && family.find('\0') == std::string::npos)
        FcPatternAddString(pattern.get(), FC_FAMILY,
                           reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT,
                        isBold(weight) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
    if (FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern) != FcTrue) return nullptr;
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

std::optional<FontFile> fileOf(const FcPattern* font, bool boldWanted, bool trustEmbolden) {
    FcChar8* path = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &path) != FcResultMatch || path == nullptr)
        return std::nullopt;
    FontFile file;
    file.path = reinterpret_cast<const char*>(path);
    int index = 0;
    if (FcPatternGetInteger(font, FC_INDEX, 0, &index) == FcResultMatch) file.index = index;
    if (boldWanted) {
        FcBool embolden = FcFalse;
        int weight = FC_WEIGHT_REGULAR;
        if (trustEmbolden)
            file.embolden = FcPatternGetBool(font, FC_EMBOLDEN, 0, &embolden) == FcResultMatch &&
                            embolden == FcTrue;
        else
            file.embolden = FcPatternGetInteger(font, FC_WEIGHT, 0, &weight) == FcResultMatch &&
                            weight < FC_WEIGHT_DEMIBOLD;
    }
    return file;
}

}  // namespace

std::optional<FontFile> matchFontFile(std::string_view face, int weight) {
    Pattern request = requestPattern(face, weight);
    if (!request) return std::nullopt;
    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(nullptr, request.get(), &result));
    if (!match) return std::nullopt;
    return fileOf(match.get(), isBold(weight), true);
}

std::vector<FontFile> fallbackFontFiles(std::string_view face, int weight) {
    std::vector<FontFile> files;
    Pattern request = requestPattern(face, weight);
    if (!request) return files;
    FcResult result = FcResultNoMatch;
    FontSet set(FcFontSort(nullptr, request.get(), FcFalse, nullptr, &result));
    if (!set) return files;
    for (int i = 0; i < set->nfont; ++i) {
        if (auto file = fileOf(set->fonts[i], isBold(weight), false)) files.push_back(*file);
    }
    return files;
}

float plausibleDpi(std::optional<float> reported) {
    constexpr float kUsual = 96.0F;
    if (!reported || !std::isfinite(*reported) || *reported < 50.0F || *reported > 400.0F)
        return kUsual;
    return *reported;
}

int fontPixelSize(int points, float dpi) {
    const double pixels = std::round(static_cast<double>(points) * dpi / 72.0);
    if (!(pixels >= 1.0)) return 1;
    if (pixels > kLargestFontPixels) return kLargestFontPixels;
    return static_cast<int>(pixels);
}

}  // namespace voxpan
