#include "platform/win32/key_messages.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace voxpan {
namespace {

constexpr long long kAltDown = 1LL << 29;
constexpr long long kRepeat = 1LL << 30;

struct KeyMessage {
    UINT message;
    WPARAM key;
    long long lParam;
    std::optional<WindowEvent> delivered;
    bool panelAnswers;  // the system's window procedure does not see it
    const char* what;
};

TEST(KeyMessages, ThePanelGetsItsKeysAndTheSystemKeepsAltCombinations) {
    using E = WindowEvent;
    const auto down = EventKind::KeyDown;
    const auto up = EventKind::KeyUp;
    const KeyMessage cases[] = {
        {WM_KEYDOWN, 'Q', 0, E{down, 81}, true, "a letter"},
        {WM_KEYDOWN, VK_F1, kRepeat, E{down, 112}, true, "an auto-repeated key-down is delivered"},
        {WM_KEYDOWN, VK_OEM_PERIOD, 0, E{down, 190}, true, "the full stop"},
        {WM_KEYDOWN, VK_NUMPAD5, 0, E{down, 101}, true, "the keypad with Num Lock on"},
        {WM_KEYUP, VK_RETURN, 0, E{up, 13}, true, "a key-up"},
        {WM_SYSKEYDOWN, 'F', kAltDown, std::nullopt, false, "Alt+F belongs to the system"},
        {WM_SYSKEYDOWN, VK_F4, kAltDown, std::nullopt, false, "Alt+F4 closes through the system"},
        {WM_SYSKEYDOWN, VK_MENU, kAltDown, std::nullopt, false, "Alt itself"},
        {WM_KEYDOWN, VK_MENU, 0, std::nullopt, true, "the right Alt of Alt Gr"},
        {WM_SYSKEYUP, 'F', kAltDown, E{up, 70}, false, "a key-up under Alt still releases the latch"},
        {WM_SYSKEYUP, VK_MENU, 0, E{up, 18}, false, "the key-up of Alt"},
        {WM_SYSKEYDOWN, VK_F10, 0, E{down, 121}, true, "F10 alone is a key, not the menu"},
        {WM_SYSKEYUP, VK_F10, 0, E{up, 121}, true, "and its key-up"},
        {WM_KEYDOWN, VK_LWIN, 0, std::nullopt, true, "the Windows key has no code on the panel"},
        {WM_KEYDOWN, VK_VOLUME_UP, 0, std::nullopt, true, "nor a media key"},
        {WM_KEYDOWN, VK_PROCESSKEY, 0, std::nullopt, true, "nor an input method's key"},
        {WM_CHAR, 'q', 0, std::nullopt, true, "characters are not key events"},
    };
    for (const KeyMessage& c : cases) {
        EXPECT_EQ(panelKeyEvent(c.message, c.key, c.lParam), c.delivered) << c.what;
        if (c.message == WM_SYSKEYDOWN || c.message == WM_SYSKEYUP) {
            EXPECT_EQ(panelTakesSystemKey(c.message, c.key, c.lParam), c.panelAnswers) << c.what;
        }
    }
    // Alt let go alone asks for menu mode; Alt+Space and Alt+F4 stay the system's.
    EXPECT_TRUE(opensMenuByKeyboard(SC_KEYMENU, 0));
    EXPECT_FALSE(opensMenuByKeyboard(SC_KEYMENU, ' '));
    EXPECT_FALSE(opensMenuByKeyboard(SC_CLOSE, 0));
}

}  // namespace
}  // namespace voxpan
