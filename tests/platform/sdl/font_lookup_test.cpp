#include "platform/sdl/font_lookup.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>

namespace voxpan {
namespace {

TEST(PlausibleDpi, UnknownOrImplausibleResolutionsCountAs96) {
    EXPECT_EQ(plausibleDpi(std::nullopt), 96.0F);
    EXPECT_EQ(plausibleDpi(0.0F), 96.0F);
    EXPECT_EQ(plausibleDpi(49.0F), 96.0F);
    EXPECT_EQ(plausibleDpi(401.0F), 96.0F);
    EXPECT_EQ(plausibleDpi(std::nanf("")), 96.0F);
    EXPECT_EQ(plausibleDpi(INFINITY), 96.0F);
}

TEST(PlausibleDpi, ScreenResolutionIsTakenAsReported) {
    EXPECT_EQ(plausibleDpi(72.0F), 72.0F);
    EXPECT_EQ(plausibleDpi(120.5F), 120.5F);
    EXPECT_EQ(plausibleDpi(400.0F), 400.0F);
}

TEST(FontPixelSize, PointsTimesDpiOver72Rounded) {
    EXPECT_EQ(fontPixelSize(30, 96.0F), 40);
    EXPECT_EQ(fontPixelSize(50, 96.0F), 67);  // 66.67
    EXPECT_EQ(fontPixelSize(70, 96.0F), 93);  // 93.33
    EXPECT_EQ(fontPixelSize(12, 96.0F), 16);
    EXPECT_EQ(fontPixelSize(30, 144.0F), 60);
}

TEST(FontPixelSize, NonsenseSizesStayDrawable) {
    EXPECT_EQ(fontPixelSize(0, 96.0F), 1);
    EXPECT_EQ(fontPixelSize(-30, 96.0F), 1);
    EXPECT_EQ(fontPixelSize(INT_MAX, 96.0F), kLargestFontPixels);
    EXPECT_EQ(fontPixelSize(INT_MIN, 96.0F), 1);
}

TEST(MatchFontFile, MissingFacesGiveAnExistingDefaultFile) {
    for (const char* face : {"Ariel", "Aerial", "System", "", "no such face at all"}) {
        const auto file = matchFontFile(face, 700);
        ASSERT_TRUE(file.has_value()) << "no font for face \"" << face << "\"";
        EXPECT_TRUE(std::filesystem::exists(file->path)) << file->path;
    }
}

TEST(MatchFontFile, FaceNamesAreNotReadAsFontOptions) {
    // ":" starts options in fontconfig's name syntax; the face must stay a name.
    const auto plain = matchFontFile("Ariel", 400);
    const auto odd = matchFontFile("Ariel:weight=200:slant=100", 400);
    ASSERT_TRUE(plain && odd);
    EXPECT_EQ(*plain, *odd);
}

TEST(MatchFontFile, HeavyWeightsAskForBold) {
    const auto regular = matchFontFile("Ariel", 400);
    const auto bold = matchFontFile("Ariel", 700);
    const auto semibold = matchFontFile("Ariel", 600);
    ASSERT_TRUE(regular && bold && semibold);
    EXPECT_NE(*regular, *bold) << "bold gives the regular file without emboldening it";
    EXPECT_EQ(*bold, *semibold);
    EXPECT_FALSE(regular->embolden);
}

TEST(FallbackFontFiles, OffersSeveralFilesWithTheMatchAmongThem) {
    const auto files = fallbackFontFiles("Ariel", 700);
    ASSERT_GT(files.size(), 1U);
    const auto match = matchFontFile("Ariel", 700);
    ASSERT_TRUE(match);
    bool found = false;
    for (const auto& file : files) found = found || file.path == match->path;
    EXPECT_TRUE(found) << match->path << " is not among the fallbacks";
}

}  // namespace
}  // namespace voxpan
