// A fresh folder for a test of the Windows platform, the working folder
// while the test runs, removed afterwards.
#pragma once

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace voxpan::testing {

class Win32TestFolder {
public:
    Win32TestFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("voxpan-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()))),
          previous_(std::filesystem::current_path()) {
        std::filesystem::create_directory(path_);
        std::filesystem::current_path(path_);
    }
    ~Win32TestFolder() {
        std::filesystem::current_path(previous_);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_))
            SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(path_);
    }
    Win32TestFolder(const Win32TestFolder&) = delete;
    Win32TestFolder& operator=(const Win32TestFolder&) = delete;

    // The names in the folder, sorted.
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

    static std::string contents(const std::string& name) {
        std::ifstream file(name, std::ios::binary);
        if (!file) return "<none>";
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    static void write(const std::string& name, const std::string& bytes) {
        std::ofstream(name, std::ios::binary) << bytes;
    }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

}  // namespace voxpan::testing
