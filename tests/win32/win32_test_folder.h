// A fresh folder for a test of the Windows platform, removed afterwards, and
// the working folder set to it while the test runs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace voxpan::testing {

class Win32TestFolder {
public:
    Win32TestFolder() {
        char temp[MAX_PATH + 1];
        GetTempPathA(sizeof temp, temp);
        path_ = std::string(temp) + "voxpan-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount64());
        CreateDirectoryA(path_.c_str(), nullptr);
        GetCurrentDirectoryA(sizeof previous_, previous_);
        SetCurrentDirectoryA(path_.c_str());
    }
    ~Win32TestFolder() {
        SetCurrentDirectoryA(previous_);
        removeAll(path_);
    }
    Win32TestFolder(const Win32TestFolder&) = delete;
    Win32TestFolder& operator=(const Win32TestFolder&) = delete;

    // The names in the folder, in the order the system lists them.
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) return found;
        do {
            const std::string name = entry.cFileName;
            if (name != "." && name != "..") found.push_back(name);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
        return found;
    }

    static std::string contents(const std::string& name) {
        std::string bytes;
        HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return "<none>";
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
        CloseHandle(file);
        return bytes;
    }

    static void write(const std::string& name, const std::string& bytes) {
        HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }

private:
    static void removeAll(const std::string& folder) {
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = entry.cFileName;
                if (name == "." || name == "..") continue;
                const std::string path = folder + "\\" + name;
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                    removeAll(path);
                else
                    DeleteFileA(path.c_str());
            } while (FindNextFileA(search, &entry));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string path_;
    char previous_[MAX_PATH + 1] = ".";
};

}  // namespace voxpan::testing
