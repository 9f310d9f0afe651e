#include "setup/dialogue.h"

#include <algorithm>
#include <ostream>

#include "setup/apply_settings.h"
#include "platform/core/network_address.h"
#include "platform/platform.h"
#include "setup/config_file.h"
#include "setup/network_ports.h"
#include "setup/port_check.h"
#include "setup/port_discovery.h"
#include "setup/port_names.h"
#include "setup/questions.h"
#include "setup/receiver_probe.h"
#include "setup/working_folder.h"
#include "shell/startup.h"
#include "voice/speech_paces.h"

namespace voxpan::setup {
namespace fs = std::filesystem;

namespace {

constexpr const char* kNothingWritten = "Nothing was written.";
constexpr const char* kNetworkChoice = "a receiver on the network";

// Thrown when the operator quits or the input ends: nothing has been written.
struct Quit {};

class Conversation {
public:
    Conversation(std::istream& in, std::ostream& out, std::ostream& err, const DialogueContext& context)
        : questions_(in, out), out_(out), err_(err), context_(context) {}

    int run();

private:
    template <typename T>
    T answered(std::optional<T> answer) {
        if (!answer) throw Quit{};
        return *answer;
    }
    bool yes(std::string question, bool byDefault) {
        return answered(questions_.choose(std::move(question), {"yes", "no"}, byDefault ? 0 : 1)) == 0;
    }
    bool on(std::string question, bool byDefault) {
        return answered(questions_.choose(std::move(question), {"on", "off"}, byDefault ? 0 : 1)) == 0;
    }

    fs::path askFolder();
    std::string askPort();
    std::string askPortOnce();
    std::string askNetworkPort();
    // Whether to go on with a port that does not open; false: choose again.
    bool keepUnopenedPort();
    int probe(const std::string& port);
    int askSpeed(int probed);
    void askVoice(Settings& settings, const fs::path& folder);

    Questions questions_;
    std::ostream& out_;
    std::ostream& err_;
    const DialogueContext& context_;
    std::optional<Settings> existing_;
    int probed_ = 0;  // the speed the receiver answered at, or 0
};

fs::path Conversation::askFolder() {
    if (context_.folder) {
        questions_.say("Working folder: " + context_.folder->string());
        return *context_.folder;
    }
    Question question;
    question.text = "Which folder should the panel work in? It keeps its configuration, banks and log there.";
    question.prompt = "Folder";
    question.defaultAnswer = defaultWorkingFolder().string();
    question.judgeOther = [](std::string_view typed) { return folderProblem(folderFromText(typed)); };
    return folderFromText(answered(questions_.ask(question)).text);
}

std::string Conversation::askPortOnce() {
    const std::vector<FoundPort> ports = findSerialPorts(context_.deviceRoot);
    Question question;
    question.text = "Which serial port is the receiver on?";
    for (const FoundPort& port : ports) question.choices.push_back(port.path + " (" + port.description + ")");
    // Last, whatever was found: a receiver behind a serial-to-network server.
    question.choices.push_back(kNetworkChoice);
    if (ports.empty()) {
        questions_.say("No serial ports were found. Plug in the receiver's adapter and type 0 to look again, "
                       "or type " + std::string(kPortWords.typedHint) + ", or choose 1 for " + kNetworkChoice + ".");
    }
    question.prompt = "Number or " + std::string(kPortWords.typed);
    const std::string earlier = existing_ ? existing_->port : std::string();
    const auto listed = std::find_if(ports.begin(), ports.end(), [&](const FoundPort& p) { return p.path == earlier; });
    if (listed != ports.end()) {
        question.defaultAnswer = std::to_string(listed - ports.begin() + 1);
    } else if (!earlier.empty()) {
        question.defaultAnswer = earlier;
    } else if (!ports.empty()) {
        question.defaultAnswer = "1";
    }
    const std::size_t count = ports.size();
    question.judgeOther = [count](std::string_view typed) -> std::string {
        if (typed == "0" && count == 0) return {};
        return typedPortProblem(typed, count > 0);
    };
    const Answer answer = answered(questions_.ask(question));
    if (answer.choice == ports.size()) return askNetworkPort();
    if (answer.choice) return ports[*answer.choice].path;
    return answer.text == "0" ? std::string() : answer.text;
}

std::string Conversation::askNetworkPort() {
    std::string why;
    const auto earlier = existing_ ? parseNetworkAddress(existing_->port, why) : std::nullopt;
    const std::string earlierPort = existing_ ? existing_->port : std::string();
    Question question;
    question.text = "The address of the server the receiver is on (ser2net or another serial-to-network server): "
                    "its name or IP address, a colon and its TCP port, e.g. shed-pi:4001 (an IPv6 address in "
                    "brackets, [fd00::5]:4001):";
    question.prompt = "Address";
    if (earlier) question.defaultAnswer = earlierPort.substr(earlierPort.find(':') + 1);
    question.judgeOther = [](std::string_view typed) { return networkPortProblem("tcp:" + std::string(typed)); };
    const std::string address = answered(questions_.ask(question)).text;
    const std::size_t kind = answered(questions_.choose(
        "Which kind of port does the server offer there? Raw TCP passes the bytes as they are, with the line's "
        "speed and framing set at the server; RFC 2217 is telnet, through which the panel sets them.",
        {"raw TCP", "RFC 2217"}, earlier && earlier->kind == NetworkKind::Rfc2217 ? 1 : 0));
    return std::string(kNetworkPortPrefixes[kind]) + address;
}

std::string Conversation::askPort() {
    for (;;) {
        const std::string port = askPortOnce();
        if (port.empty()) continue;  // look again
        const PortCheck check = checkPort(port);
        if (check.opens) {
            questions_.say(port + (namesNetworkPort(port) ? ": the server took the connection."
                                                          : " opens for reading and writing."));
            if (!check.note.empty()) questions_.say(check.note);
            if (yes("Ask the receiver whether it answers on this port? Only the level query LM is sent, "
                    "which changes nothing on the receiver.",
                    true)) {
                probed_ = probe(port);
            }
            return port;
        }
        questions_.say(check.problem);
        if (keepUnopenedPort()) return port;
    }
}

bool Conversation::keepUnopenedPort() {
    const std::size_t choice = answered(questions_.choose(
        "What now?",
        {"choose another port", "keep this port all the same (the panel will reach the receiver only once "
                                "this is put right)",
         "quit without writing anything"},
        0));
    if (choice == 2) throw Quit{};
    return choice == 1;
}

int Conversation::probe(const std::string& port) {
    questions_.say("Asking the receiver; this takes up to " + std::to_string(std::size(kProbeOrder)) +
                   " seconds.");
    const int speed = probeReceiver(port, kProbeOrder, kProbeGiveUp, [&](const ProbeAttempt& attempt) {
        const std::string at = "At " + speedWords(attempt.speed) + ": ";
        if (!attempt.opened) questions_.say(at + "the port did not open.");
        else questions_.say(at + (attempt.answered ? "the receiver answered." : "no answer."));
    });
    if (speed == kServerSpeed) {
        questions_.say("The receiver answers through the server, at the speed set there; give that speed below.");
        return 0;
    }
    if (speed != 0) {
        questions_.say("The receiver answers at " + std::to_string(speed) + " bits per second; that speed is "
                       "offered next.");
    } else {
        questions_.say("The receiver did not answer. Check that it is switched on and its cable is connected; "
                       "you can still choose its speed below.");
    }
    return speed;
}

int Conversation::askSpeed(int probed) {
    std::vector<std::string> choices;
    for (const int speed : kReceiverSpeeds) choices.push_back(std::to_string(speed));
    int wanted = kDefaultSpeed;
    if (probed != 0) wanted = probed;
    else if (existing_) wanted = existing_->speed;
    const auto found = std::find(std::begin(kReceiverSpeeds), std::end(kReceiverSpeeds), wanted);
    const auto byDefault = std::find(std::begin(kReceiverSpeeds), std::end(kReceiverSpeeds),
                                     found != std::end(kReceiverSpeeds) ? wanted : kDefaultSpeed);
    const std::size_t choice = answered(questions_.choose(
        "Line speed in bits per second, as set on the receiver:", choices,
        static_cast<std::size_t>(byDefault - std::begin(kReceiverSpeeds))));
    return kReceiverSpeeds[choice];
}

void Conversation::askVoice(Settings& settings, const fs::path& folder) {
    std::size_t byDefault = 0;
    if (existing_) byDefault = !existing_->voice ? 1 : existing_->systemVoice ? 2 : 0;
    questions_.say("The panel's words are recordings (on), or said by the system's own voice (system: " +
                   std::string(kFolderWords.systemVoice) +
                   ", with the voice and rate your screen reader uses), which also says the channels' names.");
    const std::size_t voice = answered(questions_.choose("Spoken words:", {"on", "off", "system"}, byDefault));
    settings.voice = voice != 1;
    settings.systemVoice = voice == 2;
    settings.pace = currentPace(folder, context_.words);
    if (!settings.voice) return;
    std::vector<std::string> paces;
    for (const PaceEntry& entry : kPaces) paces.emplace_back(entry.name);
    const std::size_t pace = answered(questions_.choose(
        "Pace of the spoken words: normal, fast (words about 40 percent shorter) or fastest (about half as long):",
        paces,
        static_cast<std::size_t>(settings.pace)));
    settings.pace = kPaces[pace].pace;
}

int Conversation::run() {
    try {
        questions_.say("pansetup: setting up voxpan, the speaking front panel for the AR8600 receiver.");
        questions_.say("Type each answer and press Enter; Enter alone takes the answer in brackets. "
                       "Nothing is written until you confirm at the end.");
        const fs::path folder = askFolder();
        existing_ = readConfigurationFile(folder);
        if (existing_) {
            questions_.say(std::string("The folder already has a ") + kConfigurationName +
                           ": its values are offered in brackets.");
        }
        Settings settings;
        settings.port = askPort();
        settings.speed = askSpeed(probed_);
        askVoice(settings, folder);
        settings.log = on("Traffic log of every command and reply, in debug1.dat:",
                           existing_ ? existing_->log : false);
        settings.hits = on("Hit log of every stop of a search or scan, in hits.csv:",
                            existing_ ? existing_->hits : true);

        questions_.say("This will be written:");
        describePlan(out_, folder, settings, context_.words);
        if (!yes("Write it now?", true)) throw Quit{};
        return applySettings(out_, err_, folder, settings, context_.words) ? 0 : 1;
    } catch (const Quit&) {
        questions_.say(kNothingWritten);
        return 1;
    }
}

}  // namespace

int runDialogue(std::istream& in, std::ostream& out, std::ostream& err, const DialogueContext& context) {
    Conversation conversation(in, out, err, context);
    return conversation.run();
}

}  // namespace voxpan::setup
