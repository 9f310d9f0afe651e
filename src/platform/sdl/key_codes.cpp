#include "platform/sdl/key_codes.h"

namespace voxpan {

namespace {

// Windows virtual-key codes that have no character of their own.
constexpr int kBackspace = 8;
constexpr int kTab = 9;
constexpr int kClear = 12;
constexpr int kEnter = 13;
constexpr int kShift = 16;
constexpr int kControl = 17;
constexpr int kAlt = 18;
constexpr int kPause = 19;
constexpr int kCapsLock = 20;
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kPageUp = 33;
constexpr int kPageDown = 34;
constexpr int kEnd = 35;
constexpr int kHome = 36;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kInsert = 45;
constexpr int kDelete = 46;
constexpr int kNumpad0 = 96;
constexpr int kMultiply = 106;
constexpr int kAdd = 107;
constexpr int kSubtract = 109;
constexpr int kDecimal = 110;
constexpr int kDivide = 111;
constexpr int kF1 = 112;
constexpr int kNumLock = 144;
constexpr int kScrollLock = 145;
constexpr int kSemicolon = 186;
constexpr int kEquals = 187;
constexpr int kComma = 188;
constexpr int kMinus = 189;
constexpr int kFullStop = 190;
constexpr int kSlash = 191;
constexpr int kBackquote = 192;
constexpr int kLeftBracket = 219;
constexpr int kBackslash = 220;
constexpr int kRightBracket = 221;
constexpr int kQuote = 222;

// Keypad 1..9 and 0 without Num Lock: the navigation key printed on each.
int keypadNavigationKey(SDL_Scancode scancode) {
    switch (scancode) {
    case SDL_SCANCODE_KP_1: return kEnd;
    case SDL_SCANCODE_KP_2: return kDown;
    case SDL_SCANCODE_KP_3: return kPageDown;
    case SDL_SCANCODE_KP_4: return kLeft;
    case SDL_SCANCODE_KP_5: return kClear;
    case SDL_SCANCODE_KP_6: return kRight;
    case SDL_SCANCODE_KP_7: return kHome;
    case SDL_SCANCODE_KP_8: return kUp;
    case SDL_SCANCODE_KP_9: return kPageUp;
    case SDL_SCANCODE_KP_0: return kInsert;
    case SDL_SCANCODE_KP_PERIOD: return kDelete;
    default: return 0;
    }
}

int keypadKey(SDL_Scancode scancode, bool numLock) {
    if (!numLock) return keypadNavigationKey(scancode);
    if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
        return kNumpad0 + 1 + (scancode - SDL_SCANCODE_KP_1);
    if (scancode == SDL_SCANCODE_KP_0) return kNumpad0;
    if (scancode == SDL_SCANCODE_KP_PERIOD) return kDecimal;
    return 0;
}

}  // namespace

int virtualKeyFor(SDL_Scancode scancode, bool numLock) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 'A' + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return '1' + (scancode - SDL_SCANCODE_1);
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
        return kF1 + (scancode - SDL_SCANCODE_F1);
    if (int keypad = keypadKey(scancode, numLock); keypad != 0) return keypad;

    switch (scancode) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER: return kEnter;
    case SDL_SCANCODE_SPACE: return kSpace;
    case SDL_SCANCODE_BACKSPACE: return kBackspace;
    case SDL_SCANCODE_TAB: return kTab;
    case SDL_SCANCODE_ESCAPE: return kEscape;
    case SDL_SCANCODE_PAGEUP: return kPageUp;
    case SDL_SCANCODE_PAGEDOWN: return kPageDown;
    case SDL_SCANCODE_END: return kEnd;
    case SDL_SCANCODE_HOME: return kHome;
    case SDL_SCANCODE_LEFT: return kLeft;
    case SDL_SCANCODE_UP: return kUp;
    case SDL_SCANCODE_RIGHT: return kRight;
    case SDL_SCANCODE_DOWN: return kDown;
    case SDL_SCANCODE_INSERT: return kInsert;
    case SDL_SCANCODE_DELETE: return kDelete;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return kShift;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return kControl;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return kAlt;
    case SDL_SCANCODE_PAUSE: return kPause;
    case SDL_SCANCODE_CAPSLOCK: return kCapsLock;
    case SDL_SCANCODE_NUMLOCKCLEAR: return kNumLock;
    case SDL_SCANCODE_SCROLLLOCK: return kScrollLock;
    case SDL_SCANCODE_PERIOD: return kFullStop;
    case SDL_SCANCODE_COMMA: return kComma;
    case SDL_SCANCODE_MINUS: return kMinus;
    case SDL_SCANCODE_EQUALS: return kEquals;
    case SDL_SCANCODE_SEMICOLON: return kSemicolon;
    case SDL_SCANCODE_SLASH: return kSlash;
    case SDL_SCANCODE_GRAVE: return kBackquote;
    case SDL_SCANCODE_LEFTBRACKET: return kLeftBracket;
    case SDL_SCANCODE_BACKSLASH: return kBackslash;
    case SDL_SCANCODE_RIGHTBRACKET: return kRightBracket;
    case SDL_SCANCODE_APOSTROPHE: return kQuote;
    case SDL_SCANCODE_KP_MULTIPLY: return kMultiply;
    case SDL_SCANCODE_KP_PLUS: return kAdd;
    case SDL_SCANCODE_KP_MINUS: return kSubtract;
    case SDL_SCANCODE_KP_DIVIDE: return kDivide;
    default: return 0;
    }
}

std::optional<WindowEvent> windowEventForKey(const SDL_KeyboardEvent& key) {
    const bool numLock = (key.keysym.mod & KMOD_NUM) != 0;
    const int code = virtualKeyFor(key.keysym.scancode, numLock);
    if (code == 0) return std::nullopt;
    if (key.type == SDL_KEYUP) return WindowEvent{EventKind::KeyUp, code};
    if (key.type != SDL_KEYDOWN) return std::nullopt;
    const bool systemKey = code == kAlt || (key.keysym.mod & KMOD_ALT) != 0;
    if (systemKey) return std::nullopt;
    return WindowEvent{EventKind::KeyDown, code};
}

}  // namespace voxpan
