#include "setup/port_check.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>

#include "setup_fixtures.h"

extern char** environ;

namespace voxpan::setup {
namespace {

using testing::Pty;
using testing::TempFolder;

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(AccessDenied, SaysWhatToDoForWhereTheUserStands) {
    struct Case {
        AccessFacts facts;
        std::vector<std::string> said;
        std::vector<std::string> notSaid;
    };
    const Case cases[] = {
        {{"/dev/ttyUSB0", "anna", "dialout", false, false, false},
         {"Permission denied", "/dev/ttyUSB0", "not in it", "log in again", "\nsudo adduser anna dialout"},
         {}},
        {{"/dev/ttyUSB0", "anna", "dialout", false, true, false},
         {"added to it after this login", "log out and log in again"},
         {"adduser"}},
        {{"/dev/ttyS0", "anna", "root", true, false, false}, {"does not let your user anna"}, {"adduser"}},
        {{"/dev/ttyS0", "anna", "dialout", false, true, true}, {"does not let your user anna"}, {"adduser"}},
    };
    for (const Case& c : cases) {
        const std::string text = accessDeniedText(c.facts);
        for (const std::string& part : c.said) EXPECT_TRUE(has(text, part)) << "missing '" << part << "' in: " << text;
        for (const std::string& part : c.notSaid) EXPECT_FALSE(has(text, part)) << "'" << part << "' in: " << text;
        EXPECT_FALSE(text.ends_with("\n")) << text;
    }
}

TEST(HeldPort, NamesTheHoldersAndAdvisesOnTheUsualOnes) {
    const std::string braille = heldText("/dev/ttyUSB0", {{812, "brltty"}});
    EXPECT_TRUE(has(braille, "/dev/ttyUSB0 is in use by another program: brltty (process 812).")) << braille;
    EXPECT_TRUE(has(braille, "braille display")) << braille;

    const std::string both = heldText("/dev/ttyUSB0", {{90, "ModemManager"}, {91, "minicom"}});
    EXPECT_TRUE(has(both, "ModemManager (process 90) and minicom (process 91)")) << both;
    EXPECT_TRUE(has(both, "sudo systemctl disable --now ModemManager")) << both;

    EXPECT_TRUE(has(heldText("/dev/ttyUSB0", {}), "could not be named"));
    EXPECT_EQ(adviceFor({5, "minicom"}), "");
}

TEST(OpenCheck, SaysWhyAPortDoesNotOpen) {
    TempFolder folder;
    const std::pair<std::string, std::string> cases[] = {
        {(folder.path() / "ttyUSB9").string(), "There is no device"},
        {"/dev/null", "is not a serial port"},
        {folder.path().string(), "does not open: Is a directory"},
    };
    for (const auto& [device, reason] : cases) {
        const PortCheck check = checkPort(device);
        EXPECT_FALSE(check.opens) << device;
        EXPECT_TRUE(has(check.problem, reason)) << check.problem;
    }
}

TEST(OpenCheck, APortOpensAndIsLeftClosedAndUnlocked) {
    Pty port;
    const PortCheck check = checkPort(port.device());
    EXPECT_TRUE(check.opens) << check.problem;
    EXPECT_EQ(check.note, "") << "nothing else has the port open";
    EXPECT_TRUE(checkPort(port.device()).opens) << "the check took no lock that outlived it";
}

TEST(OpenCheck, APortLockedAsThePanelLocksItIsHeld) {
    Pty port;
    const int panel = ::open(port.device().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(panel, 0);
    ASSERT_EQ(::flock(panel, LOCK_EX | LOCK_NB), 0);
    const PortCheck check = checkPort(port.device());
    EXPECT_FALSE(check.opens);
    EXPECT_TRUE(has(check.problem, port.device() + " is in use by another program")) << check.problem;
    ::close(panel);
}

TEST(PortUsers, AreFoundByTheirOpenDescriptors) {
    Pty port;
    // A child that holds the port open on descriptor 3 and waits.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 3, port.device().c_str(), O_RDWR | O_NOCTTY, 0);
    pid_t child = 0;
    char sleep[] = "sleep";
    char seconds[] = "30";
    char* arguments[] = {sleep, seconds, nullptr};
    ASSERT_EQ(posix_spawnp(&child, "sleep", &actions, nullptr, arguments, environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    std::vector<PortUser> users;
    // Until the child has become "sleep" (before that it is a copy of this process).
    auto settled = [&] { return users.size() == 1 && users[0].name == "sleep"; };
    for (int attempt = 0; attempt < 200 && !settled(); ++attempt) {
        users = findPortUsers(port.device());
        if (!settled()) ::usleep(10'000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ASSERT_EQ(users.size(), 1u) << "only the child holds it; this process is never counted";
    EXPECT_EQ(users[0].pid, child);
    EXPECT_EQ(users[0].name, "sleep");
    EXPECT_TRUE(findPortUsers("/nonexistent/ttyUSB0").empty());
}

}  // namespace
}  // namespace voxpan::setup
