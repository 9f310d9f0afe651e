// What another Windows program does to the panel, for the tests under wine:
//   wine_helper end-session TITLE yes|no  -- Windows ending the session (or a
//                                           program cancelling it), sent to the
//                                           window of that title
//   wine_helper hold FILE read|read-write UNTIL
//                                         -- FILE held open as a spreadsheet
//                                           (others may only read) or a reader
//                                           (others may write) holds it, until
//                                           the file UNTIL appears
// Prints one line when it has done its part.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

int endSession(const wchar_t* title, bool ending) {
    HWND window = FindWindowW(nullptr, title);
    if (window == nullptr) {
        std::printf("no window\n");
        return 1;
    }
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &answer);
    std::printf("may end: %d\n", static_cast<int>(answer));
    std::fflush(stdout);
    // The panel may end inside this message, as Windows allows.
    SendMessageTimeoutW(window, WM_ENDSESSION, ending ? TRUE : FALSE, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &answer);
    std::printf("sent\n");
    return 0;
}

int hold(const wchar_t* file, bool othersWrite, const wchar_t* until) {
    const DWORD sharing = FILE_SHARE_READ | (othersWrite ? FILE_SHARE_WRITE : 0);
    HANDLE held = CreateFileW(file, GENERIC_READ, sharing, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) {
        std::printf("cannot hold: %lu\n", GetLastError());
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    while (GetFileAttributesW(until) == INVALID_FILE_ATTRIBUTES) Sleep(50);
    CloseHandle(held);
    std::printf("let go\n");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wcscmp(argv[1], L"end-session") == 0)
        return endSession(argv[2], std::wcscmp(argv[3], L"yes") == 0);
    if (argc == 5 && std::wcscmp(argv[1], L"hold") == 0)
        return hold(argv[2], std::wcscmp(argv[3], L"read-write") == 0, argv[4]);
    std::printf("usage: wine_helper end-session TITLE yes|no | hold FILE read|read-write UNTIL\n");
    return 2;
}
