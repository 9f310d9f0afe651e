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

std::string modeCommand(std::string_view modeText) {
    static constexpr std::string_view kModes[][2] = {
        {"WFM", "MD0"}, {"FM", "MD1"}, {"AM", "MD2"}, {"USB", "MD3"},
        {"LSB", "MD4"}, {"CW ", "MD5"}, {"AUT", "AU1"},
    };
    for (const auto& [text, command] : kModes) {
        if (modeText == text) return std::string(command);
    }
    return {};
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
