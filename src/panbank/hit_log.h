// The hit log, hits.csv: one line per stop of a search, a bank scan or the
// receiver's memory scan, "time,kind,mhz,mode,level,seconds", e.g.
// "2026-12-07T21:04:05+01:00,search,145.5,FM,187,12.3", under the header
// line "time,kind,mhz,mode,level,seconds". The time is the local time the
// stop began, with its offset from UTC.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace voxpan::panbank {

inline constexpr std::string_view kHitLogName = "hits.csv";
inline constexpr std::string_view kHitLogHeader = "time,kind,mhz,mode,level,seconds";

struct Hit {
    // "2026-12-07T21:04:05": the local time, as the panel's clock showed it.
    std::string localTime;
    // Seconds from 1970-01-01 00:00:00 UTC: for comparing stops made
    // under different offsets (summer time, say).
    std::int64_t instant = 0;
    std::int64_t hertz = 0;
    int level = 0;
    std::int64_t tenths = 0;
};

// The stop a line stands for; nothing for a line that does not parse (a
// half line left by a crash, the header, a blank line).
std::optional<Hit> hitOf(std::string_view line);

// Where --since starts: a day ("2026-12-01", from its first second in the
// time the stops were logged in), a local time ("2026-12-01T18:00" or with
// seconds) or a time with its offset ("2026-12-01T18:00:00+01:00", "Z" for
// UTC), which is a moment wherever the stops were logged.
struct Since {
    std::string localTime;                // with seconds, "T" between day and time
    std::optional<std::int64_t> instant;  // when an offset was given
    bool includes(const Hit& hit) const;
};
std::optional<Since> sinceOf(std::string_view text);

struct FrequencyHits {
    std::int64_t hertz = 0;
    int stops = 0;
    std::int64_t tenths = 0;
    int strongest = 0;
    // The last stop's local time.
    std::string lastHeard;
    std::int64_t lastInstant = 0;
};

// One entry per frequency (to the hertz), most stops first, then from the
// lowest frequency up.
std::vector<FrequencyHits> byFrequency(const std::vector<Hit>& hits);

// "145.5 MHz: 12 stops, held 3 minutes 4.5 seconds, strongest level 187,
// last heard 2026-12-07 21:04:05".
std::string hitLine(const FrequencyHits& entry);

}  // namespace voxpan::panbank
