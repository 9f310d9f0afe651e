#include "radio/command_fields.h"

#include "panel/text_values.h"

namespace voxpan {

std::string frequencyCommand(std::string_view prefix, std::string_view frequencyText) {
    const std::int32_t megahertz = truncateToInt(numberOf(frequencyText));
    std::string command(prefix);
    if (megahertz < 1000) command += "0";
    if (megahertz < 100) command += "0";
    if (megahertz < 10) command += "0";
    command += frequencyText;
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
