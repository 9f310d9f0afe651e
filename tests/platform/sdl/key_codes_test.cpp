#include "platform/sdl/key_codes.h"

#include <gtest/gtest.h>

namespace voxpan {
namespace {

TEST(VirtualKeyFor, LettersAreTheirCapitals) {
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_A, false), 65);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_F, true), 70);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_Q, false), 81);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_Z, false), 90);
}

TEST(VirtualKeyFor, TopRowDigitsAreTheirCharacters) {
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_0, false), 48);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_1, false), 49);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_5, true), 53);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_9, false), 57);
}

TEST(VirtualKeyFor, FunctionKeysRunFrom112) {
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_F1, false), 112);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_F7, false), 118);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_F12, false), 123);
}

TEST(VirtualKeyFor, BothEnterKeysAre13) {
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_RETURN, false), 13);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_ENTER, false), 13);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_ENTER, true), 13);
}

TEST(VirtualKeyFor, EditingAndNavigationKeys) {
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_SPACE, false), 32);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_BACKSPACE, false), 8);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_TAB, false), 9);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_ESCAPE, false), 27);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_PAGEUP, false), 33);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_PAGEDOWN, false), 34);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_END, false), 35);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_HOME, false), 36);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_LEFT, false), 37);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_UP, false), 38);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_RIGHT, false), 39);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_DOWN, false), 40);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_INSERT, false), 45);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_DELETE, false), 46);
}

TEST(VirtualKeyFor, ModifierKeysDoNotTellLeftFromRight) {
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_LSHIFT, false), 16);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_RSHIFT, false), 16);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_LCTRL, false), 17);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_RCTRL, false), 17);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_LALT, false), 18);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_RALT, false), 18);
}

TEST(VirtualKeyFor, PunctuationKeysOfAUsKeyboard) {
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_PERIOD, false), 190);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_COMMA, false), 188);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_MINUS, false), 189);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_SEMICOLON, false), 186);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_EQUALS, false), 187);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_SLASH, false), 191);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_GRAVE, false), 192);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_LEFTBRACKET, false), 219);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_BACKSLASH, false), 220);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_RIGHTBRACKET, false), 221);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_APOSTROPHE, false), 222);
}

TEST(VirtualKeyFor, KeypadWithNumLockGivesDigitsAndDecimal) {
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_0, true), 96);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_1, true), 97);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_5, true), 101);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_9, true), 105);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_PERIOD, true), 110);
}

TEST(VirtualKeyFor, KeypadWithoutNumLockGivesTheNavigationKeys) {
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_0, false), 45);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_1, false), 35);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_2, false), 40);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_3, false), 34);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_4, false), 37);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_5, false), 12);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_6, false), 39);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_7, false), 36);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_8, false), 38);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_9, false), 33);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_PERIOD, false), 46);
}

TEST(VirtualKeyFor, KeypadOperatorsIgnoreNumLock) {
    for (bool numLock : {false, true}) {
        EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_MULTIPLY, numLock), 106) << numLock;
        EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_PLUS, numLock), 107) << numLock;
        EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_MINUS, numLock), 109) << numLock;
        EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_KP_DIVIDE, numLock), 111) << numLock;
    }
}

TEST(VirtualKeyFor, KeysWithoutACodeGiveZero) {
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_UNKNOWN, false), 0);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_F13, false), 0);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_MUTE, true), 0);
    EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_LGUI, false), 0);
    EXPECT_EQ(virtualKeyFor(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES + 7), false), 0);
}

SDL_KeyboardEvent keyEvent(Uint32 type, SDL_Scancode scancode, Uint16 mod = KMOD_NONE,
                           Uint8 repeat = 0) {
    SDL_KeyboardEvent key{};
    key.type = type;
    key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    key.repeat = repeat;
    key.keysym.scancode = scancode;
    key.keysym.mod = mod;
    return key;
}

TEST(WindowEventForKey, KeyDownAndKeyUpCarryTheCode) {
    EXPECT_EQ(windowEventForKey(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_F1)),
              (WindowEvent{EventKind::KeyDown, 112}));
    EXPECT_EQ(windowEventForKey(keyEvent(SDL_KEYUP, SDL_SCANCODE_F1)),
              (WindowEvent{EventKind::KeyUp, 112}));
}

TEST(WindowEventForKey, AutoRepeatedKeyDownsAreDelivered) {
    EXPECT_EQ(windowEventForKey(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_UP, KMOD_NONE, 1)),
              (WindowEvent{EventKind::KeyDown, 38}));
}

TEST(WindowEventForKey, NumLockStateComesFromTheModifiers) {
    EXPECT_EQ(windowEventForKey(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_KP_8, KMOD_NUM)),
              (WindowEvent{EventKind::KeyDown, 104}));
    EXPECT_EQ(windowEventForKey(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_KP_8)),
              (WindowEvent{EventKind::KeyDown, 38}));
}

TEST(WindowEventForKey, KeyDownsWithAltHeldAreSystemKeysAndNotDelivered) {
    EXPECT_FALSE(windowEventForKey(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_Q, KMOD_LALT)));
    EXPECT_FALSE(windowEventForKey(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_F4, KMOD_RALT)));
    EXPECT_FALSE(windowEventForKey(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_LALT)));
}

TEST(WindowEventForKey, KeyUpsAreDeliveredEvenWithAltHeld) {
    EXPECT_EQ(windowEventForKey(keyEvent(SDL_KEYUP, SDL_SCANCODE_Q, KMOD_LALT)),
              (WindowEvent{EventKind::KeyUp, 81}));
    EXPECT_EQ(windowEventForKey(keyEvent(SDL_KEYUP, SDL_SCANCODE_LALT)),
              (WindowEvent{EventKind::KeyUp, 18}));
}

TEST(WindowEventForKey, ShiftAndCtrlDoNotStopAKeyDown) {
    EXPECT_EQ(windowEventForKey(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_A, KMOD_LSHIFT | KMOD_CTRL)),
              (WindowEvent{EventKind::KeyDown, 65}));
}

TEST(WindowEventForKey, UnmappedKeysAreNotDelivered) {
    EXPECT_FALSE(windowEventForKey(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_MUTE)));
    EXPECT_FALSE(windowEventForKey(keyEvent(SDL_KEYUP, SDL_SCANCODE_MUTE)));
}

}  // namespace
}  // namespace voxpan
