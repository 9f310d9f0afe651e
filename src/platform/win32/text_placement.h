// The panel is laid out in the pixels of a 96-dpi screen: a text at
// (300, 150) in 50 points. At 125 to 200 % display scaling the screen has
// more pixels to the inch, and the fonts, the positions and the window all
// grow by the same factor, so that the text stays crisp and in its place.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace voxpan {

struct TextStyle {
    std::string face;
    int points = 0;
    int weight = 0;
    Colour colour;
};

class DpiScale {
public:
    // The screen's dots per inch; anything below 1 is taken as 96.
    explicit DpiScale(int dpi = 96) : dpi_(dpi > 0 ? dpi : 96) {}
    int dpi() const { return dpi_; }
    // A length of the 96-dpi layout on this screen, and back.
    int pixels(int layout) const;
    int layout(int pixels) const;
    // The height of a font of that size on this screen.
    int fontPixels(int points) const;

private:
    int dpi_;
};

// The panel's bytes as the screen shows them: each byte one character of
// Latin-1, as on Linux, whatever the system's code page.
std::wstring latin1Text(std::string_view bytes);

// The GDI font for the style at the scale; nullptr when none can be made. A
// face the system lacks is replaced by the font mapper's choice.
HFONT createPanelFont(const TextStyle& style, const DpiScale& scale);

// Where the text lands on the screen, in its pixels, when drawn at the
// layout position with the font selected into the device context; empty
// when it cannot be measured.
RECT placeText(HDC dc, std::wstring_view text, Point at, const DpiScale& scale);

}  // namespace voxpan
