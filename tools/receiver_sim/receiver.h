// A simulated AOR AR8600 receiver: it takes the bytes a client writes on the
// serial line and answers in the receiver's ASCII command set, with signals
// on chosen frequencies, a VFO search, a memory scan and faults of the line.
// Time passes only through advance(), so tests decide every instant.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace receiver_sim {

// A carrier on one frequency. The level is the receiver's raw level reading,
// 0 to 999 (shown with three digits); 200 is a strong signal.
struct Signal {
    long long hz = 0;
    int level = 0;
    double seconds = -1;  // how long it lasts once the receiver knows of it; -1: forever
};

enum class Fault {
    None,
    Silent,   // processes commands, never answers
    Slow,     // every answer leaves only Options::slowSeconds after its time
    Split,    // every answer leaves in two or three pieces, Options::splitGapSeconds apart
    Garbage,  // stray bytes before and after every answer
};

struct Options {
    std::vector<Signal> signals;
    Fault fault = Fault::None;
    unsigned seed = 1;  // drives the split points and the stray bytes
    // Memory bank letter (A-J, a-j) -> the setting the "MW" query reports
    // (0 to 999). Banks not named report 90.
    std::map<char, int> bankSettings;
    // Setting a bank ("MW" + letter + digits) is answered only after this long.
    double bankSetSeconds = 1.0;
    double slowSeconds = 0.25;
    double splitGapSeconds = 0.05;
    // Commands that begin with one of these ("MW" for every bank query and
    // setting, "MWE" for bank E's alone) are taken in and recorded, and
    // neither carried out nor answered: a receiver that ignores one kind
    // of command.
    std::vector<std::string> ignoredCommands;
};

// One memory channel as stored by "MX".
struct MemoryChannel {
    char bank = 'A';
    int number = 0;  // 0 to 99
    long long hz = 0;
    long long stepHz = 0;
    int modeDigit = 1;
    bool autoMode = false;
    bool attenuator = false;
    std::string text;  // up to 12 characters
};

class Receiver {
public:
    explicit Receiver(Options options = {});
    ~Receiver();
    Receiver(Receiver&&) noexcept;
    Receiver& operator=(Receiver&&) noexcept;
    Receiver(const Receiver&) = delete;
    Receiver& operator=(const Receiver&) = delete;

    // Bytes from the client, processed at the current time.
    void receive(std::string_view bytes);
    // Time passes: the search and the scan move one position every 50 ms,
    // signals end, delayed answers fall due. Zero, negative or NaN: nothing.
    void advance(double seconds);
    // Bytes the receiver has sent since the last call.
    std::string takeOutput();
    // True while answers are queued for a later time.
    bool outputPending() const;

    // A signal that starts now; its seconds count from now.
    void addSignal(Signal signal);
    // The line's fault from now on (a cable that starts to fail, or mends).
    void setFault(Fault fault);

    double now() const;  // seconds since construction
    long long vfoAHz() const;
    long long vfoBHz() const;
    char activeVfo() const;   // 'A' or 'B'
    long long tunedHz() const;  // what the level is measured on: VFO, search position or channel
    long long stepHz() const;
    int modeDigit() const;  // 0..8 as sent with "MD", or -1 while automatic mode is on
    bool autoMode() const;
    bool attenuator() const;
    bool noiseLimiter() const;
    bool searching() const;
    bool searchStopped() const;
    bool memoryScanning() const;
    bool memoryScanStopped() const;
    bool stoppedAnswering() const;  // after "EX"
    int bankSetting(char bank) const;  // -1 for a letter that is no bank
    std::optional<MemoryChannel> memoryChannel(char bank, int number) const;
    // Every stored channel, bank A to J then a to j, each in channel order.
    std::vector<MemoryChannel> memoryChannels() const;
    // How many "MX" writes were stored: it changes whenever a channel is.
    long long memoryWrites() const;
    // Every command as received, without its CR; the control byte as "\x1e".
    // Commands after "EX" are not taken in.
    const std::vector<std::string>& commandsReceived() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace receiver_sim
