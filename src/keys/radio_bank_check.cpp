#include "keys/radio_bank_check.h"

#include <cstdint>
#include <optional>
#include <string>

#include "radio/serial_link.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

// A receiver that is on answers a bank query at once; one that has not
// answered this many queries in this time is off or gone.
constexpr int kQueryAttempts = 5;
constexpr std::int64_t kQueryMilliseconds = 2000;
// Setting a bank makes the receiver rearrange its memory before it answers.
constexpr int kSettingPauses = 50;
constexpr std::int64_t kSettingMilliseconds = 4000;
constexpr int kPausesPerBeep = 25;
// The length of the recording "beep": the wait counts it.
constexpr std::int64_t kBeepMilliseconds = 150;
// Reads taken to clear what is waiting before a command: a receiver that
// keeps sending cannot hold the check here.
constexpr int kMostClearingReads = 8;

std::string letterOf(const Panel& panel) { return std::string(1, static_cast<char>(panel.bankCheckLetter)); }

// Takes in whatever the receiver has sent and not yet been read: an answer
// that comes after this belongs to the command that follows.
void clearWaitingReplies(Panel& panel) {
    for (int i = 0; i < kMostClearingReads && bytesWaiting(panel) > 0; ++i) readReply(panel);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The setting in the receiver's answer to "MW" + letter, "MWD 050": the
// receiver names the bank right after "MW", and the setting's last two
// digits stand five and six places after the "M". An answer about another
// bank (left over from an earlier query) or one cut short is none.
std::optional<std::string> settingInReply(const Panel& panel) {
    const int at = findText(panel.replyText, "MW");
    if (at == 0) return std::nullopt;
    const std::string bank = midText(panel.replyText, at + 2, 1);
    const std::string setting = midText(panel.replyText, at + 5, 2);
    if (bank != letterOf(panel) || setting.size() != 2 || !isDigit(setting[0]) || !isDigit(setting[1]))
        return std::nullopt;
    return setting;
}

std::optional<std::string> queryBank(Panel& panel) {
    const std::int64_t start = panel.io.steadyMilliseconds();
    for (int attempt = 1;; ++attempt) {
        clearWaitingReplies(panel);
        panel.commandText = "MW" + letterOf(panel);
        sendCommand(panel);
        pauseBetweenCommands(panel);
        readReply(panel);
        if (std::optional<std::string> setting = settingInReply(panel)) return setting;
        if (attempt >= kQueryAttempts || panel.io.steadyMilliseconds() - start >= kQueryMilliseconds)
            return std::nullopt;
        pauseBetweenCommands(panel);
    }
}

}  // namespace

void setRadioBankTo90(Panel& panel) {
    pauseBetweenCommands(panel);
    speakWord(panel, letterOf(panel));
    clearWaitingReplies(panel);
    panel.commandText = "MW" + letterOf(panel) + "90";
    sendCommand(panel);
    pauseBetweenCommands(panel);
    // Any byte counts as the answer, also one that came during the first
    // pause; the bytes are left for the next read.
    const std::int64_t start = panel.io.steadyMilliseconds();
    for (int pauses = 0; bytesWaiting(panel) <= 0; ++pauses) {
        if (pauses >= kSettingPauses || panel.io.steadyMilliseconds() - start >= kSettingMilliseconds) {
            panel.bankCheckGivenUp = 1;
            return;
        }
        pauseBetweenCommands(panel);
        if ((pauses + 1) % kPausesPerBeep == 0) speakEffectFor(panel, "beep", kBeepMilliseconds);
        panel.replyText = "";
    }
}

void checkRadioBanks(Panel& panel) {
    panel.bankCheckGivenUp = 0;
    speakWord(panel, "ckconfig");
    for (char letter = 'A'; letter <= 'J'; ++letter) {
        panel.bankCheckLetter = letter;
        const std::optional<std::string> setting = queryBank(panel);
        if (!setting) {
            panel.bankCheckGivenUp = 1;
        } else if (*setting != "90") {
            setRadioBankTo90(panel);
        }
        if (panel.bankCheckGivenUp != 0) {
            speakWord(panel, "rnc");
            return;
        }
    }
    speakWord(panel, "ok");
}

}  // namespace voxpan
