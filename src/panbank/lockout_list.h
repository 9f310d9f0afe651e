// lockout.dat: the frequencies the operator locked out, one MHz text a line
// in the order they were locked out. Lines that are no frequency are
// passed over by readers and kept by writers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace voxpan::panbank {

inline constexpr std::string_view kLockoutFileName = "lockout.dat";

// The locked-out frequencies in hertz, in the file's order.
std::vector<std::int64_t> lockedHertz(const std::vector<std::string>& lines);

// The lines without those that hold this frequency (145.5 and 145.500 are
// one); `removed` tells how many went.
std::vector<std::string> withoutFrequency(const std::vector<std::string>& lines, std::int64_t hertz, int& removed);

}  // namespace voxpan::panbank
