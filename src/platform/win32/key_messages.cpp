#include "platform/win32/key_messages.h"

#include <windows.h>

namespace voxpan {

namespace {

// lParam bit 29: the Alt key was down when the key went down.
bool altHeld(long long lParam) { return (lParam & (1LL << 29)) != 0; }

// The keys a US keyboard has that the panel gives a code on every system.
bool isPanelKey(unsigned long long key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return true;
    if (key >= VK_F1 && key <= VK_F12) return true;
    if (key >= VK_NUMPAD0 && key <= VK_DIVIDE && key != VK_SEPARATOR) return true;
    if (key >= VK_PRIOR && key <= VK_DOWN) return true;  // Page Up .. Down arrow
    if (key >= VK_OEM_1 && key <= VK_OEM_3) return true;  // ; = , - . / `
    if (key >= VK_OEM_4 && key <= VK_OEM_7) return true;  // [ \ ] '
    switch (key) {
    case VK_BACK: case VK_TAB: case VK_CLEAR: case VK_RETURN: case VK_SHIFT: case VK_CONTROL: case VK_MENU:
    case VK_PAUSE: case VK_CAPITAL: case VK_ESCAPE: case VK_SPACE: case VK_INSERT: case VK_DELETE:
    case VK_NUMLOCK: case VK_SCROLL:
        return true;
    default:
        return false;
    }
}

}  // namespace

bool panelTakesSystemKey(unsigned message, unsigned long long wParam, long long lParam) {
    return (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) && wParam != VK_MENU && !altHeld(lParam) && isPanelKey(wParam);
}

bool opensMenuByKeyboard(unsigned long long wParam, long long lParam) {
    return (wParam & 0xFFF0) == SC_KEYMENU && lParam == 0;
}

std::optional<WindowEvent> panelKeyEvent(unsigned message, unsigned long long wParam, long long lParam) {
    if (!isPanelKey(wParam)) return std::nullopt;
    const int code = static_cast<int>(wParam);
    switch (message) {
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return WindowEvent{EventKind::KeyUp, code};
    case WM_KEYDOWN:
        // Alt Gr comes as Control and a right Alt that is no system key.
        if (wParam == VK_MENU) return std::nullopt;
        return WindowEvent{EventKind::KeyDown, code};
    case WM_SYSKEYDOWN:
        if (panelTakesSystemKey(message, wParam, lParam)) return WindowEvent{EventKind::KeyDown, code};
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

}  // namespace voxpan
