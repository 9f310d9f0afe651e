// Keyboard keys as the panel knows them: Windows virtual-key codes as a US
// keyboard delivers them, taken from the key's position (SDL scancode).
#pragma once

#include <SDL.h>

#include <optional>

#include "platform/platform.h"

namespace voxpan {

// The virtual-key code of the key at the scancode, 0 when the panel has no
// code for it. The keypad gives digits with Num Lock on and the navigation
// keys with Num Lock off.
int virtualKeyFor(SDL_Scancode scancode, bool numLock);

// The key event the panel receives for an SDL key event, if any. Key-downs
// with Alt held (and of Alt itself) are system keys and are not delivered;
// every mapped key-up is, so that a key held while Alt went down still
// releases the panel's latch. Auto-repeated key-downs are delivered.
std::optional<WindowEvent> windowEventForKey(const SDL_KeyboardEvent& key);

}  // namespace voxpan
