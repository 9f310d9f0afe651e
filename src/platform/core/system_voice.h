// A speech service of the system (speech-dispatcher on Linux, SAPI on
// Windows), as the panel uses it: one text at a time, waited for to its end.
#pragma once

#include <string>
#include <string_view>

namespace voxpan {

enum class SpeechOutcome {
    Said,
    // The service took the text but never told its end within the bound
    // (a stuck synthesiser): the text is given up.
    NeverEnded,
    // The service is not there any more (stopped, crashed, its socket
    // closed): nothing more can be said with it.
    Gone,
};

class SystemVoice {
public:
    virtual ~SystemVoice() = default;
    // Says the text and returns once the service tells that it has ended
    // (or was cancelled by another program's speech). For NeverEnded and
    // Gone, `problem` says what happened, for a line on stderr.
    virtual SpeechOutcome say(std::string_view text, std::string& problem) = 0;
};

// How long a text may take before the service counts as stuck: room for a
// listener's slowest rate, and never less than a few seconds.
inline int speechBoundMilliseconds(std::string_view text) {
    return 3000 + 200 * static_cast<int>(text.size());
}

}  // namespace voxpan
