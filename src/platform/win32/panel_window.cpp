#include "platform/win32/panel_window.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/win32/key_messages.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_serial_port.h"

namespace voxpan {

namespace {

constexpr const wchar_t* kWindowClass = L"VoxpanFrontPanel";
// The panel's texts hold at most 254 characters and a little padding.
constexpr std::size_t kLongestDrawnText = 2048;
constexpr int kLargestWindowSide = 16384;

// Not resizable, no maximise box: a fixed frame with a title, the system
// menu with its close box, and a minimise box.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

BYTE colourPart(int value) { return static_cast<BYTE>(std::clamp(value, 0, 255)); }

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* panel = reinterpret_cast<PanelWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (panel == nullptr || !panel->isOpen()) return DefWindowProcW(window, message, wParam, lParam);
    const long long answer = panel->handleMessage(message, wParam, lParam);
    if (answer < 0) return DefWindowProcW(window, message, wParam, lParam);
    return static_cast<LRESULT>(answer);
}

bool registerWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The screen's resolution, as the manifest's DPI awareness lets the
// program see it.
int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

PanelWindow::~PanelWindow() { close(); }

bool PanelWindow::open(int x, int y, int width, int height, std::string_view title, std::string& failure) {
    if (window_ != nullptr) return true;
    // The manifest declares the program DPI-aware: Windows draws it at the
    // screen's own resolution, not as a blurred enlargement.
    scale_ = DpiScale(screenDpi());
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!registerWindowClass(instance)) {
        failure = win32ErrorText(GetLastError());
        return false;
    }
    width = std::clamp(scale_.pixels(width), 1, kLargestWindowSide);
    height = std::clamp(scale_.pixels(height), 1, kLargestWindowSide);
    const std::wstring titleText = wideText(title);
    // The window procedure sees this object from the first message on, but
    // answers only once the window is fully made.
    HWND window = CreateWindowExW(0, kWindowClass, titleText.c_str(), kWindowStyle, scale_.pixels(x),
                                  scale_.pixels(y), width, height, nullptr, nullptr, instance, this);
    if (window == nullptr) {
        failure = win32ErrorText(GetLastError());
        return false;
    }
    RECT client{};
    GetClientRect(window, &client);
    imageWidth_ = std::max<int>(client.right - client.left, 1);
    imageHeight_ = std::max<int>(client.bottom - client.top, 1);

    HDC screen = GetDC(window);
    HDC image = CreateCompatibleDC(screen);
    HBITMAP bitmap = image != nullptr ? CreateCompatibleBitmap(screen, imageWidth_, imageHeight_) : nullptr;
    ReleaseDC(window, screen);
    if (bitmap == nullptr) {
        failure = "no memory for the image of the window";
        if (image != nullptr) DeleteDC(image);
        DestroyWindow(window);
        return false;
    }
    oldBitmap_ = SelectObject(image, bitmap);
    PatBlt(image, 0, 0, imageWidth_, imageHeight_, WHITENESS);
    SetBkMode(image, OPAQUE);
    SetBkColor(image, RGB(255, 255, 255));
    image_ = image;
    bitmap_ = bitmap;
    window_ = window;

    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetForegroundWindow(window);
    return true;
}

void PanelWindow::close() {
    if (window_ != nullptr) {
        HWND window = static_cast<HWND>(window_);
        window_ = nullptr;
        DestroyWindow(window);
    }
    if (image_ != nullptr) {
        SelectObject(static_cast<HDC>(image_), static_cast<HGDIOBJ>(oldBitmap_));
        DeleteDC(static_cast<HDC>(image_));
        image_ = nullptr;
    }
    if (bitmap_ != nullptr) DeleteObject(static_cast<HGDIOBJ>(bitmap_));
    bitmap_ = nullptr;
    for (auto& [key, font] : fonts_) DeleteObject(static_cast<HGDIOBJ>(font));
    fonts_.clear();
    pending_.clear();
    heldKey_ = 0;
}

void* PanelWindow::fontFor(const TextStyle& style) {
    const auto key = std::make_tuple(style.face, style.points, style.weight);
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second;
    HFONT font = createPanelFont(style, scale_);
    if (font == nullptr) return nullptr;
    fonts_.emplace(key, font);
    return font;
}

int PanelWindow::draw(std::string_view text, Point at, const TextStyle& style) {
    if (image_ == nullptr || text.empty()) return 0;
    const std::wstring shown = latin1Text(text.substr(0, kLongestDrawnText));
    HDC image = static_cast<HDC>(image_);
    void* font = fontFor(style);
    if (font == nullptr) return 0;
    SelectObject(image, static_cast<HGDIOBJ>(font));
    SetTextColor(image, RGB(colourPart(style.colour.red), colourPart(style.colour.green), colourPart(style.colour.blue)));
    const RECT box = placeText(image, shown, at, scale_);
    if (box.right <= box.left) return 0;
    TextOutW(image, box.left, box.top, shown.data(), static_cast<int>(shown.size()));
    InvalidateRect(static_cast<HWND>(window_), &box, FALSE);
    return scale_.layout(box.right - box.left);
}

void PanelWindow::showNow() {
    if (window_ != nullptr) UpdateWindow(static_cast<HWND>(window_));
}

void PanelWindow::startTimer(int number, int periodMs) {
    if (window_ == nullptr || number <= 0) return;
    SetTimer(static_cast<HWND>(window_), static_cast<UINT_PTR>(number), static_cast<UINT>(std::max(periodMs, 1)),
             nullptr);
}

void PanelWindow::stopTimer(int number) {
    if (window_ == nullptr || number <= 0) return;
    KillTimer(static_cast<HWND>(window_), static_cast<UINT_PTR>(number));
}

void PanelWindow::give(WindowEvent event) {
    if (event.kind == EventKind::Close) {
        if (closeGiven_) return;
        closeGiven_ = true;
    }
    if (event.kind == EventKind::KeyDown) heldKey_ = event.param;
    if (event.kind == EventKind::KeyUp) heldKey_ = 0;
    pending_.push_back(event);
}

void PanelWindow::releaseHeldKey() {
    if (heldKey_ != 0) give({EventKind::KeyUp, heldKey_});
}

std::vector<WindowEvent> PanelWindow::waitEvents() {
    for (;;) {
        // Without a window there is nothing to wait for: the panel is done.
        if (window_ == nullptr) return {{EventKind::Close, 0}};
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                give({EventKind::Close, 0});
                break;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (!pending_.empty()) {
            closeGiven_ = false;
            return std::exchange(pending_, {});
        }
        // Timer ticks, keys and repaints all wake it.
        WaitMessage();
    }
}

long long PanelWindow::handleMessage(unsigned message, unsigned long long wParam, long long lParam) {
    switch (message) {
    case WM_CLOSE:
        // The panel says goodbye to the receiver first; it closes the window.
        give({EventKind::Close, 0});
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the image covers the whole client area
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC screen = BeginPaint(static_cast<HWND>(window_), &paint);
        const RECT& area = paint.rcPaint;
        BitBlt(screen, area.left, area.top, area.right - area.left, area.bottom - area.top, static_cast<HDC>(image_),
               area.left, area.top, SRCCOPY);
        EndPaint(static_cast<HWND>(window_), &paint);
        return 0;
    }
    case WM_TIMER:
        give({EventKind::Timer, static_cast<int>(wParam)});
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (auto key = panelKeyEvent(message, wParam, lParam)) give(*key);
        return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (auto key = panelKeyEvent(message, wParam, lParam)) give(*key);
        // Alt+F4, Alt+Space and the like stay the system's.
        if (panelTakesSystemKey(message, wParam, lParam)) return 0;
        return -1;
    case WM_SYSCOMMAND:
        // Alt pressed and let go alone would put the window into menu mode,
        // where the next key is swallowed in silence and the polls wait.
        return opensMenuByKeyboard(wParam, lParam) ? 0 : -1;
    case WM_KILLFOCUS:
        releaseHeldKey();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) releaseHeldKey();
        return -1;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // FALSE: another program cancelled the log-off; the panel runs on.
        if (wParam != FALSE && sessionEnding_) sessionEnding_();
        return 0;
    default:
        return -1;
    }
}

}  // namespace voxpan
