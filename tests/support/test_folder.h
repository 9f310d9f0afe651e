// A fresh folder for a test with real files, on Linux and on Windows: the
// working folder while the test runs, removed afterwards.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace voxpan::testing {

class TestFolder {
public:
    TestFolder() : previous_(std::filesystem::current_path()) {
        std::random_device random;
        do path_ = std::filesystem::temp_directory_path() / ("voxpan-test-" + std::to_string(random()));
        while (!std::filesystem::create_directory(path_));
        std::filesystem::current_path(path_);
    }
    ~TestFolder() {
        std::filesystem::current_path(previous_);
        // A read-only file (its attribute, on Windows) is removed too.
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The names in the folder or in one of its folders, sorted: a scratch
    // file left behind shows here.
    std::vector<std::string> names(const std::filesystem::path& inside = {}) const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(path_ / inside))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

    static std::string contents(const std::filesystem::path& name) {
        std::ifstream file(name, std::ios::binary);
        if (!file) return "<none>";
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    static void write(const std::filesystem::path& name, const std::string& bytes) {
        std::ofstream(name, std::ios::binary) << bytes;
    }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

}  // namespace voxpan::testing
