// Keyboard messages as the panel knows them: Windows delivers the virtual-key
// codes the panel's key table is written in; this only picks the messages
// and keys that are the panel's.
#pragma once

#include <optional>

#include "platform/platform.h"

namespace voxpan {

// The key event the panel receives for a window message (WM_KEYDOWN,
// WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP) with its wParam and lParam, if any.
// Key-downs with Alt held (and of Alt itself) belong to the system and are
// not delivered; every key-up is, so that a key held while Alt went down
// still releases the panel's latch. Auto-repeated key-downs are delivered.
// Keys the panel has no code for (the Windows keys, media keys, an input
// method's) are not delivered at all, as on Linux.
std::optional<WindowEvent> panelKeyEvent(unsigned message, unsigned long long wParam, long long lParam);

// True when the panel, not the system, answers a WM_SYSKEYDOWN or
// WM_SYSKEYUP: F10 without Alt, which would otherwise open the window's menu
// and take the next keys.
bool panelTakesSystemKey(unsigned message, unsigned long long wParam, long long lParam);

// True for the WM_SYSCOMMAND that Alt let go alone sends (SC_KEYMENU with no
// character): the panel refuses it, so that the window does not enter menu
// mode. Alt+Space (the system menu) and Alt+F4 stay the system's.
bool opensMenuByKeyboard(unsigned long long wParam, long long lParam);

}  // namespace voxpan
