#include "platform/win32/win32_serial_port.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/error_output.h"
#include "platform/win32/serial_line_settings.h"
#include "platform/win32/wide_text.h"

namespace voxpan {

namespace {

constexpr int kLargestRead = 65536;
// The panel's only thread draws, speaks and polls: a write to a line that
// has stopped taking bytes gives up rather than hold it.
constexpr DWORD kWriteGiveUpMs = 100;
// A stall is told once; it is over when this many writes in a row have gone
// out whole, so a line that stalls now and then is not told at every stall.
constexpr int kWholeWritesEndingAStall = 10;
// A byte on the line: start bit, 8 data bits, parity and 2 stop bits at most.
constexpr DWORD kBitsPerByte = 12;

HANDLE asHandle(void* handle) { return static_cast<HANDLE>(handle); }

std::string openErrorText(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return "in use by another program (" + win32ErrorText(error) + ")";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return "no such port (" + win32ErrorText(error) + ")";
    default:
        return win32ErrorText(error);
    }
}

}  // namespace

std::string win32ErrorText(unsigned long error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    // In the user's language, which need not fit the system's code page.
    std::string result = length > 0 && text != nullptr ? utf8Text(std::wstring_view(text, length)) : std::string();
    if (text != nullptr) LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ' ||
                               result.back() == '.'))
        result.pop_back();
    if (result.empty()) result = "system error " + std::to_string(error);
    return result;
}

Win32SerialPort::Win32SerialPort(ErrorOutput& errors) : errors_(errors), handle_(INVALID_HANDLE_VALUE) {}

Win32SerialPort::~Win32SerialPort() { close(); }

bool Win32SerialPort::isOpen() const { return asHandle(handle_) != INVALID_HANDLE_VALUE; }

bool Win32SerialPort::openQuietly(const std::string& device, int baudRate) {
    quiet_ = true;
    const bool opened = open(device, baudRate);
    quiet_ = false;
    return opened;
}

bool Win32SerialPort::open(const std::string& device, int baudRate) {
    close();
    stallTold_ = false;
    wholeWritesSinceStall_ = 0;
    if (device.empty()) {
        if (!quiet_) errors_.line("voxpan: no serial port configured");
        return false;
    }
    device_ = device;
    if (baudRate <= 0) return failOpen("unsupported speed " + std::to_string(baudRate));

    // No sharing: a second panel, or any other program, is refused.
    HANDLE port = CreateFileW(wideText(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (port == INVALID_HANDLE_VALUE) return failOpen(openErrorText(GetLastError()));
    handle_ = port;

    DCB state{};
    state.DCBlength = sizeof state;
    if (!GetCommState(port, &state)) return failOpen("cannot read the line settings: " + win32ErrorText(GetLastError()));
    state = panelLineSettings(baudRate, 8, 0, 1);
    if (!SetCommState(port, &state)) {
        const DWORD error = GetLastError();
        return failOpen(error == ERROR_INVALID_PARAMETER ? "unsupported speed " + std::to_string(baudRate)
                                                         : "cannot set the line settings: " + win32ErrorText(error));
    }
    baudRate_ = baudRate;

    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.WriteTotalTimeoutMultiplier = (kBitsPerByte * 1000 + static_cast<DWORD>(baudRate) - 1) / static_cast<DWORD>(baudRate);
    timeouts.WriteTotalTimeoutConstant = kWriteGiveUpMs;
    if (!SetCommTimeouts(port, &timeouts)) return failOpen("cannot set the time-outs: " + win32ErrorText(GetLastError()));
    // Bytes left in the driver from before the panel started (a reply to an
    // earlier session) would otherwise pass for the receiver's first answer.
    PurgeComm(port, PURGE_RXCLEAR);
    return true;
}

bool Win32SerialPort::failOpen(const std::string& reason) {
    if (isOpen()) CloseHandle(asHandle(handle_));
    handle_ = INVALID_HANDLE_VALUE;
    if (!quiet_) errors_.line("voxpan: cannot open serial port " + device_ + ": " + reason);
    device_.clear();
    return false;
}

void Win32SerialPort::setNonBlocking() {
    if (!isOpen()) return;
    COMMTIMEOUTS timeouts{};
    if (!GetCommTimeouts(asHandle(handle_), &timeouts)) return;
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    SetCommTimeouts(asHandle(handle_), &timeouts);
}

void Win32SerialPort::setLineFormat(int dataBits, int parity, int stopBits) {
    if (!isOpen()) return;
    DCB state = panelLineSettings(baudRate_, dataBits, parity, stopBits);
    SetCommState(asHandle(handle_), &state);
}

int Win32SerialPort::bytesWaiting() {
    if (!isOpen()) return 0;
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(asHandle(handle_), &errors, &status)) {
        dropLostPort(GetLastError());
        return 0;
    }
    return static_cast<int>(std::min<DWORD>(status.cbInQue, kLargestRead));
}

std::string Win32SerialPort::read(int maxBytes) {
    if (!isOpen() || maxBytes <= 0) return {};
    std::string bytes(static_cast<std::size_t>(std::min(maxBytes, kLargestRead)), '\0');
    DWORD got = 0;
    if (!ReadFile(asHandle(handle_), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) {
        stillThere(GetLastError());
        return {};
    }
    bytes.resize(std::min<std::size_t>(got, bytes.size()));
    return bytes;
}

int Win32SerialPort::write(std::string_view bytes) {
    if (!isOpen() || bytes.empty()) return 0;
    DWORD written = 0;
    if (!WriteFile(asHandle(handle_), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
        const DWORD error = GetLastError();
        if (stillThere(error)) dropUnsentOutput(win32ErrorText(error));
        return 0;
    }
    // Fewer bytes than asked: the time-out ran out on a line that takes none.
    if (written < bytes.size()) {
        dropUnsentOutput("the receiver holding XOFF, or the driver's queue full");
        return 0;
    }
    if (stallTold_ && ++wholeWritesSinceStall_ >= kWholeWritesEndingAStall) stallTold_ = false;
    return static_cast<int>(written);
}

void Win32SerialPort::dropUnsentOutput(const std::string& reason) {
    // The receiver joins a command cut short to the next one (half an "MX",
    // then "LM"): what the line has not taken goes.
    PurgeComm(asHandle(handle_), PURGE_TXCLEAR);
    wholeWritesSinceStall_ = 0;
    if (stallTold_) return;
    stallTold_ = true;
    errors_.line("voxpan: serial port " + device_ + " stopped taking bytes (" + reason +
                 "): a command not sent within 100 ms is dropped whole; told once per stall");
}

void Win32SerialPort::close() {
    lost_ = false;
    if (!isOpen()) return;
    CloseHandle(asHandle(handle_));
    handle_ = INVALID_HANDLE_VALUE;
    device_.clear();
}

bool Win32SerialPort::stillThere(unsigned long error) {
    // A line error (framing, overrun, a break) fails the call until it is
    // cleared; a port that has gone fails the clearing too.
    DWORD lineErrors = 0;
    COMSTAT status{};
    if (error != ERROR_INVALID_HANDLE && ClearCommError(asHandle(handle_), &lineErrors, &status)) return true;
    dropLostPort(error);
    return false;
}

void Win32SerialPort::dropLostPort(unsigned long error) {
    errors_.line("voxpan: serial port " + device_ + " was lost: " + win32ErrorText(error));
    CloseHandle(asHandle(handle_));
    handle_ = INVALID_HANDLE_VALUE;
    device_.clear();
    lost_ = true;
}

}  // namespace voxpan
