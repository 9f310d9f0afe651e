// The receiver's line as the platform gives it to the panel: the system's
// serial port, or the network port when the device text names one
// ("tcp:HOST:PORT", "rfc2217:HOST:PORT"). Used by the panel's platform on
// both systems and by pansetup.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/core/network_port.h"
#include "platform/platform.h"

namespace voxpan {

template <class SerialLine>
class ReceiverPort {
public:
    // The serial line is made from the arguments after the two the network
    // port needs.
    template <class... SerialArguments>
    ReceiverPort(Sockets& sockets, std::function<void(const std::string&)> tell, SerialArguments&&... arguments)
        : serial_(std::forward<SerialArguments>(arguments)...), network_(sockets, std::move(tell)) {}

    bool open(const std::string& device, int baudRate) {
        choose(device);
        return onLine([&](auto& line) { return line.open(device, baudRate); });
    }
    bool openQuietly(const std::string& device, int baudRate) {
        choose(device);
        return onLine([&](auto& line) { return line.openQuietly(device, baudRate); });
    }
    void setNonBlocking() { onLine([](auto& line) { line.setNonBlocking(); }); }
    void setLineFormat(int dataBits, int parity, int stopBits) {
        onLine([&](auto& line) { line.setLineFormat(dataBits, parity, stopBits); });
    }
    int bytesWaiting() { return onLine([](auto& line) { return line.bytesWaiting(); }); }
    std::string read(int maxBytes) { return onLine([&](auto& line) { return line.read(maxBytes); }); }
    int write(std::string_view bytes) { return onLine([&](auto& line) { return line.write(bytes); }); }
    void close() {
        serial_.close();
        network_.close();
    }
    bool isOpen() const { return onNetwork_ ? network_.isOpen() : serial_.isOpen(); }
    bool lost() const { return onNetwork_ ? network_.lost() : serial_.lost(); }

private:
    void choose(const std::string& device) {
        const bool network = namesNetworkPort(device);
        // The other line is closed, as an open closes any port before it.
        if (network) serial_.close();
        else network_.close();
        onNetwork_ = network;
    }
    template <class Call>
    auto onLine(Call call) {
        return onNetwork_ ? call(network_) : call(serial_);
    }

    SerialLine serial_;
    NetworkPort network_;
    bool onNetwork_ = false;
};

}  // namespace voxpan
