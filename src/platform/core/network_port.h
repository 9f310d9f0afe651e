// The receiver's line through a serial-to-network server (ser2net and the
// like): a TCP connection that carries the bytes as they are ("tcp:"), or
// telnet with RFC 2217's COM-PORT option ("rfc2217:"), which also asks the
// server for the line's speed and framing. It behaves as the serial port
// does: whole commands or none, reads that never wait, a lost connection
// told once and reported until the next open. The system's sockets are
// given (POSIX on Linux, Winsock on Windows). The panel only connects out.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/com_port_negotiation.h"
#include "platform/core/network_address.h"
#include "platform/core/sockets.h"
#include "platform/core/telnet_codec.h"

namespace voxpan {

class NameLookup;

// A `tell` for programs whose stderr is the terminal's: the line and a line end.
void printOnStandardError(const std::string& line);

// How long an open may take: the name looked up, the connection made and,
// for RFC 2217, the server's first answer.
inline constexpr std::chrono::milliseconds kNetworkConnectGiveUp{3000};

class NetworkPort {
public:
    // `tell` takes one line for stderr (or its stand-in on Windows).
    NetworkPort(Sockets& sockets, std::function<void(const std::string&)> tell);
    ~NetworkPort();
    NetworkPort(const NetworkPort&) = delete;
    NetworkPort& operator=(const NetworkPort&) = delete;

    // Closes any open connection and connects to the device's address,
    // waiting at most kNetworkConnectGiveUp. On failure one line names the
    // device and the reason.
    bool open(const std::string& device, int baudRate);
    // Never waits and tells nothing when the server is not there: the
    // connection begun goes on between calls; true from the call that finds
    // it made. For trying a lost port again until it is back.
    bool openQuietly(const std::string& device, int baudRate);
    // open, with the reason in `why` instead of a line (pansetup's check).
    bool openOrSayWhy(const std::string& device, int baudRate, std::string& why);
    void setNonBlocking() {}  // reads never wait in any case
    // Asks an RFC 2217 server for the framing; a raw connection's framing
    // is the server's.
    void setLineFormat(int dataBits, int parity, int stopBits);
    int bytesWaiting();
    std::string read(int maxBytes);
    // The bytes go whole or not at all. A command the connection has taken
    // only in part within 100 ms is finished before anything else when it
    // takes bytes again; the commands written meanwhile are dropped whole,
    // told once per stall.
    int write(std::string_view bytes);
    void close();
    bool isOpen() const { return stage_ == Stage::Open; }
    bool lost() const { return lost_; }

private:
    enum class Stage { None, Resolving, Connecting, Negotiating, Open, Failed };
    using Clock = std::chrono::steady_clock;

    void begin(const std::string& device, int baudRate);
    // Moves the connection on, waiting at most until `until`.
    void advance(Clock::time_point until);
    void advanceConnection(Clock::time_point until);
    void startSession();
    void fail(const std::string& why);
    // Takes in what has come and sends what waits; false when the
    // connection is gone.
    bool pump();
    void take(std::string_view bytes);
    bool sendWaiting();
    void tellOnce(const std::string& what);
    void dropLostConnection();
    void dropWholeCommand();
    void closeSocket();

    Sockets& sockets_;
    std::function<void(const std::string&)> tell_;
    Stage stage_ = Stage::None;
    std::string device_;
    NetworkAddress address_;
    int baudRate_ = 0;
    Clock::time_point started_;
    Clock::time_point negotiationStarted_;
    Clock::time_point lastWrite_;
    std::unique_ptr<NameLookup> lookup_;
    std::vector<SocketAddress> addresses_;
    std::size_t nextAddress_ = 0;
    SocketHandle socket_ = kNoSocket;
    std::string why_;
    std::optional<ComPortNegotiation> negotiation_;
    telnet::Reader reader_;
    std::string received_;
    std::string unsent_;
    std::set<std::string> told_;
    bool lost_ = false;
    bool stallTold_ = false;
    int wholeWritesSinceStall_ = 0;
};

}  // namespace voxpan
