// The system voice on Linux: speech-dispatcher, the speech service that
// Orca and the other screen readers speak through, reached with its client
// library libspeechd.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/system_voice.h"
#include "platform/platform.h"

namespace voxpan {

class SpeechDispatcherVoice final : public SystemVoice {
public:
    // Connects at the address in SPEECHD_ADDRESS when it is set (that server
    // and no other), else at the listener's own server, which is started
    // when it is not running, as every client of it does. Nothing, with
    // `problem` set, when it cannot be reached.
    static std::unique_ptr<SpeechDispatcherVoice> open(SpeechPace pace, std::string& problem);
    ~SpeechDispatcherVoice() override;
    SpeechDispatcherVoice(const SpeechDispatcherVoice&) = delete;
    SpeechDispatcherVoice& operator=(const SpeechDispatcherVoice&) = delete;

    SpeechOutcome say(std::string_view text, std::string& problem) override;

    // From asking for the last text to the service telling that it began
    // to speak it; nothing when it never told.
    std::optional<std::chrono::microseconds> lastStartDelay() const { return lastStartDelay_; }

private:
    struct Connection;  // libspeechd's connection, an unnamed struct
    explicit SpeechDispatcherVoice(std::unique_ptr<Connection> connection);
    bool connectionClosed() const;

    std::unique_ptr<Connection> connection_;
    std::optional<std::chrono::microseconds> lastStartDelay_;
};

// speech-dispatcher's rate (-100 to 100) for the pace: nothing for Normal,
// which keeps the rate the listener chose. The faster paces are the rates
// of the faster recorded words, 300 and 340 words a minute, on the scale of
// Debian's espeak-ng module (0 is 170, 100 is 449 words a minute).
std::optional<int> speechDispatcherRate(SpeechPace pace);

}  // namespace voxpan
