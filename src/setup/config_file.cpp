#include "setup/config_file.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <vector>

#include "panel/text_values.h"
#include "setup/working_folder.h"
#include "shell/startup.h"
#include "voice/speech_paces.h"

namespace voxpan::setup {
namespace fs = std::filesystem;

namespace {

// Each label is as wide as the columns the panel skips on its line.
constexpr std::string_view kPortLabel = "COM:";     // value from column 5
constexpr std::string_view kSpeedLabel = "SPEED:";  // from column 7
constexpr std::string_view kTypeLabel = "TYPE:";    // from column 6, not read by the panel
constexpr std::string_view kVoiceLabel = "VOICE:";  // column 7
constexpr std::string_view kLogLabel = "DEBUG:";    // column 7
constexpr std::string_view kHitsLabel = "HITS:";    // column 6
constexpr std::string_view kLineEnd = "\r\n";

std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const auto end = bytes.find_first_of("\r\n");
        lines.push_back(bytes.substr(0, end));
        if (end == std::string_view::npos) break;
        const std::size_t next = end + ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);
        bytes.remove_prefix(next);
    }
    return lines;
}

std::string_view from(std::string_view line, std::size_t column) {
    return line.size() >= column ? line.substr(column - 1) : std::string_view{};
}

}  // namespace

std::string voiceLine(const Settings& settings) {
    std::string line(kVoiceLabel);
    line += !settings.voice ? "0" : settings.systemVoice ? "S" : "1";
    if (settings.pace != SpeechPace::Normal) line.append(" ").append(paceEntry(settings.pace).name);
    return line;
}

std::string withVoiceLine(std::string_view bytes, const Settings& settings) {
    constexpr std::size_t kVoiceLineIndex = 3;
    std::string result;
    for (std::size_t index = 0; !bytes.empty() || index <= kVoiceLineIndex; ++index) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
        std::size_t next = end;
        if (next < bytes.size()) next += bytes.substr(next).starts_with("\r\n") ? 2 : 1;
        if (index == kVoiceLineIndex) result += voiceLine(settings);
        else result += bytes.substr(0, end);
        // Lines the file lacks up to the voice line are made; a last line
        // after it keeps having no line end.
        result += next > end ? bytes.substr(end, next - end) : index <= kVoiceLineIndex ? kLineEnd : "";
        bytes.remove_prefix(next);
    }
    return result;
}

std::string formatConfiguration(const Settings& settings) {
    std::string text;
    auto line = [&](std::string_view label, std::string_view value) {
        text.append(label).append(value).append(kLineEnd);
    };
    line(kPortLabel, portForFile(settings.port));
    line(kSpeedLabel, std::to_string(settings.speed));
    line(kTypeLabel, "AR8600");
    text.append(voiceLine(settings)).append(kLineEnd);
    line(kLogLabel, settings.log ? "1" : "0");
    line(kHitsLabel, settings.hits ? "1" : "0");
    return text;
}

Settings parseConfiguration(std::string_view bytes) {
    std::vector<std::string_view> lines = splitLines(bytes);
    lines.resize(6);
    Settings settings;
    settings.port = portFromFile(from(lines[0], kPortLabel.size() + 1));
    const std::string_view speed = withoutBlanks(from(lines[1], kSpeedLabel.size() + 1));
    int value = 0;
    const auto [end, error] = std::from_chars(speed.data(), speed.data() + speed.size(), value);
    if (error == std::errc() && value > 0) settings.speed = value;
    // As the panel reads them: only a 0 mutes the words, and a missing or
    // non-digit log switch reads as 0.
    const std::string_view voice = from(lines[3], kVoiceLabel.size() + 1);
    settings.voice = !voice.starts_with('0');
    settings.systemVoice = voice.starts_with('S') || voice.starts_with('s');
    if (voice.size() > 1 && voice[1] == ' ') settings.pace = paceNamed(withoutBlanks(voice.substr(1))).value_or(SpeechPace::Normal);
    settings.log = from(lines[4], kLogLabel.size() + 1).starts_with('1');
    settings.hits = !from(lines[5], kHitsLabel.size() + 1).starts_with('0');
    return settings;
}

std::optional<std::string> readConfigurationBytes(const fs::path& folder) {
    std::ifstream file(folder / kConfigurationName, std::ios::binary);
    if (!file) return std::nullopt;
    return std::string{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::optional<Settings> readConfigurationFile(const fs::path& folder) {
    const std::optional<std::string> bytes = readConfigurationBytes(folder);
    if (!bytes) return std::nullopt;
    return parseConfiguration(*bytes);
}

std::string writeConfigurationFile(const fs::path& folder, std::string_view bytes) {
    const fs::path target = folder / kConfigurationName;
    std::error_code error;
    if (fs::exists(fs::symlink_status(target, error))) {
        std::ifstream old(target, std::ios::binary);
        if (!old || !fs::is_regular_file(target, error)) {
            return "cannot read the old " + target.string() + " to keep a copy of it; nothing was changed";
        }
        const std::string oldBytes{std::istreambuf_iterator<char>(old), std::istreambuf_iterator<char>()};
        if (old.bad()) return "cannot read the old " + target.string() + "; nothing was changed";
        const std::string problem = replaceWholeFile(folder / (std::string(kConfigurationName) + ".bak"), oldBytes);
        if (!problem.empty()) return problem + "; nothing was changed";
    }
    return replaceWholeFile(target, bytes);
}

}  // namespace voxpan::setup
