#include "setup/linux/port_users.h"

#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace voxpan::setup {
namespace fs = std::filesystem;

namespace {

bool isPid(const std::string& name, int& pid) {
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    return error == std::errc() && end == name.data() + name.size() && pid > 0;
}

std::string commandName(const fs::path& process) {
    std::ifstream comm(process / "comm");
    std::string name;
    std::getline(comm, name);
    return name.empty() ? "an unnamed program" : name;
}

bool holds(const fs::path& process, dev_t device) {
    std::error_code error;
    for (const auto& fd : fs::directory_iterator(process / "fd", error)) {
        struct stat opened {};
        if (::stat(fd.path().c_str(), &opened) == 0 && S_ISCHR(opened.st_mode) && opened.st_rdev == device) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<PortUser> findPortUsers(const std::string& device) {
    std::vector<PortUser> users;
    struct stat wanted {};
    if (::stat(device.c_str(), &wanted) != 0 || !S_ISCHR(wanted.st_mode)) return users;
    const int self = static_cast<int>(::getpid());
    std::error_code error;
    for (const auto& process : fs::directory_iterator("/proc", error)) {
        int pid = 0;
        if (!isPid(process.path().filename().string(), pid) || pid == self) continue;
        if (holds(process.path(), wanted.st_rdev)) users.push_back({pid, commandName(process.path())});
    }
    return users;
}

std::string namePortUsers(const std::vector<PortUser>& users) {
    std::string text;
    for (const PortUser& user : users) {
        if (!text.empty()) text += " and ";
        text += user.name + " (process " + std::to_string(user.pid) + ")";
    }
    return text;
}

std::string adviceFor(const PortUser& user) {
    if (user.name.starts_with("brltty")) {
        return "brltty, the braille display driver, takes USB serial adapters that look like some braille "
               "displays. If you use no braille display: sudo apt remove brltty, then unplug the adapter and "
               "plug it in again. If you do use one, get help before changing brltty.";
    }
    if (user.name == "ModemManager") {
        return "ModemManager tries every new serial port for a modem. If you use no mobile modem, stop it: "
               "sudo systemctl disable --now ModemManager, then unplug the adapter and plug it in again.";
    }
    return {};
}

}  // namespace voxpan::setup
