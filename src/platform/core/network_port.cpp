#include "platform/core/network_port.h"

#include <algorithm>
#include <cstdio>
#include <thread>

#include "platform/core/name_lookup.h"

namespace voxpan {
namespace {

using std::chrono::milliseconds;

// A telnet server answers the COM-PORT offer at once; a raw port never does.
constexpr milliseconds kTelnetAnswerWait{1500};
// As for the serial port: the panel's one thread does not wait on a
// connection that has stopped taking bytes.
constexpr milliseconds kWriteGiveUp{100};
constexpr int kWholeWritesEndingAStall = 10;
constexpr std::size_t kReceiveChunk = 4096;
// Taken in ahead of the panel's reads at most; the rest waits in the system.
constexpr std::size_t kMostHeld = 65536;
// ser2net drops what it has not yet passed on to the serial line when the
// connection closes: the last command (the receiver's "EX") is given this
// long to get there first.
constexpr milliseconds kLastCommandSettles{300};

int millisecondsUntil(std::chrono::steady_clock::time_point until) {
    const auto left = std::chrono::ceil<milliseconds>(until - std::chrono::steady_clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, kNetworkConnectGiveUp.count()));
}

}  // namespace

void printOnStandardError(const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }

NetworkPort::NetworkPort(Sockets& sockets, std::function<void(const std::string&)> tell)
    : sockets_(sockets), tell_(std::move(tell)) {}

NetworkPort::~NetworkPort() { close(); }

void NetworkPort::begin(const std::string& device, int baudRate) {
    close();
    stallTold_ = false;
    wholeWritesSinceStall_ = 0;
    device_ = device;
    baudRate_ = baudRate;
    started_ = Clock::now();
    std::string why;
    const std::optional<NetworkAddress> address = parseNetworkAddress(device, why);
    if (!address) return fail(why);
    address_ = *address;
    addresses_ = sockets_.resolve(address_.host, address_.port, true, why);
    if (!why.empty()) return fail(why);
    nextAddress_ = 0;
    if (!addresses_.empty()) {
        stage_ = Stage::Connecting;
        return;
    }
    // A name: a lookup still under way for it from an earlier try is
    // waited for rather than begun twice.
    if (lookup_ == nullptr || !lookup_->isFor(address_.host, address_.port) || lookup_->wait(0)) {
        lookup_ = std::make_unique<NameLookup>(sockets_, address_.host, address_.port);
    }
    stage_ = Stage::Resolving;
}

void NetworkPort::fail(const std::string& why) {
    closeSocket();
    why_ = why;
    stage_ = Stage::Failed;
}

void NetworkPort::advance(Clock::time_point until) {
    const Clock::time_point giveUpAt = started_ + kNetworkConnectGiveUp;
    until = std::min(until, giveUpAt);
    advanceConnection(until);
    if (stage_ == Stage::Negotiating) {
        // The server's answer to the COM-PORT offer, before the panel's
        // first command goes out.
        const Clock::time_point answerBy = std::min(negotiationStarted_ + kTelnetAnswerWait, giveUpAt);
        for (;;) {
            if (!pump()) return fail(why_);
            if (negotiation_->settled()) break;
            if (Clock::now() >= answerBy) {
                tellOnce("the server gave no telnet answer: is it a raw TCP port? Then write tcp: instead of "
                         "rfc2217:");
                break;
            }
            if (Clock::now() >= until) return;
            sockets_.waitUntilReady(socket_, false, millisecondsUntil(std::min(until, answerBy)));
        }
        stage_ = Stage::Open;
        return;
    }
    if (stage_ == Stage::Resolving || stage_ == Stage::Connecting) {
        if (Clock::now() < giveUpAt) return;
        const std::string within = " within " + std::to_string(kNetworkConnectGiveUp.count() / 1000) + " s";
        if (stage_ == Stage::Resolving) return fail("the name " + address_.host + " was not found" + within);
        return fail("no answer from " + address_.host + " port " + address_.port + within);
    }
}

void NetworkPort::advanceConnection(Clock::time_point until) {
    if (stage_ == Stage::Resolving) {
        if (!lookup_->wait(millisecondsUntil(until))) return;
        addresses_ = lookup_->addresses();
        const std::string why = lookup_->why();
        lookup_.reset();
        if (addresses_.empty()) return fail("the name " + address_.host + " does not resolve (" + why + ")");
        stage_ = Stage::Connecting;
    }
    while (stage_ == Stage::Connecting) {
        if (socket_ == kNoSocket) {
            if (nextAddress_ >= addresses_.size()) return fail(why_);
            const SocketAddress& address = addresses_[nextAddress_++];
            std::string why;
            socket_ = sockets_.startConnect(address, why);
            if (socket_ == kNoSocket) {
                why_ = "no connection to " + address.text + " (" + why + ")";
                continue;
            }
        }
        std::string why;
        switch (sockets_.finishConnect(socket_, millisecondsUntil(until), why)) {
        case ConnectState::Connected:
            startSession();
            return;
        case ConnectState::Failed:
            closeSocket();
            why_ = "no connection to " + addresses_[nextAddress_ - 1].text + " (" + why + ")";
            break;
        case ConnectState::Pending:
            return;
        }
    }
}

void NetworkPort::startSession() {
    sockets_.watchConnection(socket_);
    if (address_.kind == NetworkKind::RawTcp) {
        stage_ = Stage::Open;
        return;
    }
    negotiation_.emplace();
    reader_ = telnet::Reader{};
    unsent_ = negotiation_->opening(baudRate_);
    negotiationStarted_ = Clock::now();
    stage_ = Stage::Negotiating;
}

bool NetworkPort::openOrSayWhy(const std::string& device, int baudRate, std::string& why) {
    begin(device, baudRate);
    while (stage_ != Stage::Open && stage_ != Stage::Failed) advance(started_ + kNetworkConnectGiveUp);
    why = why_;
    return stage_ == Stage::Open;
}

bool NetworkPort::open(const std::string& device, int baudRate) {
    std::string why;
    if (openOrSayWhy(device, baudRate, why)) return true;
    tell_("voxpan: cannot open network port " + device + ": " + why);
    return false;
}

bool NetworkPort::openQuietly(const std::string& device, int baudRate) {
    const bool underWay = stage_ == Stage::Resolving || stage_ == Stage::Connecting || stage_ == Stage::Negotiating;
    if (!underWay || device != device_ || baudRate != baudRate_) begin(device, baudRate);
    advance(Clock::now());
    if (stage_ == Stage::Failed) stage_ = Stage::None;  // the next call begins anew
    return stage_ == Stage::Open;
}

void NetworkPort::setLineFormat(int dataBits, int parity, int stopBits) {
    if (stage_ != Stage::Open || !negotiation_) return;
    unsent_ += negotiation_->lineFormat(dataBits, parity, stopBits);
    if (!sendWaiting()) dropLostConnection();
}

bool NetworkPort::pump() {
    char buffer[kReceiveChunk];
    while (received_.size() < kMostHeld) {
        const IoResult got = sockets_.receive(socket_, buffer, sizeof buffer);
        if (got.status == IoStatus::WouldBlock) break;
        if (got.status == IoStatus::Lost) {
            why_ = got.why;
            return false;
        }
        take(std::string_view(buffer, std::min(got.count, sizeof buffer)));
        if (got.count < sizeof buffer) break;
    }
    return sendWaiting();
}

void NetworkPort::take(std::string_view bytes) {
    if (!negotiation_) {
        received_.append(bytes);
        return;
    }
    for (const telnet::Command& command : reader_.read(bytes, received_)) unsent_ += negotiation_->answer(command);
    for (const std::string& refusal : negotiation_->takeRefusals()) tellOnce(refusal + "; the panel goes on with it");
}

bool NetworkPort::sendWaiting() {
    while (!unsent_.empty()) {
        const IoResult sent = sockets_.send(socket_, unsent_);
        if (sent.status == IoStatus::Lost) {
            why_ = sent.why;
            return false;
        }
        if (sent.status == IoStatus::WouldBlock || sent.count == 0) break;
        unsent_.erase(0, std::min(sent.count, unsent_.size()));
    }
    return true;
}

void NetworkPort::tellOnce(const std::string& what) {
    if (told_.insert(what).second) tell_("voxpan: network port " + device_ + ": " + what);
}

int NetworkPort::bytesWaiting() {
    if (stage_ != Stage::Open) return 0;
    if (!pump()) {
        dropLostConnection();
        return 0;
    }
    return static_cast<int>(std::min(received_.size(), kMostHeld));
}

std::string NetworkPort::read(int maxBytes) {
    if (stage_ != Stage::Open || maxBytes <= 0) return {};
    if (!pump()) {
        dropLostConnection();
        return {};
    }
    const std::size_t count = std::min(received_.size(), static_cast<std::size_t>(maxBytes));
    std::string bytes = received_.substr(0, count);
    received_.erase(0, count);
    return bytes;
}

int NetworkPort::write(std::string_view bytes) {
    if (stage_ != Stage::Open || bytes.empty()) return 0;
    if (!sendWaiting()) {
        dropLostConnection();
        return 0;
    }
    if (!unsent_.empty()) {
        dropWholeCommand();
        return 0;
    }
    unsent_ = negotiation_ ? telnet::escapeData(bytes) : std::string(bytes);
    const Clock::time_point giveUpAt = Clock::now() + kWriteGiveUp;
    for (;;) {
        if (!sendWaiting()) {
            dropLostConnection();
            return 0;
        }
        if (unsent_.empty() || Clock::now() >= giveUpAt) break;
        sockets_.waitUntilReady(socket_, true, millisecondsUntil(giveUpAt));
    }
    if (stallTold_ && unsent_.empty() && ++wholeWritesSinceStall_ >= kWholeWritesEndingAStall) stallTold_ = false;
    lastWrite_ = Clock::now();
    return static_cast<int>(bytes.size());
}

void NetworkPort::dropWholeCommand() {
    wholeWritesSinceStall_ = 0;
    if (stallTold_) return;
    stallTold_ = true;
    tell_("voxpan: network port " + device_ +
          " stopped taking bytes (the server's line held with XOFF, or the network stalled): commands are dropped "
          "whole until it takes bytes again; told once per stall");
}

void NetworkPort::dropLostConnection() {
    tell_("voxpan: network port " + device_ + " was lost: " + why_);
    stage_ = Stage::None;  // nothing more reaches the server: no waiting for it
    close();
    lost_ = true;
}

void NetworkPort::closeSocket() {
    if (socket_ != kNoSocket) sockets_.close(socket_);
    socket_ = kNoSocket;
}

void NetworkPort::close() {
    if (stage_ == Stage::Open) std::this_thread::sleep_until(lastWrite_ + kLastCommandSettles);
    closeSocket();
    lost_ = false;
    stage_ = Stage::None;
    negotiation_.reset();
    received_.clear();
    unsent_.clear();
}

}  // namespace voxpan
