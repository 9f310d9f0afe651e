#include "support/recording_platform.h"

#include <cstdio>

namespace voxpan::testing {

std::string visibleBytes(std::string_view bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c < 0x20 || c >= 0x7f) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
            out += buffer;
        } else out += static_cast<char>(c);
    }
    return out;
}

std::vector<std::string> RecordingPlatform::journalOf(std::string_view prefix) const {
    std::vector<std::string> matching;
    for (const std::string& line : journal)
        if (line.compare(0, prefix.size(), prefix) == 0) matching.push_back(line);
    return matching;
}

std::vector<std::string> RecordingPlatform::textsDrawn() const {
    std::vector<std::string> drawn;
    for (const DrawnText& text : texts) drawn.push_back(text.text);
    return drawn;
}

bool RecordingPlatform::createWindow(int x, int y, int width, int height, std::string_view title) {
    record("window " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) + " " +
           std::to_string(height) + " " + std::string(title));
    return windowOpens;
}

void RecordingPlatform::closeWindow() { record("window-close"); }

void RecordingPlatform::moveTo(int x, int y) {
    position_ = {x, y};
    record("move " + std::to_string(x) + " " + std::to_string(y));
}

void RecordingPlatform::setFont(std::string_view face, int points, int weight) {
    face_ = face;
    points_ = points;
    weight_ = weight;
    record("font " + face_ + " " + std::to_string(points) + " " + std::to_string(weight));
}

void RecordingPlatform::setTextColour(Colour colour) {
    colour_ = colour;
    record("colour " + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
           std::to_string(colour.blue));
}

void RecordingPlatform::drawText(std::string_view text) {
    texts.push_back({position_.x, position_.y, face_, points_, weight_, colour_, std::string(text)});
    record("text " + std::string(text));
    // A notional 10 pixels a character: enough to tell a continued text from
    // one drawn after a move.
    position_.x += 10 * static_cast<int>(text.size());
}

void RecordingPlatform::startTimer(int timerNumber, int periodMs) {
    record("timer-start " + std::to_string(timerNumber) + " " + std::to_string(periodMs));
}

void RecordingPlatform::stopTimer(int timerNumber) { record("timer-stop " + std::to_string(timerNumber)); }

std::vector<WindowEvent> RecordingPlatform::waitEvents() {
    record("wait");
    if (eventBatches.empty()) return {{EventKind::Close, 0}};
    std::vector<WindowEvent> batch = std::move(eventBatches.front());
    eventBatches.pop_front();
    return batch;
}

SoundResult RecordingPlatform::playSound(std::string_view path) {
    plays.emplace_back(path);
    record("play " + std::string(path));
    advanceClock(msPerPlay);
    auto found = soundResults.find(std::string(path));
    return found == soundResults.end() ? SoundResult::Played : found->second;
}

bool RecordingPlatform::useSystemVoice(SpeechPace pace) {
    record("system-voice " + std::to_string(static_cast<int>(pace)));
    if (systemVoiceThere) systemVoicePace = pace;
    return systemVoiceThere;
}

bool RecordingPlatform::sayText(std::string_view text) {
    if (!systemVoicePace) return false;
    said.emplace_back(text);
    record("say " + std::string(text));
    advanceClock(msPerPlay);
    return true;
}

void RecordingPlatform::reportProblem(std::string_view line) {
    problems.emplace_back(line);
    record("problem " + std::string(line));
}

PathKind RecordingPlatform::pathKind(const std::string& name) {
    if (folders.contains(name)) return PathKind::Folder;
    if (files.contains(name) || unreadable.contains(name)) return PathKind::File;
    return PathKind::Missing;
}

void RecordingPlatform::advanceClock(std::int64_t ms) {
    if (ms <= 0) return;
    clockMs += ms;
    if (onTimePassed) onTimePassed(ms);
}

bool RecordingPlatform::serialOpen(const std::string& device, int baudRate) {
    record("serial-open " + device + " " + std::to_string(baudRate));
    portOpen_ = serialOpens && !device.empty();
    portLost_ = false;
    return portOpen_;
}

bool RecordingPlatform::serialOpenQuietly(const std::string& device, int baudRate) {
    record("serial-quiet-open " + device + " " + std::to_string(baudRate));
    portOpen_ = serialOpens && !device.empty();
    portLost_ = false;
    return portOpen_;
}

void RecordingPlatform::serialSetNonBlocking() { record("serial-nonblocking"); }

void RecordingPlatform::serialSetLineFormat(int dataBits, int parity, int stopBits) {
    record("serial-format " + std::to_string(dataBits) + " " + std::to_string(parity) + " " + std::to_string(stopBits));
}

int RecordingPlatform::serialBytesWaiting() { return portOpen_ ? static_cast<int>(serialInput.size()) : 0; }

std::string RecordingPlatform::serialRead(int maxBytes) {
    if (!portOpen_ || maxBytes <= 0) return {};
    std::string taken = serialInput.substr(0, static_cast<std::size_t>(maxBytes));
    serialInput.erase(0, taken.size());
    record("serial-read " + visibleBytes(taken));
    return taken;
}

int RecordingPlatform::serialWrite(std::string_view bytes) {
    record("serial-write " + visibleBytes(bytes));
    if (!portOpen_) return 0;
    serialWritten += bytes;
    serialWrites.emplace_back(bytes);
    if (onSerialWrite) onSerialWrite(bytes);
    return static_cast<int>(bytes.size());
}

void RecordingPlatform::serialClose() {
    record("serial-close");
    portOpen_ = false;
    portLost_ = false;
}

FileHandle RecordingPlatform::openForReading(const std::string& name) {
    record("file-read " + name);
    if (!files.contains(name) || unreadable.contains(name) || folders.contains(name)) return 0;
    openFiles_[nextFile_] = {name, false, 0};
    return nextFile_++;
}

FileHandle RecordingPlatform::openForWriting(const std::string& name) {
    record("file-write " + name);
    if (unwritable.contains(name) || folders.contains(name)) return 0;
    files[name].clear();
    openFiles_[nextFile_] = {name, true, 0};
    return nextFile_++;
}

FileHandle RecordingPlatform::openForAppending(const std::string& name) {
    record("file-append " + name);
    if (unwritable.contains(name) || folders.contains(name)) return 0;
    std::string& content = files[name];
    if (!content.empty() && content.back() != '\n' && content.back() != '\r') content += "\r\n";
    openFiles_[nextFile_] = {name, true, 0};
    return nextFile_++;
}

bool RecordingPlatform::readLine(FileHandle file, std::string& line) {
    line.clear();
    auto found = openFiles_.find(file);
    if (found == openFiles_.end() || found->second.writing) return false;
    const std::string& content = files[found->second.name];
    std::size_t& at = found->second.readPosition;
    if (at >= content.size()) return false;
    while (at < content.size() && content[at] != '\r' && content[at] != '\n') {
        if (line.size() < kLongestLineRead) line.push_back(content[at]);
        ++at;
    }
    if (at < content.size() && content[at] == '\r') {
        ++at;
        if (at < content.size() && content[at] == '\n') ++at;
    } else if (at < content.size() && content[at] == '\n') {
        ++at;
    }
    return true;
}

void RecordingPlatform::writeLine(FileHandle file, std::string_view line) {
    record("file-line " + visibleBytes(line));
    auto found = openFiles_.find(file);
    if (found == openFiles_.end() || !found->second.writing) return;
    files[found->second.name] += std::string(line) + "\r\n";
}

void RecordingPlatform::closeFile(FileHandle file) {
    record("file-close " + std::to_string(file));
    openFiles_.erase(file);
}

bool RecordingPlatform::deleteFile(const std::string& name) {
    record("file-delete " + name);
    if (folders.contains(name) || undeletable.contains(name)) return false;
    files.erase(name);
    return true;
}

bool RecordingPlatform::replaceTextFile(const std::string& name, const std::vector<std::string>& lines) {
    record("file-replace " + name);
    if (replacementsFail || folders.contains(name) || name.empty()) return false;
    std::string content;
    for (const std::string& line : lines) content += line + "\r\n";
    files[name] = content;
    return true;
}

}  // namespace voxpan::testing
