// The texts the receiver sends. Every reply ends with CR LF.
#pragma once

#include <string>

#include "receiver_sim/receiver.h"

namespace receiver_sim {

// Where the receiver is tuned when it answers "RX".
struct TuningReport {
    std::string source;  // "VA", "VB", "VS AB" (VFO search) or "MR A05" (memory scan)
    long long hz = 0;
    long long stepHz = 0;
    bool autoMode = false;
    int modeDigit = 1;
    bool attenuator = false;
};

// The answer to a command that sets something.
std::string acknowledgement();
// The answer to a command the receiver does not know or cannot carry out.
std::string refusal();
// "LM%000" with the squelch closed, "LM 123" open; level clamped to 0..999.
std::string levelReply(bool squelchOpen, int level);
// "VA RF0145500000 ST012500 AU0 MD1 AT0" and its kin.
std::string tuningReply(const TuningReport& report);
// "LC1 MXA05 RF0145500000 ST012500 AU0 MD1 AT0 TMxxxxxxxxxxxx": sent by
// itself when the memory scan stops on a signal.
std::string scanReport(const MemoryChannel& channel);
// "MWA 090": the bank's setting as three digits.
std::string bankReply(char bank, int setting);
// Answers to the bare queries "MD", "AU", "AT", "NL", "ST", "LC".
std::string modeReply(int modeDigit);
std::string switchReply(const char* name, bool on);  // "AU1", "NL0", "LC1"
std::string attenuatorReply(bool on);                // "AT 1"
std::string stepReply(long long stepHz);             // "ST012500"

}  // namespace receiver_sim
