// The receiver's memory: channels written with "MX", and the settings of
// its banks as "MW" reports and changes them.
#pragma once

#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "receiver_sim/receiver.h"

namespace receiver_sim {

// Banks A to J and a to j.
bool isBankLetter(char c);

// The fields of "MX" after its name: bank letter, two digits of channel,
// then blank-separated fields "RF" (required), "ST", "MD", "AU", "AT", and
// "TM" with the rest of the line as text (12 characters kept). Fields the
// receiver does not know are skipped. Missing fields take the defaults.
std::optional<MemoryChannel> parseMemoryWrite(std::string_view fields,
                                              const MemoryChannel& defaults);

class Memory {
public:
    explicit Memory(const std::map<char, int>& bankSettings);

    void store(const MemoryChannel& channel);
    std::optional<MemoryChannel> channel(char bank, int number) const;
    // The stored channels of one bank in channel order, or of every bank
    // (A..J, then a..j) when `bank` is 0.
    std::vector<MemoryChannel> channelsOf(char bank) const;

    int setting(char bank) const;  // -1 for a letter that is no bank
    void setSetting(char bank, int setting);

private:
    std::map<std::pair<char, int>, MemoryChannel> channels_;
    std::map<char, int> settings_;
};

}  // namespace receiver_sim
