#include "receiver_sim/receiver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "airwaves.h"
#include "command_parser.h"
#include "faults.h"
#include "frequency_fields.h"
#include "memory_channels.h"
#include "replies.h"
#include "sweeps.h"

namespace receiver_sim {
namespace {

// The search and the memory scan move one position this often.
constexpr Micros kMoveInterval = 50'000;
// A signal is heard this far from its frequency, or half a step if wider.
constexpr long long kMinimumReachHz = 5'000;
// The attenuator takes this much off the level reading.
constexpr int kAttenuatorDrop = 60;
// Commands kept for inspection; the older half goes when the list is full.
constexpr std::size_t kMaxRecordedCommands = 200'000;

constexpr int kModeWfm = 0;
constexpr int kModeFm = 1;
constexpr int kModeAm = 2;

Micros toMicros(double seconds) {
    if (!(seconds > 0)) {
        return 0;
    }
    return static_cast<Micros>(std::llround(std::min(seconds, 1e9) * 1e6));
}

// The mode automatic mode picks: AM below 30 MHz and on the air band, wide
// FM on the broadcast band, narrow FM elsewhere.
int bandPlanMode(long long hz) {
    if (hz < 30'000'000) {
        return kModeAm;
    }
    if (hz >= 76'000'000 && hz < 108'000'000) {
        return kModeWfm;
    }
    if (hz >= 108'000'000 && hz < 137'000'000) {
        return kModeAm;
    }
    return kModeFm;
}

std::optional<bool> switchValue(std::string_view value) {
    if (value == "0") {
        return false;
    }
    if (value == "1") {
        return true;
    }
    return std::nullopt;
}

}  // namespace

struct Receiver::State {
    explicit State(Options givenOptions)
        : options(std::move(givenOptions)),
          line(options.fault, options.seed, toMicros(options.slowSeconds),
               toMicros(options.splitGapSeconds)),
          memory(options.bankSettings) {
        for (const Signal& signal : options.signals) {
            airwaves.add(signal, 0);
        }
    }

    using Handler = void (State::*)(std::string_view);
    struct Entry {
        std::string_view name;
        Handler handler;
    };

    Options options;
    CommandParser parser;
    ReplyLine line;
    Airwaves airwaves;
    Memory memory;
    VfoSearch search;
    MemoryScan scan;
    Micros now = 0;
    Micros nextMove = 0;
    long long vfoA = 145'000'000;
    long long vfoB = 146'000'000;
    char active = 'A';
    long long step = 12'500;
    int mode = kModeFm;
    bool autoMode = false;
    bool attenuator = false;
    bool noiseLimiter = false;
    bool scanReport = false;
    bool exited = false;
    long long memoryWrites = 0;
    std::vector<std::string> received;

    void reply(const std::string& text, Micros delay = 0) { line.send(text, now + delay); }

    long long windowHz() const { return std::max(kMinimumReachHz, step / 2); }
    Listening listening() const { return Listening{airwaves, windowHz(), now}; }

    long long tunedHz() const {
        if (search.running()) {
            return search.position();
        }
        if (scan.running()) {
            return scan.current().hz;
        }
        return active == 'A' ? vfoA : vfoB;
    }

    int reportedMode() const { return autoMode ? bandPlanMode(tunedHz()) : mode; }

    void endSweeps() {
        search.end();
        scan.end();
    }

    void stoppedOn(const std::optional<MemoryChannel>& channel) {
        if (channel && scanReport) {
            reply(receiver_sim::scanReport(*channel));
        }
    }

    void record(const std::string& text) {
        if (received.size() >= kMaxRecordedCommands) {
            received.erase(received.begin(),
                           received.begin() + static_cast<std::ptrdiff_t>(received.size() / 2));
        }
        received.push_back(text);
    }

    bool ignored(std::string_view text) const {
        return std::any_of(options.ignoredCommands.begin(), options.ignoredCommands.end(),
                           [&](const std::string& prefix) {
                               return !prefix.empty() && text.substr(0, prefix.size()) == prefix;
                           });
    }

    void handle(const Command& command) {
        record(command.text);
        if (ignored(command.text)) {
            return;
        }
        if (command.overlong) {
            reply(refusal());
            return;
        }
        if (command.text.size() == 1 && command.text[0] == kContinueByte) {
            goOn();
            return;
        }
        static constexpr std::array<Entry, 17> table{{
            {"VA", &State::tuneVfoA},
            {"VB", &State::tuneVfoB},
            {"RF", &State::tuneActiveVfo},
            {"VS", &State::startSearch},
            {"ST", &State::setStep},
            {"MD", &State::setMode},
            {"AU", &State::setAutoMode},
            {"AT", &State::setAttenuator},
            {"NL", &State::setNoiseLimiter},
            {"LM", &State::readLevel},
            {"RX", &State::readTuning},
            {"LC", &State::setScanReport},
            {"MS", &State::startMemoryScan},
            {"MQ", &State::ignore},
            {"MW", &State::bankSetting},
            {"MX", &State::writeChannel},
            {"EX", &State::exit},
        }};
        std::string_view text = command.text;
        std::string_view name = text.substr(0, 2);
        for (const Entry& entry : table) {
            if (entry.name == name) {
                (this->*entry.handler)(text.substr(name.size()));
                return;
            }
        }
        reply(refusal());
    }

    void goOn() {
        if (search.stopped()) {
            search.goOn();
        } else if (scan.stopped()) {
            scan.goOn();
        }
        reply(acknowledgement());
    }

    void tuneVfo(char vfo, std::string_view field) {
        if (!field.empty()) {
            std::optional<long long> hz = parseFrequencyField(field);
            if (!hz) {
                reply(refusal());
                return;
            }
            (vfo == 'A' ? vfoA : vfoB) = *hz;
        }
        active = vfo;
        endSweeps();
        reply(acknowledgement());
    }

    void tuneVfoA(std::string_view field) { tuneVfo('A', field); }
    void tuneVfoB(std::string_view field) { tuneVfo('B', field); }

    void tuneActiveVfo(std::string_view field) {
        if (field.empty()) {
            reply(refusal());
            return;
        }
        tuneVfo(active, field);
    }

    void startSearch(std::string_view rest) {
        if (!rest.empty()) {
            reply(refusal());
            return;
        }
        scan.end();
        reply(acknowledgement());
        search.start(vfoA, vfoB, listening());
        nextMove = now + kMoveInterval;
    }

    void setStep(std::string_view field) {
        if (field.empty()) {
            reply(stepReply(step));
            return;
        }
        std::optional<long long> hz = parseStepField(field);
        if (!hz) {
            reply(refusal());
            return;
        }
        step = *hz;
        reply(acknowledgement());
    }

    void setMode(std::string_view value) {
        if (value.empty()) {
            reply(modeReply(reportedMode()));
            return;
        }
        if (value.size() != 1 || value[0] < '0' || value[0] > '8') {
            reply(refusal());
            return;
        }
        mode = value[0] - '0';
        autoMode = false;
        reply(acknowledgement());
    }

    void setSwitch(bool& setting, const char* name, std::string_view value) {
        if (value.empty()) {
            reply(switchReply(name, setting));
            return;
        }
        std::optional<bool> on = switchValue(value);
        if (!on) {
            reply(refusal());
            return;
        }
        setting = *on;
        reply(acknowledgement());
    }

    void setAutoMode(std::string_view value) { setSwitch(autoMode, "AU", value); }
    void setNoiseLimiter(std::string_view value) { setSwitch(noiseLimiter, "NL", value); }
    void setScanReport(std::string_view value) { setSwitch(scanReport, "LC", value); }

    void setAttenuator(std::string_view value) {
        if (value.empty()) {
            reply(attenuatorReply(attenuator));
            return;
        }
        setSwitch(attenuator, "AT", value);
    }

    void readLevel(std::string_view rest) {
        if (!rest.empty()) {
            reply(refusal());
            return;
        }
        std::optional<Heard> heard = airwaves.strongestAt(tunedHz(), windowHz(), now);
        if (!heard) {
            reply(levelReply(false, 0));
            return;
        }
        int level = attenuator ? std::max(0, heard->level - kAttenuatorDrop) : heard->level;
        reply(levelReply(true, level));
    }

    void readTuning(std::string_view rest) {
        if (!rest.empty()) {
            reply(refusal());
            return;
        }
        TuningReport report{std::string(1, 'V') + active, tunedHz(), step, autoMode,
                            reportedMode(), attenuator};
        if (search.running()) {
            report.source = "VS AB";
        } else if (scan.running()) {
            const MemoryChannel& channel = scan.current();
            char place[8];
            std::snprintf(place, sizeof place, "MR %c%02d", channel.bank, channel.number);
            report = TuningReport{place, channel.hz, channel.stepHz, channel.autoMode,
                                  channel.modeDigit, channel.attenuator};
        }
        reply(tuningReply(report));
    }

    void startMemoryScan(std::string_view bank) {
        if (bank.size() > 1 || (bank.size() == 1 && !isBankLetter(bank[0]))) {
            reply(refusal());
            return;
        }
        std::vector<MemoryChannel> channels = memory.channelsOf(bank.empty() ? 0 : bank[0]);
        if (channels.empty()) {
            reply(refusal());
            return;
        }
        search.end();
        reply(acknowledgement());
        stoppedOn(scan.start(std::move(channels), listening()));
        nextMove = now + kMoveInterval;
    }

    void ignore(std::string_view) { reply(acknowledgement()); }

    void bankSetting(std::string_view fields) {
        if (fields.empty() || !isBankLetter(fields[0])) {
            reply(refusal());
            return;
        }
        char bank = fields[0];
        std::string_view value = fields.substr(1);
        if (value.empty()) {
            reply(bankReply(bank, memory.setting(bank)));
            return;
        }
        if (value.size() > 3 ||
            !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            reply(refusal());
            return;
        }
        memory.setSetting(bank, std::stoi(std::string(value)));
        // The receiver rearranges its memory before it answers.
        reply(acknowledgement(), toMicros(options.bankSetSeconds));
    }

    void writeChannel(std::string_view fields) {
        MemoryChannel defaults;
        defaults.hz = tunedHz();
        defaults.stepHz = step;
        defaults.modeDigit = mode;
        std::optional<MemoryChannel> channel = parseMemoryWrite(fields, defaults);
        if (!channel) {
            reply(refusal());
            return;
        }
        memory.store(*channel);
        ++memoryWrites;
        reply(acknowledgement());
    }

    void exit(std::string_view rest) {
        if (!rest.empty()) {
            reply(refusal());
            return;
        }
        exited = true;
    }

    void advance(Micros span) {
        Micros target = now + span;
        while ((search.running() || scan.running()) && nextMove <= target) {
            now = nextMove;
            search.move(step, listening());
            stoppedOn(scan.move(listening()));
            nextMove += kMoveInterval;
        }
        now = target;
    }
};

Receiver::Receiver(Options options) : state_(std::make_unique<State>(std::move(options))) {}
Receiver::~Receiver() = default;
Receiver::Receiver(Receiver&&) noexcept = default;
Receiver& Receiver::operator=(Receiver&&) noexcept = default;

void Receiver::receive(std::string_view bytes) {
    if (state_->exited) {
        return;
    }
    for (const Command& command : state_->parser.feed(bytes)) {
        if (state_->exited) {
            return;
        }
        state_->handle(command);
    }
}

void Receiver::advance(double seconds) { state_->advance(toMicros(seconds)); }

std::string Receiver::takeOutput() { return state_->line.take(state_->now); }
bool Receiver::outputPending() const { return state_->line.pending(); }

void Receiver::addSignal(Signal signal) { state_->airwaves.add(signal, state_->now); }
void Receiver::setFault(Fault fault) { state_->line.setFault(fault); }

double Receiver::now() const { return static_cast<double>(state_->now) / 1e6; }
long long Receiver::vfoAHz() const { return state_->vfoA; }
long long Receiver::vfoBHz() const { return state_->vfoB; }
char Receiver::activeVfo() const { return state_->active; }
long long Receiver::tunedHz() const { return state_->tunedHz(); }
long long Receiver::stepHz() const { return state_->step; }
int Receiver::modeDigit() const { return state_->autoMode ? -1 : state_->mode; }
bool Receiver::autoMode() const { return state_->autoMode; }
bool Receiver::attenuator() const { return state_->attenuator; }
bool Receiver::noiseLimiter() const { return state_->noiseLimiter; }
bool Receiver::searching() const { return state_->search.running(); }
bool Receiver::searchStopped() const { return state_->search.stopped(); }
bool Receiver::memoryScanning() const { return state_->scan.running(); }
bool Receiver::memoryScanStopped() const { return state_->scan.stopped(); }
bool Receiver::stoppedAnswering() const { return state_->exited; }
int Receiver::bankSetting(char bank) const { return state_->memory.setting(bank); }

std::optional<MemoryChannel> Receiver::memoryChannel(char bank, int number) const {
    return state_->memory.channel(bank, number);
}

std::vector<MemoryChannel> Receiver::memoryChannels() const { return state_->memory.channelsOf(0); }

long long Receiver::memoryWrites() const { return state_->memoryWrites; }

const std::vector<std::string>& Receiver::commandsReceived() const { return state_->received; }

}  // namespace receiver_sim
