// The hit log, "hits.csv" in the working folder: one line for every stop of
// a search, a bank scan or the receiver's memory scan on a signal, written
// when the stop ends (the scan moves on, the operator ends it or starts
// another, or the panel ends), so that a night's search can be read in the
// morning. The file is only ever added to: a header when it is new or
// empty, then "time,kind,mhz,mode,level,seconds" lines such as
// 2026-12-07T21:04:05+01:00,search,145.5,FM,187,12.3, each written and
// flushed as one line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "panel/panel_state.h"

namespace voxpan {

inline constexpr std::string_view kHitLogName = "hits.csv";
inline constexpr std::string_view kHitLogHeader = "time,kind,mhz,mode,level,seconds";

// After every step of the poll cycle: a scan found stopped begins a stop
// (its start time, the panel's mode and the level reading that showed it),
// the strongest level reading is kept while it lasts, and a scan found
// running again, ended or changed ends it with its line. The stops are
// followed also while the hit log is off (HITS:0); only their lines are
// not written.
void followStops(Panel& panel);

// The stop's frequency, once the panel learns it: the search's from "RX",
// the memory scan's from its report.
void noteStopFrequency(Panel& panel, std::string_view megahertz);

// The panel ends: a stop still going on ends with it, and the file is
// closed.
void closeHitLog(Panel& panel);

// The line of a stop that ended at endMs, without its line end. The
// frequency is the one learned, else `shownFrequency` (what the panel
// showed at the end), with zeros after the last decimal dropped; the mode
// without its trailing blank; the strongest level; the seconds with one
// decimal. Empty when there is no frequency to give.
std::string hitLine(const ScanStop& stop, std::string_view shownFrequency, std::int64_t endMs);

}  // namespace voxpan
