#include "line_settings.h"

#include <gtest/gtest.h>

namespace receiver_sim {
namespace {

termios rawLine(speed_t speed) {
    termios settings{};
    cfmakeraw(&settings);
    cfsetspeed(&settings, speed);
    return settings;
}

TEST(LineSettings, DescribesTheReceiversLineFormat) {
    termios settings = rawLine(B9600);
    settings.c_cflag |= CSTOPB;
    EXPECT_EQ(describeLineSettings(settings), "speed=9600 data=8 parity=none stop=2 raw=yes");
}

TEST(LineSettings, OneStopBitAndParity) {
    termios settings = rawLine(B19200);
    settings.c_cflag |= PARENB | PARODD;
    settings.c_cflag = (settings.c_cflag & ~CSIZE) | CS7;
    EXPECT_EQ(describeLineSettings(settings), "speed=19200 data=7 parity=odd stop=1 raw=yes");
}

TEST(LineSettings, AnyTranslationFlagMakesTheLineNotRaw) {
    struct Flag {
        tcflag_t termios::*field;
        tcflag_t bit;
        const char* name;
    };
    for (Flag flag : {Flag{&termios::c_lflag, ECHO, "ECHO"}, Flag{&termios::c_lflag, ICANON, "ICANON"},
                      Flag{&termios::c_lflag, ISIG, "ISIG"}, Flag{&termios::c_oflag, OPOST, "OPOST"},
                      Flag{&termios::c_iflag, ICRNL, "ICRNL"}, Flag{&termios::c_iflag, INLCR, "INLCR"},
                      Flag{&termios::c_iflag, IGNCR, "IGNCR"}, Flag{&termios::c_iflag, IXON, "IXON"}}) {
        termios settings = rawLine(B9600);
        settings.*flag.field |= flag.bit;
        EXPECT_NE(describeLineSettings(settings).find("raw=no"), std::string::npos) << flag.name;
    }
}

TEST(LineSettings, UnusualSpeedIsOther) {
    termios settings = rawLine(B9600);
    cfsetospeed(&settings, B460800);
    EXPECT_EQ(describeLineSettings(settings).substr(0, 12), "speed=other ");
}

}  // namespace
}  // namespace receiver_sim
