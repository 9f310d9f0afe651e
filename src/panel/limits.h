// The sizes the panel's tables and texts are built with. Bank files written
// by the panel on other systems rely on the same sizes.
#pragma once

#include <cstddef>

namespace voxpan {

// Every text the panel keeps holds at most this many characters.
inline constexpr std::size_t kTextCapacity = 254;

// Ten key presses of two entries each: the key code, then the 0 that reads
// the receiver's answer to it.
inline constexpr int kKeyQueueSize = 20;
// A key-up leaves this in currentKey: a code that matches no key.
inline constexpr int kKeyUpMarker = 999;

// A bank table: lines 0 to 399 mirror the file, 400 to 419 are spare room
// while a list grows.
inline constexpr int kBankTableSize = 420;
// At most this many lines of a bank file are read and written.
inline constexpr int kBankFileLines = 400;

}  // namespace voxpan
