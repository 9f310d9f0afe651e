// The folders of src/ form layers that depend one way: each may include its
// own files and those of the layers below it, never a layer above or beside
// it. This reads the sources, so a later change cannot quietly bring a cycle
// back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Bottom to top. Folders on the same rank may not include each other.
const std::map<std::string, int> kRanks{
    {"platform", 0},  // the interface, platform.h
    {"platform/core", 1}, {"platform/speechd", 2},  // pieces of its implementations
    {"platform/sdl", 3}, {"platform/win32", 3},     // its implementations
    {"panel", 4},    {"voice", 5}, {"display", 5}, {"radio", 6}, {"controls", 7}, {"banks", 8},
    {"scan", 9},     {"keys", 10},  {"shell", 11},  {"setup", 12}, {"panbank", 12}, {"main", 13},
};
// The panel's logic reaches the world only through the platform interface.
const std::vector<std::string> kLogic{"panel", "voice", "display", "radio", "controls",
                                      "banks", "scan",  "keys",    "shell"};

// The layer a path below src/ belongs to: its folder, with the platform's
// implementations kept apart from its interface.
std::string layerOf(const std::string& relative) {
    const fs::path path(relative);
    auto part = path.begin();
    if (path.has_parent_path() == false) return "main";
    const std::string first = part->string();
    if (first == "platform") {
        ++part;
        const std::string second = part->string();
        if (second == "core" || second == "sdl" || second == "win32" || second == "speechd") return "platform/" + second;
    }
    return first;
}

bool isLogic(const std::string& layer) {
    return std::find(kLogic.begin(), kLogic.end(), layer) != kLogic.end();
}

TEST(Layers, NoFileIncludesALayerAboveOrBesideItsOwn) {
    const fs::path sources = fs::path(VOXPAN_SOURCE_DIR) / "src";
    const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
    std::vector<std::string> faults;
    int filesRead = 0;
    for (const auto& entry : fs::recursive_directory_iterator(sources)) {
        if (!entry.is_regular_file()) continue;
        const std::string relative = fs::relative(entry.path(), sources).generic_string();
        const std::string own = layerOf(relative);
        ASSERT_TRUE(kRanks.contains(own)) << relative << " is in a folder with no place among the layers";
        ++filesRead;
        std::ifstream file(entry.path());
        std::string line;
        for (int number = 1; std::getline(file, line); ++number) {
            std::smatch found;
            if (!std::regex_search(line, found, include)) continue;
            const std::string target = layerOf(found[1].str());
            const std::string where = relative + ":" + std::to_string(number) + " includes " + found[1].str();
            if (!kRanks.contains(target)) {
                faults.push_back(where + " (no such layer)");
            } else if (target != own && kRanks.at(target) >= kRanks.at(own)) {
                faults.push_back(where + " (" + target + " is not below " + own + ")");
            } else if (isLogic(own) && target.starts_with("platform/")) {
                faults.push_back(where + " (the logic sees only platform/platform.h)");
            }
        }
    }
    EXPECT_GT(filesRead, 30) << "the sources were not found at " << sources;
    EXPECT_TRUE(faults.empty()) << [&] {
        std::string all;
        for (const std::string& fault : faults) all += "\n  " + fault;
        return all;
    }();
}

}  // namespace
