#include "platform/sdl/window_image.h"

#include <cstdint>

namespace voxpan {

WindowImage::WindowImage(int width, int height) {
    if (width <= 0 || height <= 0) return;
    surface_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888);
    if (surface_ != nullptr)
        SDL_FillRect(surface_, nullptr, SDL_MapRGB(surface_->format, 255, 255, 255));
}

WindowImage::~WindowImage() {
    if (surface_ != nullptr) SDL_FreeSurface(surface_);
}

void WindowImage::paint(SDL_Surface* picture, int x, int y) {
    if (surface_ == nullptr || picture == nullptr) return;
    // Pictures wholly outside are skipped here, so that SDL never adds sizes
    // to coordinates near the ends of the int range.
    const std::int64_t left = x;
    const std::int64_t top = y;
    if (left >= surface_->w || top >= surface_->h) return;
    if (left + picture->w <= 0 || top + picture->h <= 0) return;
    SDL_Rect where{x, y, picture->w, picture->h};
    if (SDL_BlitSurface(picture, nullptr, surface_, &where) == 0) stale_ = true;
}

void WindowImage::presentIfStale(SDL_Window* window) {
    if (!stale_ || surface_ == nullptr || window == nullptr) return;
    SDL_Surface* screen = SDL_GetWindowSurface(window);
    if (screen == nullptr) return;
    if (SDL_BlitSurface(surface_, nullptr, screen, nullptr) != 0) return;
    if (SDL_UpdateWindowSurface(window) == 0) stale_ = false;
}

}  // namespace voxpan
