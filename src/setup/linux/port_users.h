// Which programs have a device open.
#pragma once

#include <string>
#include <vector>

namespace voxpan::setup {

struct PortUser {
    int pid = 0;
    std::string name;  // the process's command name
};

// Every other process with an open descriptor on the same device as
// `device` (links followed), found through /proc/<pid>/fd. Processes of other
// users are seen only by root.
std::vector<PortUser> findPortUsers(const std::string& device);

// "brltty (process 812)"; several joined with " and ".
std::string namePortUsers(const std::vector<PortUser>& users);

// What the operator can do about the usual takers of serial adapters; empty
// for any other program.
std::string adviceFor(const PortUser& user);

}  // namespace voxpan::setup
