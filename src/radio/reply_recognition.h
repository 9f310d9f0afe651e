// Picking the part the panel understands out of whatever the receiver sent.
#pragma once

#include <string>
#include <string_view>

namespace voxpan {

// The longest read the panel takes from the line at once.
inline constexpr int kReplyReadLimit = 255;

// Looks for "LC", "MW", "VS" and "LM" in that order; the first of them that
// occurs anywhere is taken, even when a later one stands earlier. Returns the
// text from that keyword on, at most 30, 13, 18 or 6 characters; "" when none
// occurs.
std::string recogniseReply(std::string_view received);

}  // namespace voxpan
