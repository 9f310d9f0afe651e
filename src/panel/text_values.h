// The panel's one text type and the text operations every part of it uses.
// All of the panel's data is text: frequencies in MHz, steps in kHz, receiver
// commands and replies, bank lines and word names. Positions count from 1.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "panel/limits.h"

namespace voxpan {

// A text held in the panel state: every assignment keeps at most the first
// 254 characters and drops the rest without notice. Intermediate results
// (joins, parts) are plain std::string and may be longer until assigned.
class Text {
public:
    Text() = default;
    Text(std::string_view value) : value_(value.substr(0, std::min(value.size(), kTextCapacity))) {}
    Text(const char* value) : Text(std::string_view(value)) {}
    Text(const std::string& value) : Text(std::string_view(value)) {}

    Text& operator=(std::string_view value) {
        value_.assign(value.substr(0, std::min(value.size(), kTextCapacity)));
        return *this;
    }
    Text& operator=(const char* value) { return *this = std::string_view(value); }
    Text& operator=(const std::string& value) { return *this = std::string_view(value); }

    const std::string& str() const { return value_; }
    operator std::string_view() const { return value_; }
    bool empty() const { return value_.empty(); }
    std::size_t size() const { return value_.size(); }

    friend bool operator==(const Text& a, const Text& b) { return a.value_ == b.value_; }
    friend bool operator==(const Text& a, std::string_view b) { return a.value_ == b; }
    friend bool operator==(const Text& a, const char* b) { return a.value_ == b; }
    friend bool operator==(const Text& a, const std::string& b) { return a.value_ == b; }

private:
    std::string value_;
};

// Joining with "+": the result is an intermediate text and is not cut.
inline std::string operator+(const Text& a, std::string_view b) { return a.str() + std::string(b); }
inline std::string operator+(std::string_view a, const Text& b) { return std::string(a) + b.str(); }
inline std::string operator+(const Text& a, const Text& b) { return a.str() + b.str(); }
inline std::string operator+(const Text& a, const char* b) { return a.str() + b; }
inline std::string operator+(const char* a, const Text& b) { return a + b.str(); }
inline std::string operator+(const Text& a, const std::string& b) { return a.str() + b; }
inline std::string operator+(const std::string& a, const Text& b) { return a + b.str(); }

// The first n characters; n below 0 counts as 0, above the length gives all.
std::string leftText(std::string_view text, int count);
// The last n characters, with the same bounds as leftText.
std::string rightText(std::string_view text, int count);
// From position start on, at most count characters; start below 1 counts as
// 1, beyond the length gives ""; a negative count or one past the end gives
// everything to the end.
std::string midText(std::string_view text, int start, int count = -1);
// Position of the first occurrence of what at or after start (0 counts as
// 1); 0 when absent, when start lies beyond the text, or either text is empty.
int findText(std::string_view text, std::string_view what, int start = 1);
int textLength(std::string_view text);
std::string charText(int code);
// The text without the blanks and tabs at either end.
std::string_view withoutBlanks(std::string_view text);

// The text in double quotes for a message to the person setting the panel
// up, control and non-ASCII bytes written as \xNN so that nothing is hidden.
std::string quotedForMessage(std::string_view text);

// The numeric value of a text: leading blanks and tabs skipped, an optional
// "-", digits, an optional "." and fraction digits; the first character that
// does not fit ends it. No "+" and no exponent; no digits gives 0.
double numberOf(std::string_view text);
// " %d" for whole values, " %.2f" otherwise: always one leading blank.
std::string textOf(double value);

// Storing a computed value in an integer variable: nearest integer, a value
// exactly halfway going to the even neighbour (12.5 gives 12, 13.5 gives 14).
std::int32_t roundToInt(double value);
// A number read from a text and cut toward zero (145.0125 gives 145).
std::int32_t truncateToInt(double value);
// Rounding as roundToInt for counts past 32 bits (hertz up to 3000 MHz).
std::int64_t roundToInt64(double value);

}  // namespace voxpan
