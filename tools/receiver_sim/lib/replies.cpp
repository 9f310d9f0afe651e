#include "replies.h"

#include <algorithm>
#include <cstdio>

#include "frequency_fields.h"

namespace receiver_sim {
namespace {

const std::string kEnd = "\r\n";

std::string digit(bool on) { return on ? "1" : "0"; }

}  // namespace

std::string acknowledgement() { return kEnd; }

std::string refusal() { return "?" + kEnd; }

std::string levelReply(bool squelchOpen, int level) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%03d", std::clamp(level, 0, 999));
    return std::string("LM") + (squelchOpen ? " " : "%") + digits + kEnd;
}

std::string tuningReply(const TuningReport& report) {
    return report.source + " RF" + tenDigitHz(report.hz) + " ST" + sixDigitStep(report.stepHz) +
           " AU" + digit(report.autoMode) + " MD" + std::to_string(report.modeDigit) + " AT" +
           digit(report.attenuator) + kEnd;
}

std::string scanReport(const MemoryChannel& channel) {
    char place[8];
    std::snprintf(place, sizeof place, "%c%02d", channel.bank, channel.number);
    return std::string("LC1 MX") + place + " RF" + tenDigitHz(channel.hz) + " ST" +
           sixDigitStep(channel.stepHz) + " AU" + digit(channel.autoMode) + " MD" +
           std::to_string(channel.modeDigit) + " AT" + digit(channel.attenuator) + " TM" +
           channel.text + kEnd;
}

std::string bankReply(char bank, int setting) {
    char text[16];
    std::snprintf(text, sizeof text, "MW%c %03d", bank, std::clamp(setting, 0, 999));
    return text + kEnd;
}

std::string modeReply(int modeDigit) { return "MD" + std::to_string(modeDigit) + kEnd; }

std::string switchReply(const char* name, bool on) { return name + digit(on) + kEnd; }

std::string attenuatorReply(bool on) { return "AT " + digit(on) + kEnd; }

std::string stepReply(long long stepHz) { return "ST" + sixDigitStep(stepHz) + kEnd; }

}  // namespace receiver_sim
