// Set-up mistakes that would leave an operator who cannot see the screen
// with a silent panel: each is told in one line on stderr, and the panel
// goes on as it would without the line.
#include <gtest/gtest.h>

#include <functional>

#include "shell/startup.h"
#include "support/recording_platform.h"

namespace voxpan {
namespace {

using testing::RecordingPlatform;
using Lines = std::vector<std::string>;

std::string config(std::string port, std::string speed, std::string voice, std::string debug) {
    return "COM:" + port + "\r\nSPEED:" + speed + "\r\nRADIO:AR8600\r\n" + voice + "\r\n" + debug + "\r\n";
}
const std::string kGood = config("/dev/ttyUSB0", "9600", "VOICE:1", "DEBUG:1");

struct Case {
    const char* what;
    std::function<void(RecordingPlatform&)> arrange;
    Lines problems;
    std::function<void(const RecordingPlatform&)> check = [](const RecordingPlatform&) {};
};

bool opened(const RecordingPlatform& fake) { return !fake.journalOf("serial-open").empty(); }

TEST(Problems, EachSetUpMistakeIsToldInOneLine) {
    const std::vector<Case> cases{
        {"all well", [](RecordingPlatform& f) { f.files["VOXPAN.CFG"] = kGood; }, {}},
        {"no word folder and none installed", [](RecordingPlatform& f) {
             f.files["VOXPAN.CFG"] = kGood;
             f.folders.clear();
         },
         {"no 'wave' folder of recorded words in /home/operator/voxpan: no word will be heard"}},
        {"no word folder, installed words", [](RecordingPlatform& f) {
             f.folders.clear();
             f.installedWords = "/usr/local/share/voxpan/wave/";
         },
         {"no 'wave' folder of recorded words in /home/operator/voxpan: playing the installed words from "
          "/usr/local/share/voxpan/wave/",
          "no VOXPAN.CFG in /home/operator/voxpan: run pansetup to write one"},
         [](const RecordingPlatform& f) {
             EXPECT_EQ(f.plays, Lines{"/usr/local/share/voxpan/wave/cfnf"}) << "cfnf is heard all the same";
         }},
        {"configuration unreadable", [](RecordingPlatform& f) {
             f.files["VOXPAN.CFG"] = kGood;
             f.unreadable.insert("VOXPAN.CFG");
         },
         {"VOXPAN.CFG in /home/operator/voxpan is there but cannot be read (check its permissions)"}},
        {"switches without digits", [](RecordingPlatform& f) {
             f.files["VOXPAN.CFG"] = "COM:/dev/ttyUSB0\r\nSPEED:9600\r\nX\r\nVOICE:on\r\n";
         },
         {"VOXPAN.CFG line 4 has no digit in column 7, so speech stays on (the line holds \"VOICE:on\")",
          "VOXPAN.CFG line 5 has no digit in column 7, so the traffic log is off (the line holds \"\")"},
         [](const RecordingPlatform& f) { EXPECT_EQ(f.plays.front(), "wave/vox") << "only a 0 mutes speech"; }},
        {"a speed that is no number", [](RecordingPlatform& f) {
             f.files["VOXPAN.CFG"] = config("/dev/ttyUSB0", "fast", "VOICE:1", "DEBUG:0");
         },
         {"VOXPAN.CFG line 2: the speed \"fast\" is no line speed; no serial port is opened"},
         [](const RecordingPlatform& f) { EXPECT_FALSE(opened(f)); }},
        {"a speed with words after it", [](RecordingPlatform& f) {
             f.files["VOXPAN.CFG"] = config("/dev/ttyUSB0", "9600 baud", "VOICE:1", "DEBUG:0");
         },
         {"VOXPAN.CFG line 2: the speed \"9600 baud\" is not a number; trying 9600"},
         [](const RecordingPlatform& f) { EXPECT_EQ(f.journalOf("serial-open"), Lines{"serial-open /dev/ttyUSB0 9600"}); }},
        {"a NUL in the port", [](RecordingPlatform& f) {
             f.files["VOXPAN.CFG"] = config(std::string("/dev/tty\0USB0", 13), "9600", "VOICE:1", "DEBUG:0");
         },
         {"VOXPAN.CFG line 1: no serial port is opened for \"/dev/tty\\x00USB0\": it holds the control byte 0x00 "
          "at column 13"},
         [](const RecordingPlatform& f) { EXPECT_FALSE(opened(f)) << "never /dev/tty, the name cut at the NUL"; }},
        {"the log cannot be created", [](RecordingPlatform& f) {
             f.files["VOXPAN.CFG"] = kGood;
             f.unwritable.insert("debug1.dat");
         },
         {"cannot create the traffic log debug1.dat in /home/operator/voxpan; the panel runs without it"},
         [](const RecordingPlatform& f) { EXPECT_EQ(f.serialWritten, "VA0145000000\rMD1\rAT0\rEX\r"); }},
        {"the log's name is a folder", [](RecordingPlatform& f) {
             f.files["VOXPAN.CFG"] = kGood;
             f.folders.insert("debug1.dat");
         },
         {"debug1.dat in /home/operator/voxpan is a folder; the panel runs without the traffic log"}},
        {"a recording missing and one unplayable", [](RecordingPlatform& f) {
             f.files["VOXPAN.CFG"] = kGood;
             f.soundResults["wave/4"] = SoundResult::NoRecording;  // said twice at start-up
             f.soundResults["wave/FM"] = SoundResult::Unplayable;
         },
         {"the word \"4\" is not heard: there is no recording wave/4.wav",
          "the word \"FM\" is not heard: wave/FM.wav is no WAV recording that can be played"}},
        {"muted words are looked for where none are kept", [](RecordingPlatform& f) {
             f.files["VOXPAN.CFG"] = config("/dev/ttyUSB0", "9600", "VOICE:0", "DEBUG:0");
             for (const char* word : {"vox", "4", "point", "0", "1", "5", "FM", "attoff"})
                 f.soundResults[word] = SoundResult::NoRecording;
         },
         {}},
        {"no sound device", [](RecordingPlatform& f) {
             f.files["VOXPAN.CFG"] = kGood;
             f.soundResults["wave/vox"] = SoundResult::NoDevice;  // the platform itself says so once
         },
         {}},
    };
    for (const Case& c : cases) {
        RecordingPlatform fake;
        c.arrange(fake);
        EXPECT_EQ(runPanel(fake), 0) << c.what;
        EXPECT_EQ(fake.problems, c.problems) << c.what;
        SCOPED_TRACE(c.what);
        c.check(fake);
    }
}

TEST(Problems, ALostDisplayStillSaysGoodbyeToTheReceiver) {
    RecordingPlatform fake;
    fake.files["VOXPAN.CFG"] = kGood;
    bool handlerSet = false;
    fake.onSerialWrite = [&](std::string_view bytes) {
        // The X server goes away while the panel brings the receiver up.
        if (bytes == "AT0\r" && fake.displayLostHandler && !handlerSet) {
            handlerSet = true;
            fake.displayLostHandler();
        }
    };
    runPanel(fake);
    ASSERT_TRUE(handlerSet) << "the panel left a goodbye with the platform while it ran";
    const std::string goodbye = "VA0145000000\rMD1\rAT0\rEX\r";
    EXPECT_EQ(fake.serialWritten.substr(0, goodbye.size()), goodbye) << "EX follows at once";
    EXPECT_EQ(fake.files["debug1.dat"].find("EX"), std::string::npos) << "the log was closed first";
    EXPECT_FALSE(fake.displayLostHandler) << "after the goodbye the handler is gone";
}

}  // namespace
}  // namespace voxpan
