#include "platform/win32/text_placement.h"

#include <algorithm>

namespace voxpan {

namespace {

constexpr int kLayoutDpi = 96;
constexpr int kLargestFontPixels = 800;
constexpr int kFaceNameRoom = LF_FACESIZE - 1;

}  // namespace

int DpiScale::pixels(int layout) const { return MulDiv(layout, dpi_, kLayoutDpi); }

int DpiScale::layout(int pixels) const { return MulDiv(pixels, kLayoutDpi, dpi_); }

int DpiScale::fontPixels(int points) const {
    // A point is 1/72 inch.
    return std::clamp(MulDiv(std::max(points, 1), dpi_, 72), 1, kLargestFontPixels);
}

std::wstring latin1Text(std::string_view bytes) {
    std::wstring text(bytes.size(), L'\0');
    std::transform(bytes.begin(), bytes.end(), text.begin(),
                   [](char c) { return static_cast<wchar_t>(static_cast<unsigned char>(c)); });
    return text;
}

HFONT createPanelFont(const TextStyle& style, const DpiScale& scale) {
    const std::wstring face = latin1Text(std::string_view(style.face).substr(0, kFaceNameRoom));
    return CreateFontW(-scale.fontPixels(style.points), 0, 0, 0, std::clamp(style.weight, 0, 1000), FALSE, FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

RECT placeText(HDC dc, std::wstring_view text, Point at, const DpiScale& scale) {
    SIZE extent{};
    if (text.empty() || !GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent)) return {};
    const int left = scale.pixels(at.x);
    const int top = scale.pixels(at.y);
    return {left, top, left + extent.cx, top + extent.cy};
}

}  // namespace voxpan
