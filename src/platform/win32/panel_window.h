// The panel's one window on Windows: a fixed-size frame with close and
// minimise boxes, an image of its client area that every text is drawn into
// and that repaints the window whenever it is uncovered, GDI fonts, and the
// window's messages turned into the panel's events.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/platform.h"

namespace voxpan {

struct TextStyle {
    std::string face;
    int points = 0;
    int weight = 0;
    Colour colour;
};

class PanelWindow {
public:
    PanelWindow() = default;
    ~PanelWindow();
    PanelWindow(const PanelWindow&) = delete;
    PanelWindow& operator=(const PanelWindow&) = delete;

    // The outer frame at (x, y) of width x height, as CreateWindow takes it;
    // the image is the size of the client area inside. False when no window
    // could be made (the reason is in `failure`).
    bool open(int x, int y, int width, int height, std::string_view title, std::string& failure);
    void close();
    bool isOpen() const { return window_ != nullptr; }

    // Draws the text at the position with opaque white cells; returns the
    // text's width in pixels (0 when nothing was drawn).
    int draw(std::string_view text, Point at, const TextStyle& style);
    // Brings the screen up to date with the image at once (the panel is
    // about to speak, and its thread will not look at the window meanwhile).
    void showNow();

    void startTimer(int number, int periodMs);
    void stopTimer(int number);
    // Sleeps until at least one event is pending, then returns all pending
    // ones; a close request at most once a batch.
    std::vector<WindowEvent> waitEvents();

    // The window's own messages, for the system's window procedure.
    long long handleMessage(unsigned message, unsigned long long wParam, long long lParam);

private:
    void* fontFor(const TextStyle& style);
    void give(WindowEvent event);

    void* window_ = nullptr;   // HWND
    void* image_ = nullptr;    // HDC of the image
    void* bitmap_ = nullptr;   // HBITMAP held by image_
    void* oldBitmap_ = nullptr;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    int dpi_ = 96;
    std::map<std::tuple<std::string, int, int>, void*> fonts_;  // HFONT by face, pixels, weight
    std::vector<WindowEvent> pending_;
    bool closeGiven_ = false;
};

}  // namespace voxpan
