#include "platform/speechd/speech_dispatcher_voice.h"

#include <libspeechd.h>
#include <poll.h>

#include <condition_variable>
#include <cstdlib>
#include <map>
#include <mutex>
#include <set>

namespace voxpan {

struct SpeechDispatcherVoice::Connection {
    SPDConnection* handle;
};

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait for the end of a text looks whether the service is
// still there: it tells no client when it stops.
constexpr auto kConnectionCheck = std::chrono::milliseconds(50);

// libspeechd hands its notifications to plain functions, on its own
// thread, without a pointer of ours: they land here. The panel holds one
// connection at a time.
struct Notifications {
    std::mutex mutex;
    std::condition_variable changed;
    std::map<std::size_t, Clock::time_point> begun;
    std::set<std::size_t> ended;
};

Notifications& notifications() {
    static Notifications shared;
    return shared;
}

void noteEvent(std::size_t messageId, std::size_t /*clientId*/, SPDNotificationType type) {
    Notifications& shared = notifications();
    {
        std::lock_guard lock(shared.mutex);
        if (type == SPD_EVENT_BEGIN) {
            shared.begun.emplace(messageId, Clock::now());
        } else {
            // Cancelled by another program's speech counts as ended: the
            // panel goes on as after a word said.
            shared.ended.insert(messageId);
        }
    }
    shared.changed.notify_all();
}

std::string takeError(char* error) {
    std::string text = error != nullptr ? error : "";
    std::free(error);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

std::optional<int> speechDispatcherRate(SpeechPace pace) {
    switch (pace) {
        case SpeechPace::Normal: return std::nullopt;
        case SpeechPace::Fast: return 47;
        case SpeechPace::Fastest: return 61;
    }
    return std::nullopt;
}

std::unique_ptr<SpeechDispatcherVoice> SpeechDispatcherVoice::open(SpeechPace pace, std::string& problem) {
    char* error = nullptr;
    SPDConnectionAddress* address = spd_get_default_address(&error);
    if (address == nullptr) {
        problem = "speech-dispatcher's address is not understood: " + takeError(error);
        return nullptr;
    }
    takeError(error);
    error = nullptr;
    // An address given explicitly names one server: starting another
    // there would hide that it is not running.
    const char* given = std::getenv("SPEECHD_ADDRESS");
    const bool autospawn = given == nullptr || *given == '\0';
    SPDConnection* connection = spd_open2("voxpan", "panel", nullptr, SPD_MODE_THREADED, address, autospawn, &error);
    SPDConnectionAddress__free(address);
    if (connection == nullptr) {
        const std::string why = takeError(error);
        problem = "speech-dispatcher cannot be reached" + (why.empty() ? std::string() : " (" + why + ")");
        return nullptr;
    }
    takeError(error);
    std::unique_ptr<SpeechDispatcherVoice> voice(
        new SpeechDispatcherVoice(std::make_unique<Connection>(Connection{connection})));
    connection->callback_begin = &noteEvent;
    connection->callback_end = &noteEvent;
    connection->callback_cancel = &noteEvent;
    for (SPDNotification kind : {SPD_BEGIN, SPD_END, SPD_CANCEL}) {
        if (spd_set_notification_on(connection, kind) != 0) {
            problem = "speech-dispatcher does not tell when it has finished a word";
            return nullptr;
        }
    }
    if (const std::optional<int> rate = speechDispatcherRate(pace)) spd_set_voice_rate(connection, *rate);
    return voice;
}

SpeechDispatcherVoice::SpeechDispatcherVoice(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)) {}

SpeechDispatcherVoice::~SpeechDispatcherVoice() { spd_close(connection_->handle); }

// libspeechd closes its socket when the server hangs up, and says nothing:
// the socket is the only sign of a server that went away mid-word.
bool SpeechDispatcherVoice::connectionClosed() const {
    pollfd check{connection_->handle->socket, POLLRDHUP, 0};
    if (::poll(&check, 1, 0) < 0) return false;
    return (check.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL)) != 0;
}

SpeechOutcome SpeechDispatcherVoice::say(std::string_view text, std::string& problem) {
    lastStartDelay_.reset();
    const Clock::time_point asked = Clock::now();
    const Clock::time_point giveUp = asked + std::chrono::milliseconds(speechBoundMilliseconds(text));
    const int id = spd_say(connection_->handle, SPD_MESSAGE, std::string(text).c_str());
    if (id < 0) {
        problem = "speech-dispatcher has gone (it takes no more words)";
        return SpeechOutcome::Gone;
    }
    const auto message = static_cast<std::size_t>(id);
    Notifications& shared = notifications();
    std::unique_lock lock(shared.mutex);
    SpeechOutcome outcome = SpeechOutcome::Said;
    while (shared.ended.count(message) == 0) {
        if (Clock::now() >= giveUp) {
            outcome = SpeechOutcome::NeverEnded;
            problem = "speech-dispatcher did not finish saying " + quoted(text) + " within " +
                      std::to_string(speechBoundMilliseconds(text) / 1000) + " s";
            break;
        }
        shared.changed.wait_for(lock, kConnectionCheck);
        if (shared.ended.count(message) == 0 && connectionClosed()) {
            outcome = SpeechOutcome::Gone;
            problem = "speech-dispatcher has gone while saying " + quoted(text);
            break;
        }
    }
    if (const auto begun = shared.begun.find(message); begun != shared.begun.end())
        lastStartDelay_ = std::chrono::duration_cast<std::chrono::microseconds>(begun->second - asked);
    shared.begun.clear();
    shared.ended.clear();
    lock.unlock();
    if (outcome == SpeechOutcome::NeverEnded) spd_cancel(connection_->handle);
    return outcome;
}

}  // namespace voxpan
