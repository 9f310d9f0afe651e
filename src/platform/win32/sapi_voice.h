// The system voice on Windows: SAPI 5, the speech interface Narrator and
// the other screen readers' voices are reached through.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/core/system_voice.h"
#include "platform/platform.h"

struct ISpVoice;

namespace voxpan {

class SapiVoice final : public SystemVoice {
public:
    // The listener's default voice at the pace; nothing, with `problem` set,
    // when Windows has no speech interface (some wine prefixes).
    static std::unique_ptr<SapiVoice> open(SpeechPace pace, std::string& problem);
    ~SapiVoice() override;
    SapiVoice(const SapiVoice&) = delete;
    SapiVoice& operator=(const SapiVoice&) = delete;

    SpeechOutcome say(std::string_view text, std::string& problem) override;

private:
    SapiVoice(ISpVoice* voice, bool startedCom) : voice_(voice), startedCom_(startedCom) {}

    ISpVoice* voice_;
    bool startedCom_;
};

// SAPI's rate (-10 to 10) for the pace: nothing for Normal, which keeps
// the rate the listener set in the speech settings. Each step is about a
// ninth faster (10 is three times the normal rate), so these are near the
// faster recorded words: half as fast again, and 1.7 times.
int sapiRate(SpeechPace pace);

}  // namespace voxpan
