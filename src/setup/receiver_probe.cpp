#include "setup/receiver_probe.h"

#include <thread>
#include <vector>

#include "platform/platform.h"
#include "setup/network_ports.h"
#include "setup/setup_serial_port.h"

namespace voxpan::setup {
namespace {

constexpr auto kPollPause = std::chrono::milliseconds(10);
constexpr int kReadLimit = 256;
constexpr auto kServerTurnAround = std::chrono::milliseconds(200);

// Sends the level query on the open port and reads until the answer comes,
// the port is lost or the deadline passes.
void ask(SetupSerialPort& port, std::chrono::steady_clock::time_point deadline, ProbeAttempt& attempt) {
    // The receiver wants 8 data bits, no parity and 2 stop bits, as the panel sets them.
    port.setNonBlocking();
    port.setLineFormat(8, 0, 2);
    if (port.write(kProbeQuery) != static_cast<int>(kProbeQuery.size())) return;
    while (port.isOpen() && std::chrono::steady_clock::now() < deadline) {
        if (port.bytesWaiting() > 0) {
            attempt.received += port.read(kReadLimit);
            if (isLevelReply(attempt.received)) {
                attempt.answered = true;
                return;
            }
            continue;
        }
        std::this_thread::sleep_for(kPollPause);
    }
}

ProbeAttempt tryAt(const std::string& device, int speed, std::chrono::milliseconds giveUp) {
    const auto deadline = std::chrono::steady_clock::now() + giveUp;
    ProbeAttempt attempt;
    attempt.speed = speed;
    for (;;) {
        std::vector<std::string> told;
        const auto tellAfterwards = [&told](const std::string& line) { told.push_back(line); };
        SetupSerialPort port(tellAfterwards);
        attempt.opened = port.open(device, speed == kServerSpeed ? kDefaultSpeed : speed);
        if (attempt.opened) ask(port, deadline, attempt);
        // A serial-to-network server that has only just closed the line for
        // the connection before (the port check's, the last speed's) turns
        // the next one away for a moment ("Port's device already in use"):
        // it is asked again while the time lasts, and the loss goes untold.
        const bool again = !attempt.answered && port.lost() && namesNetworkPort(device) &&
                           std::chrono::steady_clock::now() + kServerTurnAround < deadline;
        if (!again) {
            for (const std::string& line : told) printSetupLine(line);
            return attempt;
        }
        std::this_thread::sleep_for(kServerTurnAround);
    }
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
