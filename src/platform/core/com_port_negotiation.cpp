#include "platform/core/com_port_negotiation.h"

namespace voxpan {
namespace {

using namespace telnet;

// RFC 2217's commands from the client; the server answers each with the
// command plus 100 and the value it set.
constexpr unsigned char kSetBaudRate = 1;
constexpr unsigned char kSetDataSize = 2;
constexpr unsigned char kSetParity = 3;
constexpr unsigned char kSetStopSize = 4;
constexpr unsigned char kSetControl = 5;
constexpr unsigned char kServerAnswer = 100;

constexpr unsigned kNoParity = 1;
constexpr unsigned kOneStopBit = 1;
constexpr unsigned kTwoStopBits = 2;
constexpr unsigned kXonXoff = 2;

// The options the panel takes when the server offers them: the 8-bit
// stream as it is (no line-end rules of a terminal) and no go-ahead; the
// COM-PORT option is its own offer. Every other option is refused.
struct OptionRule {
    unsigned char option;
    bool weDo;     // the panel uses it when asked (DO)
    bool theyMay;  // the server may use it (WILL)
};
constexpr OptionRule kOptions[] = {
    {kBinary, true, true},
    {kSuppressGoAhead, true, true},
    {kComPortOption, true, false},
};

const OptionRule* ruleFor(unsigned char option) {
    for (const OptionRule& rule : kOptions) {
        if (rule.option == option) return &rule;
    }
    return nullptr;
}

// A setting's value in words, for the operator.
std::string valueText(unsigned char command, unsigned value) {
    static const char* const kParities[] = {"parity as it was", "no parity", "odd parity", "even parity",
                                            "mark parity", "space parity"};
    static const char* const kStopBits[] = {"stop bits as they were", "1 stop bit", "2 stop bits", "1.5 stop bits"};
    static const char* const kControls[] = {"flow control as it was", "no flow control", "XON/XOFF",
                                            "RTS/CTS"};
    switch (command) {
    case kSetBaudRate: return std::to_string(value) + " bits per second";
    case kSetDataSize: return std::to_string(value) + " data bits";
    case kSetParity: if (value < std::size(kParities)) return kParities[value]; break;
    case kSetStopSize: if (value < std::size(kStopBits)) return kStopBits[value]; break;
    case kSetControl: if (value < std::size(kControls)) return kControls[value]; break;
    default: break;
    }
    return "setting " + std::to_string(command) + " at " + std::to_string(value);
}

}  // namespace

std::string ComPortNegotiation::ask(unsigned char command, unsigned value) {
    std::string payload{static_cast<char>(command)};
    if (command == kSetBaudRate) {
        for (int shift = 24; shift >= 0; shift -= 8) payload += static_cast<char>((value >> shift) & 0xff);
    } else {
        payload += static_cast<char>(value);
    }
    asked_[command] = value;
    ++awaited_[command];
    return subnegotiation(kComPortOption, payload);
}

std::string ComPortNegotiation::opening(int baudRate) {
    offered_ = true;
    std::string bytes = optionCommand(kWill, kComPortOption);
    bytes += ask(kSetBaudRate, static_cast<unsigned>(baudRate > 0 ? baudRate : 0));
    bytes += ask(kSetDataSize, 8);
    bytes += ask(kSetParity, kNoParity);
    bytes += ask(kSetStopSize, kOneStopBit);
    bytes += ask(kSetControl, kXonXoff);
    return bytes;
}

std::string ComPortNegotiation::lineFormat(int dataBits, int parity, int stopBits) {
    std::string bytes;
    if (dataBits >= 5 && dataBits <= 8 && asked_[kSetDataSize] != static_cast<unsigned>(dataBits))
        bytes += ask(kSetDataSize, static_cast<unsigned>(dataBits));
    if (parity >= 0 && parity <= 2 && asked_[kSetParity] != static_cast<unsigned>(parity) + kNoParity)
        bytes += ask(kSetParity, static_cast<unsigned>(parity) + kNoParity);
    const unsigned stopSize = stopBits == 1 ? kOneStopBit : kTwoStopBits;
    if (asked_[kSetStopSize] != stopSize) bytes += ask(kSetStopSize, stopSize);
    return bytes;
}

void ComPortNegotiation::checkAnswer(const std::string& payload) {
    if (payload.empty()) return;
    const auto answered = static_cast<unsigned char>(payload[0]);
    if (answered <= kServerAnswer || answered >= kServerAnswer + kCommands) return;  // a notice, not an answer
    const auto command = static_cast<unsigned char>(answered - kServerAnswer);
    // A server may answer each of two quick requests with what it has set
    // in the end (ser2net does): only the answer to the last one counts.
    if (awaited_[command] == 0 || --awaited_[command] > 0) return;
    const unsigned wanted = asked_[command];
    const std::size_t width = command == kSetBaudRate ? 4 : 1;
    if (payload.size() < 1 + width) return;
    unsigned value = 0;
    for (std::size_t index = 1; index <= width; ++index) value = (value << 8) | static_cast<unsigned char>(payload[index]);
    if (value != wanted) {
        refusals_.push_back("the server did not set " + valueText(command, wanted) + " but " +
                            valueText(command, value));
    }
}

std::string ComPortNegotiation::answer(const Command& command) {
    const unsigned char option = command.option;
    const OptionRule* rule = ruleFor(option);
    switch (command.verb) {
    case kSb:
        if (option == kComPortOption) checkAnswer(command.payload);
        return {};
    case kDo:
        if (rule == nullptr || !rule->weDo) return optionCommand(kWont, option);
        if (option == kComPortOption) settled_ = true;
        if (weDo_[option]) return {};
        weDo_[option] = true;
        // The answer to the panel's own offer needs none.
        if (option == kComPortOption && offered_) return {};
        return optionCommand(kWill, option);
    case kDont:
        if (option == kComPortOption && !settled_) {
            settled_ = true;
            refusals_.push_back("the server takes no line settings (it refused RFC 2217's COM-PORT option); "
                                "the line stays as the server has it");
        }
        if (!weDo_[option]) return {};
        weDo_[option] = false;
        return optionCommand(kWont, option);
    case kWill:
        if (rule == nullptr || !rule->theyMay) return optionCommand(kDont, option);
        if (theyDo_[option]) return {};
        theyDo_[option] = true;
        return optionCommand(kDo, option);
    case kWont:
        if (!theyDo_[option]) return {};
        theyDo_[option] = false;
        return optionCommand(kDont, option);
    default:
        return {};
    }
}

std::vector<std::string> ComPortNegotiation::takeRefusals() {
    std::vector<std::string> taken;
    taken.swap(refusals_);
    return taken;
}

}  // namespace voxpan
