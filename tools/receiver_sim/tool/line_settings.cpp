#include "line_settings.h"

namespace receiver_sim {
namespace {

std::string speedText(speed_t speed) {
    struct Named {
        speed_t code;
        const char* text;
    };
    static constexpr Named speeds[] = {
        {B0, "0"},         {B50, "50"},       {B75, "75"},         {B110, "110"},
        {B134, "134"},     {B150, "150"},     {B200, "200"},       {B300, "300"},
        {B600, "600"},     {B1200, "1200"},   {B1800, "1800"},     {B2400, "2400"},
        {B4800, "4800"},   {B9600, "9600"},   {B19200, "19200"},   {B38400, "38400"},
        {B57600, "57600"}, {B115200, "115200"}, {B230400, "230400"},
    };
    for (const Named& named : speeds) {
        if (named.code == speed) {
            return named.text;
        }
    }
    return "other";
}

const char* dataBitsText(tcflag_t cflag) {
    switch (cflag & CSIZE) {
    case CS5: return "5";
    case CS6: return "6";
    case CS7: return "7";
    default: return "8";
    }
}

}  // namespace

std::string describeLineSettings(const termios& settings) {
    const char* parity = "none";
    if (settings.c_cflag & PARENB) {
        parity = (settings.c_cflag & PARODD) ? "odd" : "even";
    }
    bool raw = !(settings.c_lflag & (ECHO | ICANON | ISIG)) && !(settings.c_oflag & OPOST) &&
               !(settings.c_iflag & (ICRNL | INLCR | IGNCR | IXON));
    return "speed=" + speedText(cfgetospeed(&settings)) + " data=" + dataBitsText(settings.c_cflag) +
           " parity=" + parity + " stop=" + ((settings.c_cflag & CSTOPB) ? "2" : "1") +
           " raw=" + (raw ? "yes" : "no");
}

}  // namespace receiver_sim
