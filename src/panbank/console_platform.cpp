#include "panbank/console_platform.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <thread>

#ifdef _WIN32
#include "platform/win32/win32_local_time.h"
#include "platform/win32/win32_text_files.h"
#else
#include "platform/core/file_replacement.h"
#include "platform/core/local_clock.h"
#include "platform/core/working_folder.h"
#endif

namespace voxpan::panbank {

namespace {

std::string clockText(const char* format) {
    const std::time_t now = std::time(nullptr);
    // One thread: the shared result of localtime is safe here.
    const std::tm* local = std::localtime(&now);
    char text[32];
    return local != nullptr && std::strftime(text, sizeof text, format, local) > 0 ? std::string(text) : std::string();
}

}  // namespace

bool ConsolePlatform::replaceTextFile(const std::string& name, const std::vector<std::string>& lines) {
#ifdef _WIN32
    if (files_.replaceTextFile(name, lines)) return true;
    reportProblem(name + " could not be replaced (it is read-only, in use or a folder, or the disk is full); "
                         "it is as it was");
    return false;
#else
    std::string content;
    for (const std::string& line : lines) content += line + "\r\n";
    const Replacement replaced = replaceFile(name, content);
    if (!replaced.done()) reportProblem(replaced.problem);
    return replaced.done();
#endif
}

PathKind ConsolePlatform::pathKind(const std::string& name) {
#ifdef _WIN32
    return win32PathKind(name);
#else
    return pathKindOf(name);
#endif
}

std::string ConsolePlatform::workingFolder() {
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    return error ? std::string(".") : here.string();
}

void ConsolePlatform::reportProblem(std::string_view line) { std::cerr << "panbank: " << line << std::endl; }

std::int64_t ConsolePlatform::steadyMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void ConsolePlatform::sleepMilliseconds(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::string ConsolePlatform::todayText() { return clockText("%d-%m-%Y"); }

std::string ConsolePlatform::timeText() { return clockText("%H:%M:%S"); }

std::string ConsolePlatform::localTimestamp() {
#ifdef _WIN32
    return win32LocalTimestamp();
#else
    return localTimestampText();
#endif
}

}  // namespace voxpan::panbank
