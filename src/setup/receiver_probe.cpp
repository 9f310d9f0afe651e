#include "setup/receiver_probe.h"

#include <thread>

#include "setup/network_ports.h"
#include "setup/setup_serial_port.h"

namespace voxpan::setup {
namespace {

constexpr auto kPollPause = std::chrono::milliseconds(10);
constexpr int kReadLimit = 256;

ProbeAttempt tryAt(const std::string& device, int speed, std::chrono::milliseconds giveUp) {
    const auto deadline = std::chrono::steady_clock::now() + giveUp;
    ProbeAttempt attempt;
    attempt.speed = speed;
    SetupSerialPort port;
    attempt.opened = port.open(device, speed == kServerSpeed ? kDefaultSpeed : speed);
    if (!attempt.opened) return attempt;
    // The receiver wants 8 data bits, no parity and 2 stop bits, as the panel sets them.
    port.setNonBlocking();
    port.setLineFormat(8, 0, 2);
    if (port.write(kProbeQuery) != static_cast<int>(kProbeQuery.size())) return attempt;
    while (port.isOpen() && std::chrono::steady_clock::now() < deadline) {
        if (port.bytesWaiting() > 0) {
            attempt.received += port.read(kReadLimit);
            if (isLevelReply(attempt.received)) {
                attempt.answered = true;
                break;
            }
            continue;
        }
        std::this_thread::sleep_for(kPollPause);
    }
    return attempt;
}

}  // namespace

std::string speedWords(int speed) {
    return speed == kServerSpeed ? "the speed set at the server" : std::to_string(speed) + " bits per second";
}

bool isLevelReply(std::string_view received) { return received.find("LM") != std::string_view::npos; }

int probeReceiver(const std::string& device, std::span<const int> speeds, std::chrono::milliseconds giveUp,
                  const std::function<void(const ProbeAttempt&)>& report) {
    const int serverSpeed[] = {kServerSpeed};
    if (isRawNetworkPort(device)) speeds = serverSpeed;
    for (const int speed : speeds) {
        const ProbeAttempt attempt = tryAt(device, speed, giveUp);
        if (report) report(attempt);
        if (attempt.answered) return speed;
    }
    return 0;
}

}  // namespace voxpan::setup
