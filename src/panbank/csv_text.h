// Comma-separated text as spreadsheets and CHIRP write it: a field may be
// quoted, a quote inside one doubled, and a quoted field may hold commas
// and line ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace voxpan::panbank {

struct CsvRecord {
    // The line of the file the record starts on, from 1.
    int line = 0;
    std::vector<std::string> fields;
    // A quote was opened and the file ended before it was closed.
    bool unclosedQuote = false;
};

// The records of the text. A UTF-8 byte order mark at the start is passed
// over; a line ends with CR LF, LF or CR; blank lines and lines starting
// with "#" are passed over. Text after a closing quote is kept as part of
// its field.
std::vector<CsvRecord> readCsv(std::string_view text);

// The field as CSV carries it: in quotes, with its quotes doubled, when it
// holds a comma, a quote or a line end, or starts or ends with a blank.
std::string csvField(std::string_view value);

// The fields joined by commas, each as csvField gives it.
std::string csvRow(const std::vector<std::string>& fields);

}  // namespace voxpan::panbank
