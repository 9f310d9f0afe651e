// The image of the panel window's client area: everything drawn stays in it,
// and it is copied to the window whenever the window needs it, so the text
// survives the window being covered or minimised.
#pragma once

#include <SDL.h>

namespace voxpan {

class WindowImage {
public:
    // A white image of the size; valid() is false when it could not be made.
    WindowImage(int width, int height);
    ~WindowImage();
    WindowImage(const WindowImage&) = delete;
    WindowImage& operator=(const WindowImage&) = delete;

    bool valid() const { return surface_ != nullptr; }
    const SDL_Surface* surface() const { return surface_; }

    // Copies the picture into the image with its top-left corner at (x, y);
    // what falls outside the image is cut off.
    void paint(SDL_Surface* picture, int x, int y);

    // The window lost its contents (shown again, uncovered, restored).
    void markWindowStale() { stale_ = true; }

    // Copies the image to the window if anything changed since last time.
    void presentIfStale(SDL_Window* window);

private:
    SDL_Surface* surface_ = nullptr;
    bool stale_ = true;
};

}  // namespace voxpan
