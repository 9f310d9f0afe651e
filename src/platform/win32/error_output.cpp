#include "platform/win32/error_output.h"

#include <windows.h>

#include "platform/win32/console_text.h"
#include "platform/win32/wide_text.h"

namespace voxpan {

namespace {

bool usable(HANDLE handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    // A GUI program started without a console may inherit a handle that
    // leads nowhere.
    SetLastError(NO_ERROR);
    return GetFileType(handle) != FILE_TYPE_UNKNOWN || GetLastError() == NO_ERROR;
}

}  // namespace

ErrorOutput::ErrorOutput(void* stderrHandle, std::string fallbackFile)
    : stderr_(stderrHandle), fallbackFile_(std::move(fallbackFile)) {}

ErrorOutput& ErrorOutput::process() {
    static ErrorOutput output(GetStdHandle(STD_ERROR_HANDLE), kErrorFileName);
    return output;
}

void ErrorOutput::line(std::string_view text) {
    std::string bytes(text);
    bytes += "\r\n";
    if (!writeToStderr(bytes)) writeToFile(bytes);
}

bool ErrorOutput::writeToStderr(const std::string& bytes) {
    if (!usable(static_cast<HANDLE>(stderr_))) return false;
    return writeText(static_cast<HANDLE>(stderr_), bytes);
}

void ErrorOutput::writeToFile(const std::string& bytes) {
    const DWORD disposition = fileStarted_ ? OPEN_ALWAYS : CREATE_ALWAYS;
    HANDLE file = CreateFileW(wideText(fallbackFile_).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    fileStarted_ = true;
    writeText(file, bytes);
    CloseHandle(file);
}

void ErrorOutput::startRun() {
    // Lines of an earlier run would pass for this run's.
    HANDLE file = CreateFileW(wideText(fallbackFile_).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    fileStarted_ = true;
}

}  // namespace voxpan
