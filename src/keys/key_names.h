// The keys of the panel by their Windows virtual-key codes, the codes the
// window delivers (letters and digits are their ASCII codes).
#pragma once

namespace voxpan {

inline constexpr int kKeyEnter = 13;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyPageUp = 33;
inline constexpr int kKeyPageDown = 34;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyDelete = 46;  // also the decimal point
inline constexpr int kKeyFullStop = 190;
inline constexpr int kKeyDigit0 = 48;
inline constexpr int kKeyDigit9 = 57;
inline constexpr int kKeyF1 = 112;
inline constexpr int kKeyF7 = 118;

// Letter keys are their capital letter: key('Q') is the Q key.
constexpr int key(char letter) { return static_cast<unsigned char>(letter); }

}  // namespace voxpan
