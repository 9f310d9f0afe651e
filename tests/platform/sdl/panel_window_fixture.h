// A panel window on SDL's dummy video driver, which needs no display, and
// ways to look at the image of its client area.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "platform/sdl/sdl_platform.h"

namespace voxpan::testing {

struct Pixel {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool isWhite() const { return red == 255 && green == 255 && blue == 255; }
};

inline Pixel pixelAt(const SDL_Surface* surface, int x, int y) {
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    Uint32 value = 0;
    SDL_memcpy(&value, row + x * surface->format->BytesPerPixel, sizeof value);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    return {r, g, b};
}

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;   // one past
    int bottom = 0;  // one past
};

// Counts the pixels in the box (cut to the surface) for which the test holds.
template <typename Test>
int countPixels(const SDL_Surface* surface, Box box, Test test) {
    int count = 0;
    for (int y = std::max(box.top, 0); y < std::min(box.bottom, surface->h); ++y)
        for (int x = std::max(box.left, 0); x < std::min(box.right, surface->w); ++x)
            if (test(pixelAt(surface, x, y))) ++count;
    return count;
}

inline int inkedPixels(const SDL_Surface* surface, Box box) {
    return countPixels(surface, box, [](Pixel p) { return !p.isWhite(); });
}

inline Box wholeOf(const SDL_Surface* surface) { return {0, 0, surface->w, surface->h}; }

class PanelWindowTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 950;
    static constexpr int kHeight = 500;

    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        platform_ = std::make_unique<SdlPlatform>();
        ASSERT_TRUE(platform_->createWindow(250, 100, kWidth, kHeight, "panel under test"))
            << "the dummy video driver gave no window";
    }

    SdlPlatform& panel() { return *platform_; }
    const SDL_Surface* image() { return platform_->imageForTesting(); }

    std::unique_ptr<SdlPlatform> platform_;
};

}  // namespace voxpan::testing
