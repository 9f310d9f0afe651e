#include "setup/port_check.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/platform.h"
#include "setup/linux/port_words.h"
#include "setup/network_ports.h"

namespace voxpan::setup {
namespace {

constexpr int kInterruptedRetries = 100;

std::string userName(uid_t uid) {
    const passwd* entry = ::getpwuid(uid);
    return entry != nullptr ? entry->pw_name : std::to_string(uid);
}

bool loginHasGroup(gid_t group) {
    if (::getegid() == group) return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = ::getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, group) != groups.begin() + got;
}

bool groupListHas(gid_t group, const std::string& user) {
    const passwd* entry = ::getpwnam(user.c_str());
    if (entry != nullptr && entry->pw_gid == group) return true;
    const struct group* members = ::getgrgid(group);
    if (members == nullptr) return false;
    for (char** member = members->gr_mem; *member != nullptr; ++member) {
        if (user == *member) return true;
    }
    return false;
}

std::string appended(std::string text, const std::string& more) {
    if (more.empty()) return text;
    return text + "\n" + more;
}

std::string adviceForAll(const std::vector<PortUser>& users) {
    std::string advice;
    for (const PortUser& user : users) {
        const std::string more = adviceFor(user);
        if (!more.empty()) advice += (advice.empty() ? "" : "\n") + more;
    }
    return advice;
}

// The panel's own lock and exclusive mode: either means another program
// (another panel, most often) has the line.
bool heldExclusively(int fd) {
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return errno == EWOULDBLOCK;
    ::flock(fd, LOCK_UN);
    int exclusive = 0;
    return ::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

}  // namespace

AccessFacts accessFactsFor(const std::string& device) {
    AccessFacts facts;
    facts.device = device;
    facts.user = userName(::geteuid());
    struct stat node {};
    if (::stat(device.c_str(), &node) != 0) return facts;
    const struct group* owner = ::getgrgid(node.st_gid);
    facts.group = owner != nullptr ? owner->gr_name : std::to_string(node.st_gid);
    facts.groupIsRoot = node.st_gid == 0;
    facts.inGroupList = groupListHas(node.st_gid, facts.user);
    facts.inThisLogin = loginHasGroup(node.st_gid);
    return facts;
}

std::string accessDeniedText(const AccessFacts& facts) {
    const std::string start = "Permission denied: " + facts.device;
    if (facts.group.empty() || facts.groupIsRoot || facts.inThisLogin) {
        return start + " does not let your user " + facts.user +
               " read and write it. Its permissions come from the system's device rules; ask whoever looks "
               "after this computer.";
    }
    if (facts.inGroupList) {
        return start + " belongs to the group " + facts.group + ", and your user " + facts.user +
               " was added to it after this login began: log out and log in again.";
    }
    return start + " belongs to the group " + facts.group + ", and your user " + facts.user +
           " is not in it. Add yourself with this command, then log out and log in again (a new group counts "
           "only from a new login):\nsudo adduser " + facts.user + " " + facts.group;
}

std::string heldText(const std::string& device, const std::vector<PortUser>& users) {
    if (users.empty()) {
        return device + " is in use by another program, which could not be named (it may belong to another "
                        "user: pansetup run with sudo names it).";
    }
    return appended(device + " is in use by another program: " + namePortUsers(users) + ".", adviceForAll(users));
}

std::string openFailureText(const std::string& device, int error) {
    switch (error) {
    case ENOENT:
        return "There is no device " + device +
               ". Is the adapter plugged in? pansetup --list shows the ports found.";
    case ENXIO:
    case ENODEV:
    case EIO:
        return "Nothing answers behind " + device + " (" + std::strerror(error) +
               "): no adapter or serial chip is there. pansetup --list shows the ports found.";
    case ENOTTY:
        return device + " is not a serial port.";
    default:
        return device + " does not open: " + std::strerror(error) + ".";
    }
}

PortCheck checkPort(const std::string& device) {
    if (namesNetworkPort(device)) return checkNetworkPort(device);
    PortCheck check;
    int fd = -1;
    for (int attempt = 0; attempt < kInterruptedRetries; ++attempt) {
        fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0 || errno != EINTR) break;
    }
    if (fd < 0) {
        const int error = errno;
        if (error == EACCES || error == EPERM) {
            check.problem = accessDeniedText(accessFactsFor(device));
        } else if (error == EBUSY) {
            check.problem = heldText(device, findPortUsers(device));
        } else {
            check.problem = openFailureText(device, error);
        }
        return check;
    }
    termios line{};
    if (::tcgetattr(fd, &line) != 0) {
        check.problem = openFailureText(device, errno);
    } else if (heldExclusively(fd)) {
        ::close(fd);
        check.problem = heldText(device, findPortUsers(device));
        return check;
    } else {
        check.opens = true;
    }
    ::close(fd);
    if (check.opens) {
        const std::vector<PortUser> users = findPortUsers(device);
        if (!users.empty()) {
            check.note = appended("Note: " + namePortUsers(users) +
                                      " also has it open, and may take the receiver's replies.",
                                  adviceForAll(users));
        }
    }
    return check;
}

}  // namespace voxpan::setup
