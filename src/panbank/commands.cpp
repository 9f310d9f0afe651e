#include "panbank/commands.h"

namespace voxpan::panbank {

void Console::refuse(const std::string& text) const {
    // What was said before comes before it, also when both go to one file.
    out.flush();
    err << "panbank: " << text << std::endl;
}

std::optional<std::vector<std::string>> linesOfFile(Platform& platform, const std::string& name) {
    const FileHandle file = platform.openForReading(name);
    if (file == 0) return std::nullopt;
    std::vector<std::string> lines;
    for (std::string line; platform.readLine(file, line);) lines.push_back(line);
    platform.closeFile(file);
    return lines;
}

}  // namespace voxpan::panbank
