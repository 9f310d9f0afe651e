// Building the receiver's tuning and step commands. Pure text work, so the
// exact bytes on the line can be checked without a port.
#pragma once

#include <string>
#include <string_view>

namespace voxpan {

// "VA"/"VB" + frequency field. The receiver reads a field with a point as
// four digits of MHz, the point and five decimals (VA0145.01250), and one
// without a point as ten digits of Hz (VA0145000000).
std::string frequencyCommand(std::string_view prefix, std::string_view frequencyText);
// "ST" + step field in kHz, at least 8 characters: ST012.50, ST005000.
std::string stepCommand(std::string_view stepText);
// The command for the mode a mode text names: "FM" gives MD1, "AUT" AU1,
// "CW " (with its blank) MD5; "" for a text that names no mode.
std::string modeCommand(std::string_view modeText);

}  // namespace voxpan
