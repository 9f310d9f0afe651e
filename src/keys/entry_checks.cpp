#include "keys/entry_checks.h"

#include <algorithm>

#include "panel/text_values.h"

namespace voxpan {

namespace {

struct Shape {
    bool wellFormed = false;  // digits, at most one point, at least one digit
    int wholeDigits = 0;      // digits before the point, leading zeros too
    int decimals = 0;
};

Shape shapeOf(std::string_view text) {
    Shape shape;
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    auto digitsOnly = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    shape.wellFormed = digitsOnly(whole) && digitsOnly(fraction) && whole.size() + fraction.size() > 0;
    shape.wholeDigits = static_cast<int>(whole.size());
    shape.decimals = static_cast<int>(fraction.size());
    return shape;
}

// The zeros the command builder puts before the text: one for each of the
// given powers of ten that the whole number stays below.
int paddingZeros(std::string_view text, std::initializer_list<int> limits) {
    const std::int32_t whole = truncateToInt(numberOf(text));
    return static_cast<int>(std::count_if(limits.begin(), limits.end(), [&](int limit) { return whole < limit; }));
}

}  // namespace

bool fitsFrequencyField(std::string_view text) {
    const Shape shape = shapeOf(text);
    return shape.wellFormed && paddingZeros(text, {1000, 100, 10}) + shape.wholeDigits <= 4 && shape.decimals <= 5;
}

bool fitsStepField(std::string_view text) {
    const Shape shape = shapeOf(text);
    return shape.wellFormed && paddingZeros(text, {100, 10}) + shape.wholeDigits <= 3 && shape.decimals <= 2 &&
           numberOf(text) > 0;
}

}  // namespace voxpan
