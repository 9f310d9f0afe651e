#include "setup/port_check.h"

#include <gtest/gtest.h>
#include <sys/file.h>

#include "setup/linux/port_words.h"
#include "setup_fixtures.h"

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

}  // namespace
}  // namespace voxpan::setup
