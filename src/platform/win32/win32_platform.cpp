#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <cstdio>
#include <limits>

#include "platform/win32/program_folder.h"
#include "platform/win32/sapi_voice.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_network_port.h"
#include "platform/win32/win32_local_time.h"

namespace voxpan {

namespace {

int movedRight(int x, int width) {
    const long long moved = static_cast<long long>(x) + width;
    return static_cast<int>(std::min<long long>(moved, std::numeric_limits<int>::max()));
}

std::string twoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

std::unique_ptr<SystemVoice> openSystemVoice(SpeechPace pace, std::string& problem) {
    return SapiVoice::open(pace, problem);
}

}  // namespace

Win32Platform::Win32Platform(ErrorOutput& errors)
    : errors_(errors),
      sound_(errors),
      speaker_([this](std::string_view path) { return sound_.play(path); }, &openSystemVoice,
               [this](std::string_view line) { reportProblem(line); }),
      serial_(win32Sockets(), [&errors](const std::string& line) { errors.line(line); }, errors),
      files_(errors) {
    window_.onSessionEnd([this] { sayGoodbyeAtSessionEnd(); });
}

void Win32Platform::sayGoodbyeAtSessionEnd() {
    if (!displayLost_) return;
    // The goodbye clears the handler it runs from: it runs from a copy.
    const std::function<void()> goodbye = displayLost_;
    goodbye();
    std::fflush(nullptr);
    // Windows would end the program now in any case; nothing may run after
    // the goodbye as if the panel were still there.
    ExitProcess(0);
}

bool Win32Platform::createWindow(int x, int y, int width, int height, std::string_view title) {
    std::string failure;
    if (window_.open(x, y, width, height, title, failure)) return true;
    errors_.line("voxpan: cannot open the panel window: " + failure);
    return false;
}

void Win32Platform::closeWindow() { window_.close(); }

void Win32Platform::moveTo(int x, int y) { position_ = {x, y}; }

void Win32Platform::setFont(std::string_view face, int points, int weight) {
    style_.face = std::string(face);
    style_.points = points;
    style_.weight = weight;
}

void Win32Platform::setTextColour(Colour colour) { style_.colour = colour; }

void Win32Platform::drawText(std::string_view text) {
    position_.x = movedRight(position_.x, window_.draw(text, position_, style_));
}

Point Win32Platform::drawingPosition() { return position_; }

void Win32Platform::startTimer(int timerNumber, int periodMs) { window_.startTimer(timerNumber, periodMs); }

void Win32Platform::stopTimer(int timerNumber) { window_.stopTimer(timerNumber); }

std::vector<WindowEvent> Win32Platform::waitEvents() {
    files_.writeHeldLines();
    return window_.waitEvents();
}

SoundResult Win32Platform::playSound(std::string_view path) {
    // Sighted helpers must see what the panel says while it says it.
    window_.showNow();
    return speaker_.play(path);
}

bool Win32Platform::useSystemVoice(SpeechPace pace) { return speaker_.useSystemVoice(pace); }

bool Win32Platform::sayText(std::string_view text) {
    window_.showNow();
    return speaker_.say(text);
}

bool Win32Platform::serialOpen(const std::string& device, int baudRate) { return serial_.open(device, baudRate); }
void Win32Platform::serialSetNonBlocking() { serial_.setNonBlocking(); }
void Win32Platform::serialSetLineFormat(int dataBits, int parity, int stopBits) {
    serial_.setLineFormat(dataBits, parity, stopBits);
}
int Win32Platform::serialBytesWaiting() { return serial_.bytesWaiting(); }
std::string Win32Platform::serialRead(int maxBytes) { return serial_.read(maxBytes); }
int Win32Platform::serialWrite(std::string_view bytes) { return serial_.write(bytes); }
void Win32Platform::serialClose() { serial_.close(); }
bool Win32Platform::serialLost() { return serial_.lost(); }
bool Win32Platform::serialOpenQuietly(const std::string& device, int baudRate) {
    return serial_.openQuietly(device, baudRate);
}

FileHandle Win32Platform::openForReading(const std::string& name) { return files_.openForReading(name); }
FileHandle Win32Platform::openForWriting(const std::string& name) { return files_.openForWriting(name); }
FileHandle Win32Platform::openForAppending(const std::string& name) { return files_.openForAppending(name); }
bool Win32Platform::readLine(FileHandle file, std::string& line) { return files_.readLine(file, line); }
void Win32Platform::writeLine(FileHandle file, std::string_view line) { files_.writeLine(file, line); }
void Win32Platform::closeFile(FileHandle file) { files_.closeFile(file); }
bool Win32Platform::deleteFile(const std::string& name) { return files_.deleteFile(name); }
bool Win32Platform::replaceTextFile(const std::string& name, const std::vector<std::string>& lines) {
    return files_.replaceTextFile(name, lines);
}
PathKind Win32Platform::pathKind(const std::string& name) { return win32PathKind(name); }

std::string Win32Platform::workingFolder() {
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) return ".";
    std::wstring folder(needed, L'\0');
    const DWORD length = GetCurrentDirectoryW(needed, folder.data());
    if (length == 0 || length >= needed) return ".";
    folder.resize(length);
    return utf8Text(folder);
}

std::string Win32Platform::installedWordFolder() {
    const std::string folder = win32ProgramFolder();
    if (folder.empty() || win32PathKind(folder + "wave") != PathKind::Folder) return {};
    return folder + "wave\\";
}

void Win32Platform::reportProblem(std::string_view line) { errors_.line("voxpan: " + std::string(line)); }

void Win32Platform::setDisplayLostHandler(std::function<void()> handler) { displayLost_ = std::move(handler); }

std::int64_t Win32Platform::steadyMilliseconds() { return static_cast<std::int64_t>(GetTickCount64()); }

void Win32Platform::sleepMilliseconds(int ms) {
    if (ms > 0) Sleep(static_cast<DWORD>(ms));
}

std::string Win32Platform::todayText() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return twoDigits(now.wDay) + "-" + twoDigits(now.wMonth) + "-" + std::to_string(now.wYear);
}

std::string Win32Platform::timeText() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return twoDigits(now.wHour) + ":" + twoDigits(now.wMinute) + ":" + twoDigits(now.wSecond);
}

std::string Win32Platform::localTimestamp() { return win32LocalTimestamp(); }

}  // namespace voxpan
