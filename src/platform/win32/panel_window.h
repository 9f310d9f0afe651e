// The panel's one window on Windows: a fixed-size frame with close and
// minimise boxes, an image of its client area that every text is drawn into
// and that repaints the window whenever it is uncovered, GDI fonts, and the
// window's messages turned into the panel's events.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/text_placement.h"

namespace voxpan {

class PanelWindow {
public:
    PanelWindow() = default;
    ~PanelWindow();
    PanelWindow(const PanelWindow&) = delete;
    PanelWindow& operator=(const PanelWindow&) = delete;

    // The outer frame at (x, y) of width x height in the 96-dpi layout, as
    // CreateWindow takes it, grown with the screen's scaling; the image is
    // the size of the client area inside. False when no window could be
    // made (the reason is in `failure`).
    bool open(int x, int y, int width, int height, std::string_view title, std::string& failure);
    void close();
    bool isOpen() const { return window_ != nullptr; }

    // Draws the text at the layout position with opaque white cells;
    // returns the text's width in the layout's pixels (0 when nothing was
    // drawn).
    int draw(std::string_view text, Point at, const TextStyle& style);
    // Brings the screen up to date with the image at once (the panel is
    // about to speak, and its thread will not look at the window meanwhile).
    void showNow();

    void startTimer(int number, int periodMs);
    void stopTimer(int number);
    // Sleeps until at least one event is pending, then returns all pending
    // ones; a close request at most once a batch.
    std::vector<WindowEvent> waitEvents();

    // Called inside WM_ENDSESSION when the session does end (log-off,
    // restart, shut-down): Windows may end the program as soon as that
    // message has been answered, so the goodbye must be said before.
    void onSessionEnd(std::function<void()> goodbye) { sessionEnding_ = std::move(goodbye); }

    // The window's own messages, for the system's window procedure.
    long long handleMessage(unsigned message, unsigned long long wParam, long long lParam);

private:
    void* fontFor(const TextStyle& style);
    void give(WindowEvent event);
    // A key held while the window loses the keyboard lets go where the
    // panel never hears it: its key-up is given now.
    void releaseHeldKey();

    void* window_ = nullptr;   // HWND
    void* image_ = nullptr;    // HDC of the image
    void* bitmap_ = nullptr;   // HBITMAP held by image_
    void* oldBitmap_ = nullptr;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    DpiScale scale_;
    std::map<std::tuple<std::string, int, int>, void*> fonts_;  // HFONT by face, points, weight
    std::vector<WindowEvent> pending_;
    bool closeGiven_ = false;
    int heldKey_ = 0;  // the key given down and not yet up, or 0
    std::function<void()> sessionEnding_;
};

}  // namespace voxpan
