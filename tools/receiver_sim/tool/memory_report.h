// The tool's memory report: the channels the receiver has stored, one line
// each, for tests that check what a client wrote into the memory.
#pragma once

#include <string>
#include <vector>

#include "receiver_sim/receiver.h"

namespace receiver_sim {

// One line per channel, ending with LF, in the order given:
//   A05 RF0145500000 ST012500 MD1 AU0 AT0 TMxxxxxxxxxxxx
// (bank and channel number, then the fields as "MX" takes them; the text
// comes last and may hold blanks). No channels: an empty text.
std::string memoryReportText(const std::vector<MemoryChannel>& channels);

// Replaces the file with the text by a rename, so that a reader never
// finds half a report. False when it could not be written.
bool replaceReportFile(const std::string& path, const std::string& text);

}  // namespace receiver_sim
