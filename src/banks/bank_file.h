// Bank files: "bank" + the bank number + ".dat" in the working folder, one
// value a line, every line ending with CR LF. Lines 0 to 3 are the header
// (label, mode, step, a blank); from line 4 on each channel is a pair of
// lines (its frequency in MHz, then a blank); "9999" on the line after the
// last channel ends the list. Files are read and written as at most 400
// lines, so a list holds at most 197 channels with its marker on line 398.
// The same layout is read and written by the panel on other systems.
#pragma once

#include <string>
#include <string_view>

#include "panel/panel_state.h"

namespace voxpan {

inline constexpr std::string_view kEndMarker = "9999";
// The frequency line of the first channel.
inline constexpr int kFirstChannelIndex = 4;
// The end of a table that holds no marker where channels stand: the first
// line a file cannot hold.
inline constexpr int kUnmarkedEnd = kBankFileLines;
// The last line a written end marker can stand on.
inline constexpr int kLastMarkerIndex = kBankFileLines - 2;
// A bank made by a copy or a put holds at most this many channels: the
// transfer writes channels "00" to "90" into the receiver.
inline constexpr int kMostChannelsInABank = 91;
// The search list, "bank00.dat", holds at most this many hits: with its
// marker it fills the 400 lines of a file.
inline constexpr int kMostSearchHits = (kLastMarkerIndex - kFirstChannelIndex) / 2;

// "bank" + number + ".dat".
std::string bankFileNameFor(std::string_view number);

// The index of the end marker: the first "9999" at an even index from 4 on
// (a "9999" in the header or on a blank line of a channel is no marker), or
// 400 when there is none. Always even, from 4 to 400.
int bankEndIndex(const BankTable& table);

// A channel's frequency as the panel stores one: decimal digits with at
// most one point, at least one digit ("145.5", ".5", "145.").
bool isFrequencyText(std::string_view text);

// Reads the file named by bankFileName into bankLines. A file that does not
// open (missing, a folder, unreadable) says "bnf", sets bankReadError to 1
// and changes nothing else. Otherwise bankReadError is 0, the table holds
// the file's lines up to its marker (each cut at 254 characters), a file
// without a marker gets one in memory after its last line, and lastIndex
// and scanIndex stand on the last channel.
void readBankFile(Panel& panel);

// Replaces the file named by bankFileName with bankLines up to the end
// marker, as one step. bankWriteError is 0 when the file was replaced, 1
// when it was not and the old file stands as it was. Says nothing: the
// operation that writes tells the operator.
void writeBankFile(Panel& panel);

// The same for another table: operations build the changed bank aside and
// take it into bankLines only once it is safely on disk.
void writeBankTable(Panel& panel, const BankTable& table);

// Writes the changed bank and, once it is on disk, makes it the bank in
// memory with lastIndex on its last channel. When it cannot be written the
// operator hears "inv", the file and the bank in memory stay as they were,
// and the result is false.
bool saveChangedBank(Panel& panel, const BankTable& table);

}  // namespace voxpan
