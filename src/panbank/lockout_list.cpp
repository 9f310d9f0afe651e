#include "panbank/lockout_list.h"

#include <optional>

#include "banks/bank_file.h"
#include "panbank/decimal_units.h"

namespace voxpan::panbank {

namespace {

std::optional<std::int64_t> hertzOfLine(std::string_view line) {
    if (!isFrequencyText(line)) return std::nullopt;
    return unitsOf(line, kMegahertzDecimals);
}

}  // namespace

std::vector<std::int64_t> lockedHertz(const std::vector<std::string>& lines) {
    std::vector<std::int64_t> locked;
    for (const std::string& line : lines)
        if (const std::optional<std::int64_t> hertz = hertzOfLine(line)) locked.push_back(*hertz);
    return locked;
}

std::vector<std::string> withoutFrequency(const std::vector<std::string>& lines, std::int64_t hertz, int& removed) {
    std::vector<std::string> kept;
    removed = 0;
    for (const std::string& line : lines) {
        if (hertzOfLine(line) == hertz) ++removed;
        else kept.push_back(line);
    }
    return kept;
}

}  // namespace voxpan::panbank
