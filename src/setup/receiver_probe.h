// Asking the receiver whether it is there, at each line speed it supports.
#pragma once

#include <chrono>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace voxpan::setup {

// The AR8600's line speeds, in the order they are offered.
inline constexpr int kReceiverSpeeds[] = {4800, 9600, 19200};
// The order they are tried: its factory setting first.
inline constexpr int kProbeOrder[] = {9600, 19200, 4800};
inline constexpr int kDefaultSpeed = 9600;
// The speed of a raw network port ("tcp:"): whatever is set at the server,
// where the receiver is asked once.
inline constexpr int kServerSpeed = -1;
inline constexpr auto kProbeGiveUp = std::chrono::milliseconds(1000);

// The level query the panel polls with; it reads and changes nothing.
inline constexpr std::string_view kProbeQuery = "LM\r";

struct ProbeAttempt {
    int speed = 0;
    bool opened = false;
    bool answered = false;
    std::string received;  // every byte that came back
};

// Opens the port as the panel does at each speed in turn, sends the level
// query and waits up to `giveUp` for a reply holding "LM". Stops at the first
// speed that answers; `report` hears of each attempt as it ends. The speed
// that answered, or 0. A raw network port is asked once, at kServerSpeed.
int probeReceiver(const std::string& device, std::span<const int> speeds, std::chrono::milliseconds giveUp,
                  const std::function<void(const ProbeAttempt&)>& report);

// "9600 bits per second", or for kServerSpeed "the speed set at the server".
std::string speedWords(int speed);

// Whether bytes from the line hold the receiver's answer to the level query.
bool isLevelReply(std::string_view received);

}  // namespace voxpan::setup
