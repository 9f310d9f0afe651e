#include "setup/config_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "shell/startup.h"

namespace voxpan::setup {
namespace fs = std::filesystem;

namespace {

// Each label is as wide as the columns the panel skips on its line.
constexpr std::string_view kPortLabel = "COM:";     // value from column 5
constexpr std::string_view kSpeedLabel = "SPEED:";  // from column 7
constexpr std::string_view kTypeLabel = "TYPE:";    // from column 6, not read by the panel
constexpr std::string_view kVoiceLabel = "VOICE:";  // column 7
constexpr std::string_view kLogLabel = "DEBUG:";    // column 7
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kBlanks = " \t";

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

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string deviceOf(std::string_view portText) {
    if (portText.find('/') != std::string_view::npos) return std::string(trimmed(portText));
    if (portText.empty() || portText.back() < '1' || portText.back() > '9') return {};
    return "/dev/ttyS" + std::to_string(portText.back() - '1');
}

std::string systemError(const std::string& what) { return what + ": " + std::strerror(errno); }

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Puts the bytes in `target` by way of a flushed temporary file renamed over
// it: a reader finds either the old file or the whole new one.
std::string replaceFile(const fs::path& target, std::string_view bytes) {
    std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return systemError("cannot create a file in " + target.parent_path().string());
    std::string problem;
    if (!writeAll(fd, bytes)) problem = systemError("cannot write " + pattern);
    else if (::fchmod(fd, newFileMode()) != 0) problem = systemError("cannot set the permissions of " + pattern);
    else if (::fsync(fd) != 0) problem = systemError("cannot flush " + pattern + " to the disk");
    if (::close(fd) != 0 && problem.empty()) problem = systemError("cannot write " + pattern);
    if (problem.empty() && ::rename(pattern.c_str(), target.c_str()) != 0) {
        problem = systemError("cannot rename " + pattern + " to " + target.string());
    }
    if (!problem.empty()) ::unlink(pattern.c_str());
    return problem;
}

void flushFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::string formatConfiguration(const Settings& settings) {
    std::string text;
    auto line = [&](std::string_view label, std::string_view value) {
        text.append(label).append(value).append(kLineEnd);
    };
    line(kPortLabel, settings.port);
    line(kSpeedLabel, std::to_string(settings.speed));
    line(kTypeLabel, "AR8600");
    line(kVoiceLabel, settings.voice ? "1" : "0");
    line(kLogLabel, settings.log ? "1" : "0");
    return text;
}

Settings parseConfiguration(std::string_view bytes) {
    std::vector<std::string_view> lines = splitLines(bytes);
    lines.resize(5);
    Settings settings;
    settings.port = deviceOf(from(lines[0], kPortLabel.size() + 1));
    const std::string_view speed = trimmed(from(lines[1], kSpeedLabel.size() + 1));
    int value = 0;
    const auto [end, error] = std::from_chars(speed.data(), speed.data() + speed.size(), value);
    if (error == std::errc() && value > 0) settings.speed = value;
    // As the panel reads them: only a 0 mutes the words, and a missing or
    // non-digit log switch reads as 0.
    const std::string_view voice = from(lines[3], kVoiceLabel.size() + 1);
    settings.voice = !voice.starts_with('0');
    settings.log = from(lines[4], kLogLabel.size() + 1).starts_with('1');
    return settings;
}

bool isWritablePortText(std::string_view port) {
    return port.find('/') != std::string_view::npos &&
           std::none_of(port.begin(), port.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

std::optional<Settings> readConfigurationFile(const fs::path& folder) {
    std::ifstream file(folder / kConfigurationName, std::ios::binary);
    if (!file) return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return parseConfiguration(bytes);
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
        const std::string problem = replaceFile(folder / (std::string(kConfigurationName) + ".bak"), oldBytes);
        if (!problem.empty()) return problem + "; nothing was changed";
    }
    std::string problem = replaceFile(target, bytes);
    flushFolder(folder);
    return problem;
}

}  // namespace voxpan::setup
