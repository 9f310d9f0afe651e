#include "platform/win32/console_text.h"

#include <shellapi.h>

#include <iostream>
#include <streambuf>

#include "platform/win32/handle_writes.h"
#include "platform/win32/wide_text.h"

namespace voxpan {

namespace {

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

// How many bytes at the start of the text are whole UTF-8 characters: a
// character split between two writes is kept for the next.
std::size_t wholeCharacters(std::string_view utf8) {
    std::size_t end = utf8.size();
    for (std::size_t back = 1; back <= 3 && back <= utf8.size(); ++back) {
        const auto byte = static_cast<unsigned char>(utf8[utf8.size() - back]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        if (length > back) end = utf8.size() - back;
        break;
    }
    return end;
}

class ConsoleOutput final : public std::streambuf {
public:
    explicit ConsoleOutput(HANDLE console) : console_(console) {}

protected:
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        held_.append(text, static_cast<std::size_t>(count));
        const std::size_t whole = wholeCharacters(held_);
        writeText(console_, std::string_view(held_).substr(0, whole));
        held_.erase(0, whole);
        return count;
    }
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        xsputn(&byte, 1);
        return c;
    }

private:
    HANDLE console_;
    std::string held_;
};

class ConsoleInput final : public std::streambuf {
public:
    explicit ConsoleInput(HANDLE console) : console_(console) {}

protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        wchar_t typed[512];
        DWORD got = 0;
        if (!ReadConsoleW(console_, typed, 512, &got, nullptr) || got == 0) return traits_type::eof();
        // Ctrl+Z then Enter ends the input, as it does for the C runtime.
        if (typed[0] == 0x1A) return traits_type::eof();
        line_.clear();
        for (const char c : utf8Text(std::wstring_view(typed, got)))
            if (c != '\r') line_.push_back(c);
        if (line_.empty()) return underflow();
        setg(line_.data(), line_.data(), line_.data() + line_.size());
        return traits_type::to_int_type(*gptr());
    }

private:
    HANDLE console_;
    std::string line_;
};

}  // namespace

std::vector<std::string> commandLineArguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) arguments.push_back(utf8Text(wide[i]));
    if (wide != nullptr) LocalFree(wide);
    return arguments;
}

std::string environmentText(const wchar_t* name) {
    const DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
    if (needed <= 1) return {};
    std::wstring value(needed, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), needed);
    if (length == 0 || length >= needed) return {};
    value.resize(length);
    return utf8Text(value);
}

bool writeText(HANDLE handle, std::string_view utf8) {
    if (utf8.empty()) return true;
    if (isConsole(handle)) {
        const std::wstring text = wideText(utf8);
        DWORD written = 0;
        return WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0;
    }
    std::string bytes;
    for (const char c : utf8) {
        if (c == '\n' && (bytes.empty() || bytes.back() != '\r')) bytes.push_back('\r');
        bytes.push_back(c);
    }
    return writeAllTo(handle, bytes);
}

void useUnicodeConsole() {
    // Made once and never destroyed: the streams flush at the very end.
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (isConsole(input)) std::cin.rdbuf(new ConsoleInput(input));
    if (isConsole(output)) std::cout.rdbuf(new ConsoleOutput(output));
    if (isConsole(error)) std::cerr.rdbuf(new ConsoleOutput(error));
}

void writeToStartingConsole(std::string_view utf8, DWORD standardHandle) {
    if (writeText(GetStdHandle(standardHandle), utf8)) return;
    // A window program has no console of its own: the one of the command
    // prompt that started it takes the text.
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE) return;
    writeText(console, utf8);
    CloseHandle(console);
}

}  // namespace voxpan
