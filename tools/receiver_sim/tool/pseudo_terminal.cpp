#include "pseudo_terminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace receiver_sim {
namespace {

std::string failed(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

PseudoTerminal::~PseudoTerminal() {
    if (slave_ >= 0) {
        ::close(slave_);
    }
    if (master_ >= 0) {
        ::close(master_);
    }
}

bool PseudoTerminal::open(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) {
        error = failed("posix_openpt");
        return false;
    }
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = failed("grantpt/unlockpt");
        return false;
    }
    char path[256];
    if (::ptsname_r(master_, path, sizeof path) != 0) {
        error = failed("ptsname_r");
        return false;
    }
    slavePath_ = path;
    int flags = ::fcntl(master_, F_GETFL);
    if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) {
        error = failed("fcntl");
        return false;
    }
    slave_ = ::open(path, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        error = failed("open slave");
        return false;
    }
    termios settings{};
    if (::tcgetattr(slave_, &settings) != 0) {
        error = failed("tcgetattr");
        return false;
    }
    ::cfmakeraw(&settings);
    if (::tcsetattr(slave_, TCSANOW, &settings) != 0) {
        error = failed("tcsetattr");
        return false;
    }
    return true;
}

bool PseudoTerminal::lineSettings(termios& settings) const {
    return slave_ >= 0 && ::tcgetattr(slave_, &settings) == 0;
}

bool makeDeviceLink(const std::string& linkPath, const std::string& target, std::string& error) {
    struct stat existing {};
    if (::lstat(linkPath.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            error = linkPath + " exists and is not a symbolic link";
            return false;
        }
        ::unlink(linkPath.c_str());
    }
    if (::symlink(target.c_str(), linkPath.c_str()) != 0) {
        error = failed(("symlink " + linkPath).c_str());
        return false;
    }
    return true;
}

}  // namespace receiver_sim
