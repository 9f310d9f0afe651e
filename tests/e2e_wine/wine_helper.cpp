// Another Windows program for the tests under wine; it prints a line when
// it has done its part.
//   end-session TITLE yes|no: the session ends (or another program cancels
//     the log-off), told to the window of that title
//   hold FILE read|read-write UNTIL: FILE held open letting others only read
//     (a spreadsheet) or also write (a reader), until the file UNTIL appears
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

int endSession(const wchar_t* title, bool ending) {
    HWND window = FindWindowW(nullptr, title);
    if (window == nullptr) return std::printf("no window\n"), 1;
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &answer);
    std::printf("may end: %d\n", static_cast<int>(answer));
    std::fflush(stdout);
    // The panel may end inside this message, as Windows allows.
    SendMessageTimeoutW(window, WM_ENDSESSION, ending, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &answer);
    return std::printf("sent\n"), 0;
}

int hold(const wchar_t* file, bool othersWrite, const wchar_t* until) {
    const DWORD sharing = FILE_SHARE_READ | (othersWrite ? FILE_SHARE_WRITE : 0);
    HANDLE held = CreateFileW(file, GENERIC_READ, sharing, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) return std::printf("cannot hold: %lu\n", GetLastError()), 1;
    std::printf("held\n");
    std::fflush(stdout);
    while (GetFileAttributesW(until) == INVALID_FILE_ATTRIBUTES) Sleep(50);
    CloseHandle(held);
    return std::printf("let go\n"), 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wcscmp(argv[1], L"end-session") == 0)
        return endSession(argv[2], std::wcscmp(argv[3], L"yes") == 0);
    if (argc == 5 && std::wcscmp(argv[1], L"hold") == 0)
        return hold(argv[2], std::wcscmp(argv[3], L"read-write") == 0, argv[4]);
    return std::printf("usage: wine_helper end-session TITLE yes|no | hold FILE read|read-write UNTIL\n"), 2;
}
