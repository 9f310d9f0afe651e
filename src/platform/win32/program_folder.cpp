#include "platform/win32/program_folder.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace voxpan {

std::string win32ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::string() : utf8Text(path.substr(0, separator + 1));
}

}  // namespace voxpan
