#include "radio/command_fields.h"

#include <algorithm>
#include <string>

#include "panel/text_values.h"

namespace voxpan {

namespace {

bool isDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string frequencyCommand(std::string_view prefix, std::string_view frequencyText) {
    const std::int32_t megahertz = truncateToInt(numberOf(frequencyText));
    std::string command(prefix);
    const int point = findText(frequencyText, ".");
    if (point > 0 && megahertz < 10000 && isDigits(leftText(frequencyText, point - 1))) {
        // The four places before the point hold the megahertz whatever
        // digits were written there: ".5", "0.5" and "00.5" are all 0000.5.
        const std::string digits = std::to_string(megahertz);
        command += std::string(4 - digits.size(), '0') + digits;
        command += midText(frequencyText, point);
    } else {
        if (megahertz < 1000) command += "0";
        if (megahertz < 100) command += "0";
        if (megahertz < 10) command += "0";
        command += frequencyText;
    }
    while (command.size() < 11) command += "0";
    command += "0";
    return command;
}

std::string stepCommand(std::string_view stepText) {
    const std::int32_t kilohertz = truncateToInt(numberOf(stepText));
    std::string command = "ST";
    if (kilohertz < 100) command += "0";
    if (kilohertz < 10) command += "0";
    command += stepText;
    while (command.size() < 8) command += "0";
    return command;
}

}  // namespace voxpan
