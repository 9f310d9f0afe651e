#include "panbank/hit_log.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>

#include "panbank/decimal_units.h"
#include "panel/receiver_modes.h"

namespace voxpan::panbank {

namespace {

constexpr int kHighestLevel = 255;
constexpr std::array<std::string_view, 3> kKinds{"search", "bank", "memory"};

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t comma; (comma = line.find(',')) != std::string_view::npos; line.remove_prefix(comma + 1))
        fields.push_back(line.substr(0, comma));
    fields.push_back(line);
    return fields;
}

// Exactly `count` digits at `at` of the text, or -1.
int digitsAt(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return -1;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// Days from 1970-01-01 to the day of the civil calendar.
std::int64_t daysFromCivil(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<std::int64_t>(era) * 146097 + dayOfEra - 719468;
}

struct LocalTime {
    std::string text;          // "YYYY-MM-DDTHH:MM:SS"
    std::int64_t seconds = 0;  // as if it were UTC
    std::size_t length = 0;    // characters of the source it took
};

// "YYYY-MM-DD" followed by "T" or a blank and "HH:MM" with or without
// ":SS"; with `secondsNeeded`, "HH:MM:SS" only. A day alone when `dayAlone`.
std::optional<LocalTime> localTimeOf(std::string_view text, bool secondsNeeded, bool dayAlone) {
    const int year = digitsAt(text, 0, 4), month = digitsAt(text, 5, 2), day = digitsAt(text, 8, 2);
    if (year < 0 || month < 1 || month > 12 || day < 1 || day > 31 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    LocalTime time{std::string(text.substr(0, 10)) + "T00:00:00", daysFromCivil(year, month, day) * 86400, 10};
    if (text.size() == 10) return dayAlone ? std::optional(time) : std::nullopt;
    const int hour = digitsAt(text, 11, 2), minute = digitsAt(text, 14, 2);
    if ((text[10] != 'T' && text[10] != ' ') || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        text.size() < 16 || text[13] != ':')
        return std::nullopt;
    int second = 0;
    time.length = 16;
    if (text.size() > 16 && text[16] == ':') {
        second = digitsAt(text, 17, 2);
        if (second < 0 || second > 60) return std::nullopt;
        time.length = 19;
    } else if (secondsNeeded) {
        return std::nullopt;
    }
    char clock[16];
    std::snprintf(clock, sizeof clock, "T%02d:%02d:%02d", hour, minute, second);
    time.text.replace(10, 9, clock);
    time.seconds += hour * 3600 + minute * 60 + second;
    return time;
}

// "+HH:MM" or "-HH:MM" (and "Z" when allowed) as seconds east of UTC.
std::optional<std::int64_t> offsetOf(std::string_view text, bool zulu) {
    if (zulu && text == "Z") return 0;
    const int hours = digitsAt(text, 1, 2), minutes = digitsAt(text, 4, 2);
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':' || hours < 0 || hours > 23 ||
        minutes < 0 || minutes > 59)
        return std::nullopt;
    return (text[0] == '-' ? -1 : 1) * (hours * 3600 + minutes * 60);
}

std::string plural(std::int64_t count, std::string_view word) {
    return std::to_string(count) + " " + std::string(word) + (count == 1 ? "" : "s");
}

std::string durationText(std::int64_t tenths) {
    const std::int64_t wholeSeconds = tenths / 10;
    std::string text;
    if (wholeSeconds >= 3600) text += plural(wholeSeconds / 3600, "hour") + " ";
    if (wholeSeconds >= 60) text += plural(wholeSeconds / 60 % 60, "minute") + " ";
    return text + fixedText(tenths % 600, 1, 1) + " seconds";
}

}  // namespace

std::optional<Hit> hitOf(std::string_view line) {
    const std::vector<std::string_view> fields = fieldsOf(line);
    if (fields.size() != 6) return std::nullopt;
    const std::string_view time = fields[0];
    const std::optional<LocalTime> local = localTimeOf(time.substr(0, 19), true, false);
    const std::optional<std::int64_t> offset = time.size() > 19 ? offsetOf(time.substr(19), false) : std::nullopt;
    const std::optional<std::int64_t> hertz = unitsOf(fields[2], kMegahertzDecimals);
    const std::optional<std::int64_t> level = unitsOf(fields[4], 0);
    const std::optional<std::int64_t> tenths = unitsOf(fields[5], 1);
    if (!local || time[10] != 'T' || !offset || !hertz || !level || *level > kHighestLevel || !tenths ||
        std::find(kKinds.begin(), kKinds.end(), fields[1]) == kKinds.end() || modeOfBankModeLine(fields[3]) == nullptr)
        return std::nullopt;
    // No blanks around the numbers: the panel writes none.
    for (std::string_view number : {fields[2], fields[4], fields[5]})
        if (number.find_first_of(" \t") != std::string_view::npos) return std::nullopt;
    return Hit{local->text, local->seconds - *offset, *hertz, static_cast<int>(*level), *tenths};
}

bool Since::includes(const Hit& hit) const { return instant ? hit.instant >= *instant : hit.localTime >= localTime; }

std::optional<Since> sinceOf(std::string_view text) {
    const std::optional<LocalTime> local = localTimeOf(text, false, true);
    if (!local) return std::nullopt;
    Since since{local->text, std::nullopt};
    if (local->length == text.size()) return since;
    if (local->length == 10) return std::nullopt;
    const std::optional<std::int64_t> offset = offsetOf(text.substr(local->length), true);
    if (!offset) return std::nullopt;
    since.instant = local->seconds - *offset;
    return since;
}

std::vector<FrequencyHits> byFrequency(const std::vector<Hit>& hits) {
    std::map<std::int64_t, FrequencyHits> entries;
    for (const Hit& hit : hits) {
        FrequencyHits& entry = entries[hit.hertz];
        if (entry.stops == 0 || hit.instant >= entry.lastInstant) {
            entry.lastHeard = hit.localTime;
            entry.lastInstant = hit.instant;
        }
        entry.hertz = hit.hertz;
        ++entry.stops;
        entry.tenths += hit.tenths;
        entry.strongest = std::max(entry.strongest, hit.level);
    }
    std::vector<FrequencyHits> sorted;
    for (auto& [hertz, entry] : entries) sorted.push_back(entry);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const FrequencyHits& a, const FrequencyHits& b) { return a.stops > b.stops; });
    return sorted;
}

std::string hitLine(const FrequencyHits& entry) {
    std::string heard = entry.lastHeard;
    heard[10] = ' ';
    return shortestText(entry.hertz, kMegahertzDecimals) + " MHz: " + plural(entry.stops, "stop") + ", held " +
           durationText(entry.tenths) + ", strongest level " + std::to_string(entry.strongest) +
           ", last heard " + heard;
}

}  // namespace voxpan::panbank
