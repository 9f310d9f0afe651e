#include "setup/port_discovery.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <regex>
#include <system_error>
#include <tuple>

#include "setup/linux/port_words.h"

namespace voxpan::setup {
namespace fs = std::filesystem;

namespace {

struct NodeKind {
    std::string_view prefix;
    std::string_view description;
};

// In the order they are offered. ttyS ports are the computer's own; Linux
// creates many more of them than there are UARTs.
constexpr NodeKind kNodeKinds[] = {
    {"ttyUSB", "USB serial adapter"},
    {"ttyACM", "USB serial device of the modem class"},
    {"ttyS", "serial port of the computer"},
};

struct Node {
    std::size_t kind = 0;
    unsigned long number = 0;
    fs::path path;
};

bool isCharacterDevice(const fs::path& path) {
    std::error_code error;
    return fs::is_character_file(path, error);  // follows links
}

// The number after the prefix, when the rest of the name is all digits.
bool nodeNumber(std::string_view name, std::string_view prefix, unsigned long& number) {
    if (name.size() <= prefix.size() || !name.starts_with(prefix)) return false;
    const std::string_view digits = name.substr(prefix.size());
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return error == std::errc() && end == digits.data() + digits.size();
}

// The kernel's serial core reports the UART type of each ttyS port; 0
// (PORT_UNKNOWN) means no UART answered at that address.
bool hasUart(const fs::path& root, const std::string& name) {
    std::ifstream type(root / "sys/class/tty" / name / "type");
    int value = 0;
    return static_cast<bool>(type >> value) && value != 0;
}

fs::path linkTarget(const fs::path& link) {
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    if (error) return link;
    return target.is_absolute() ? target.lexically_normal() : (link.parent_path() / target).lexically_normal();
}

// Both lead to the same device node (links followed).
bool sameDevice(const fs::path& a, const fs::path& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && S_ISCHR(first.st_mode) &&
           S_ISCHR(second.st_mode) && first.st_rdev == second.st_rdev;
}

std::vector<FoundPort> byIdLinks(const fs::path& root, std::vector<fs::path>& covered) {
    std::vector<FoundPort> ports;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root / "dev/serial/by-id", error)) {
        if (!entry.is_symlink(error) || !isCharacterDevice(entry.path())) continue;
        const fs::path device = linkTarget(entry.path());
        const std::string name = entry.path().filename().string();
        ports.push_back({entry.path().string(), device.string(),
                         adapterNameFromLink(name) + ", now " + device.string()});
        covered.push_back(entry.path());
    }
    std::sort(ports.begin(), ports.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
    return ports;
}

std::vector<Node> deviceNodes(const fs::path& root) {
    std::vector<Node> nodes;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root / "dev", error)) {
        const std::string name = entry.path().filename().string();
        for (std::size_t kind = 0; kind < std::size(kNodeKinds); ++kind) {
            Node node{kind, 0, entry.path()};
            if (!nodeNumber(name, kNodeKinds[kind].prefix, node.number)) continue;
            if (!isCharacterDevice(entry.path())) break;
            if (kNodeKinds[kind].prefix == "ttyS" && !hasUart(root, name)) break;
            nodes.push_back(node);
            break;
        }
    }
    std::sort(nodes.begin(), nodes.end(),
              [](const Node& a, const Node& b) { return std::tie(a.kind, a.number) < std::tie(b.kind, b.number); });
    return nodes;
}

std::string describe(const Node& node) {
    std::string text(kNodeKinds[node.kind].description);
    // The panel's own COM numbering: COMn is ttyS<n-1>.
    if (kNodeKinds[node.kind].prefix == "ttyS") text += ", COM" + std::to_string(node.number + 1);
    return text;
}

}  // namespace

std::string adapterNameFromLink(const std::string& linkName) {
    // udev names them <bus>-<vendor_model_serial>-if<interface>[-port<n>].
    static const std::regex kLink(R"(^(?:usb|pci|platform)-(.+?)(?:-if[0-9]+)?(?:-port[0-9]+)?$)");
    std::smatch match;
    std::string name = std::regex_match(linkName, match, kLink) ? match[1].str() : linkName;
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

std::vector<FoundPort> findSerialPorts(const fs::path& root) {
    std::vector<fs::path> covered;
    std::vector<FoundPort> ports = byIdLinks(root, covered);
    for (const Node& node : deviceNodes(root)) {
        const bool named = std::any_of(covered.begin(), covered.end(),
                                       [&](const fs::path& link) { return sameDevice(link, node.path); });
        if (!named) ports.push_back({node.path.string(), node.path.string(), describe(node)});
    }
    return ports;
}

}  // namespace voxpan::setup
