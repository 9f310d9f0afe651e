#include "shell/startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "panel/version.h"
#include "support/recording_platform.h"

namespace voxpan {
namespace {

using testing::RecordingPlatform;

std::string config(std::string voice = "1", std::string debug = "1", std::string port = "/dev/ttyUSB0") {
    return "COM:" + port + "\r\nSPEED:9600\r\nRADIO:AR8600\r\nVOICE:" + voice + "\r\nDEBUG:" + debug + "\r\n";
}

// Index of the first journal line equal to the text, or -1.
long position(const RecordingPlatform& fake, std::string_view line) {
    auto found = std::find(fake.journal.begin(), fake.journal.end(), line);
    return found == fake.journal.end() ? -1 : found - fake.journal.begin();
}

TEST(StartUp, OpensTheWindowGreetsConnectsAndStartsTheTimerInOrder) {
    RecordingPlatform fake;
    fake.files["VOXPAN.CFG"] = config();
    EXPECT_EQ(runPanel(fake), 0);

    EXPECT_EQ(fake.journal.front(), std::string("window 250 100 950 500 *** AR8600 Voxpan Front Panel v") + kVersionText + "***");
    const long banner = position(fake, "text *** Voxpan V " + std::string(kVersionText) + " ***");
    const long greeting = position(fake, "play wave/vox");
    const long connect = position(fake, "serial-open /dev/ttyUSB0 9600");
    const long timer = position(fake, "timer-start 1 100");
    const long loop = position(fake, "wait");
    ASSERT_GE(banner, 0);
    EXPECT_LT(banner, greeting) << "the banner is drawn before the greeting is heard";
    EXPECT_LT(greeting, connect) << "the receiver is connected after the greeting";
    EXPECT_LT(connect, timer) << "the poll timer starts after the connection";
    EXPECT_LT(timer, loop);

    ASSERT_FALSE(fake.texts.empty());
    const auto& bannerText = *std::find_if(fake.texts.begin(), fake.texts.end(),
                                           [](const auto& t) { return t.text == "*** Voxpan V " + std::string(kVersionText) + " ***"; });
    EXPECT_EQ(bannerText.x, 270);
    EXPECT_EQ(bannerText.y, 0);
    EXPECT_EQ(bannerText.face, std::string(kDefaultFace)) << "the banner is drawn in the window's default font";

    const std::vector<std::string> greetingWords(fake.plays.begin(), fake.plays.begin() + 4);
    EXPECT_EQ(greetingWords, (std::vector<std::string>{"wave/vox", "wave/4", "wave/point", "wave/0"}));
}

TEST(StartUp, CloseRequestRunsTheShutdownInItsOrder) {
    RecordingPlatform fake;
    fake.files["VOXPAN.CFG"] = config();
    fake.eventBatches.push_back({{EventKind::Timer, 1}});
    fake.eventBatches.push_back({{EventKind::Close, 0}});
    EXPECT_EQ(runPanel(fake), 0);

    const long stop = position(fake, "timer-stop 1");
    const long logClosed = position(fake, "file-close 2");
    const long exSent = position(fake, "serial-write EX\\r");
    const long portClosed = fake.journal.rend() - std::find(fake.journal.rbegin(), fake.journal.rend(), "serial-close") - 1;
    const long windowClosed = position(fake, "window-close");
    ASSERT_GE(stop, 0);
    EXPECT_LT(stop, logClosed);
    EXPECT_LT(logClosed, exSent) << "the log is closed before EX goes out, so EX is never logged";
    EXPECT_LT(exSent, portClosed);
    EXPECT_LT(portClosed, windowClosed);
    EXPECT_EQ(fake.journal.back(), "window-close");
    EXPECT_EQ(fake.openFileCount(), 0) << "the configuration and the log are closed";
    EXPECT_FALSE(fake.portOpen());
}

TEST(StartUp, EveryEventOfABatchIsDeliveredBeforeTheLoopEnds) {
    RecordingPlatform fake;
    fake.files["VOXPAN.CFG"] = config();
    fake.eventBatches.push_back({{EventKind::KeyDown, 70}, {EventKind::KeyUp, 70}});
    fake.eventBatches.push_back({{EventKind::Close, 0}, {EventKind::KeyDown, 77}});
    EXPECT_EQ(runPanel(fake), 0);
    EXPECT_EQ(fake.journalOf("wait").size(), 2u) << "the loop waits again until a close request ends it";
}

TEST(StartUp, WritesTheLogHeaderAndTheStartUpCommands) {
    RecordingPlatform fake;
    fake.files["VOXPAN.CFG"] = config();
    runPanel(fake);
    EXPECT_EQ(fake.files["debug1.dat"],
              "VOXPAN " + std::string(kVersionText) + "  06-12-2026   04:30:21\r\nTX= VA0145000000\r\nTX= MD1\r\nTX= AT0\r\n");
}

TEST(StartUp, AnExistingLogIsReplaced) {
    RecordingPlatform fake;
    fake.files["VOXPAN.CFG"] = config();
    fake.files["debug1.dat"] = "old contents\r\n";
    runPanel(fake);
    EXPECT_EQ(fake.files["debug1.dat"].rfind("VOXPAN " + std::string(kVersionText), 0), 0u);
}

TEST(StartUp, WithoutAConfigurationReportsItAndEndsByItself) {
    RecordingPlatform fake;
    EXPECT_EQ(runPanel(fake), 0);
    EXPECT_EQ(fake.textsDrawn(),
              (std::vector<std::string>{"--- VOXPAN.CFG file not found ---", "please run the 'PANSETUP' program"}));
    EXPECT_EQ(fake.texts[0].x, 0);
    EXPECT_EQ(fake.texts[0].y, 30);
    EXPECT_EQ(fake.texts[1].x, 0);
    EXPECT_EQ(fake.texts[1].y, 60);
    EXPECT_EQ(fake.plays, std::vector<std::string>{"wave/cfnf"});
    EXPECT_TRUE(fake.journalOf("wait").empty()) << "no event loop: nothing waits for a key";
    EXPECT_TRUE(fake.journalOf("serial-open").empty());
    EXPECT_TRUE(fake.journalOf("timer-start").empty());
    EXPECT_FALSE(fake.files.contains("debug1.dat"));
    EXPECT_EQ(fake.journal.back(), "window-close");
    EXPECT_EQ(fake.serialWritten, "") << "EX goes to a port that was never opened";
}

TEST(StartUp, NoWindowAtAllIsAFailureNotASuccess) {
    RecordingPlatform fake;
    fake.windowOpens = false;
    fake.files["VOXPAN.CFG"] = config();
    EXPECT_NE(runPanel(fake), 0);
    EXPECT_TRUE(fake.plays.empty());
    EXPECT_TRUE(fake.journalOf("serial-open").empty());
}

TEST(Configuration, VoiceZeroMutesSpeechForTheWholeRun) {
    RecordingPlatform fake;
    fake.files["VOXPAN.CFG"] = config("0");
    runPanel(fake);
    ASSERT_FALSE(fake.plays.empty());
    for (const std::string& path : fake.plays) EXPECT_EQ(path.find("wave/"), std::string::npos) << path;
    EXPECT_EQ(fake.plays.front(), "vox") << "a muted word is looked for by its bare name, where no recording is";
}

TEST(Configuration, OnlyColumnSevenOfTheSwitchLinesCounts) {
    RecordingPlatform fake;
    fake.files["VOXPAN.CFG"] = "COM:3\r\nSPEED:9600\r\nX\r\n0000002\r\nxxxxxx2\r\n";
    runPanel(fake);
    EXPECT_EQ(fake.plays.front(), "wave/vox") << "voice 2 keeps speech on";
    EXPECT_FALSE(fake.files.contains("debug1.dat")) << "debug 2 leaves the log closed";
    EXPECT_EQ(fake.journalOf("serial-open").front(), "serial-open /dev/ttyS2 9600");
}

TEST(Configuration, OnlyAZeroInColumnSevenOfLineFourMutesSpeech) {
    using Case = std::pair<std::string, bool>;  // line 4 from column 7 on, muted
    for (const auto& [voice, muted] : {Case{"0", true}, Case{"05", true}, Case{"9", false}, Case{"", false},
                                       Case{" 0", false}}) {
        RecordingPlatform fake;
        fake.files["VOXPAN.CFG"] = config(voice);
        runPanel(fake);
        EXPECT_EQ(fake.plays.front(), muted ? "vox" : "wave/vox") << "VOICE:" << voice;
        const std::string told = "VOXPAN.CFG line 4 has no digit in column 7, so speech stays on (the line holds "
                                 "\"VOICE:" + voice + "\")";
        EXPECT_EQ(std::count(fake.problems.begin(), fake.problems.end(), told), voice == "" || voice == " 0" ? 1 : 0)
            << "VOICE:" << voice;
    }
}

TEST(Configuration, AnSInLineFourAsksForTheSystemVoiceBeforeTheGreetingAndABlankThenThePace) {
    using Lines = std::vector<std::string>;
    using Case = std::tuple<std::string, Lines, bool>;  // line 4 from column 7, voice asked for, told
    for (const auto& [voice, asked, told] :
         {Case{"1", {}, false}, Case{"S", {"system-voice 0"}, false}, Case{"s fast", {"system-voice 1"}, false},
          Case{"S FASTEST", {"system-voice 2"}, false}, Case{"S quick", {"system-voice 0"}, true},
          Case{"Sfast", {"system-voice 0"}, false}, Case{"1 fastest", {}, false}, Case{"0 fast", {}, false}}) {
        SCOPED_TRACE("VOICE:" + voice);
        RecordingPlatform fake;
        fake.files["VOXPAN.CFG"] = config(voice);
        runPanel(fake);
        EXPECT_EQ(fake.journalOf("system-voice"), asked);
        if (!asked.empty()) {
            EXPECT_LT(position(fake, asked.front()), position(fake, "play wave/vox"));
        }
        EXPECT_EQ(fake.problems.size(), told ? 1u : 0u);
    }
}

TEST(Configuration, OnlyAZeroInColumnSixOfLineSixSwitchesTheHitLogOff) {
    using Case = std::tuple<std::string, int, bool>;  // line 6, hit log on, told on stderr
    for (const auto& [line, on, told] : {Case{"", 1, false}, Case{"HITS:1\r\n", 1, false}, Case{"HITS:0\r\n", 0, false},
                                         Case{"HITS:x\r\n", 1, true}, Case{"HITS0\r\n", 1, true}}) {
        RecordingPlatform fake;
        Panel panel(fake);
        fake.files["VOXPAN.CFG"] = config() + line;
        ASSERT_TRUE(readConfiguration(panel));
        EXPECT_EQ(panel.hitsEnabled, on) << line;
        EXPECT_EQ(fake.problems.size(), told ? 1u : 0u) << line;
    }
}

TEST(Configuration, ALoneZeroDebugSwitchDoesNotMuteSpeech) {
    RecordingPlatform fake;
    fake.files["VOXPAN.CFG"] = config("1", "0");
    runPanel(fake);
    EXPECT_EQ(fake.plays.front(), "wave/vox");
}

TEST(Configuration, AShortFileKeepsSpeechAndLeavesTheLogClosed) {
    RecordingPlatform fake;
    fake.files["VOXPAN.CFG"] = "COM:1\r\nSPEED:4800\r\nRADIO";
    runPanel(fake);
    EXPECT_EQ(fake.plays.front(), "wave/vox") << "no voice switch at all keeps the words on";
    EXPECT_FALSE(fake.files.contains("debug1.dat"));
    EXPECT_EQ(fake.journalOf("serial-open").front(), "serial-open /dev/ttyS0 4800");
}

TEST(Configuration, EmptyFileOpensNoPort) {
    RecordingPlatform fake;
    fake.files["VOXPAN.CFG"] = "";
    EXPECT_EQ(runPanel(fake), 0);
    EXPECT_TRUE(fake.journalOf("serial-open").empty()) << "no line runs at no speed";
    EXPECT_EQ(fake.serialWritten, "");
    EXPECT_EQ(fake.problems.size(), 3u) << "the speed and the two switches are told";
}

TEST(Configuration, OnlyTheLastCharacterOfAPortNumberCounts) {
    RecordingPlatform fake;
    fake.files["VOXPAN.CFG"] = config("1", "1", "12");
    runPanel(fake);
    EXPECT_EQ(fake.journalOf("serial-open").front(), "serial-open /dev/ttyS1 9600") << "port 12 opens COM2";
}

TEST(Configuration, LineEndingsMayBeCrOnlyOrLfOnly) {
    for (const std::string ending : {"\r", "\n", "\r\n"}) {
        RecordingPlatform fake;
        fake.files["VOXPAN.CFG"] = "COM:/dev/ttyACM0" + ending + "SPEED:19200" + ending + "RADIO" + ending +
                                   "VOICE:1" + ending + "DEBUG:1";
        runPanel(fake);
        EXPECT_EQ(fake.journalOf("serial-open").front(), "serial-open /dev/ttyACM0 19200")
            << "ending " << testing::visibleBytes(ending);
        EXPECT_TRUE(fake.files.contains("debug1.dat")) << "the fifth line is read without a final line end";
        EXPECT_EQ(fake.plays.front(), "wave/vox");
    }
}

TEST(Configuration, LinesLongerThanATextKeepTheirFirst254Characters) {
    RecordingPlatform fake;
    const std::string longPort = "/dev/" + std::string(400, 'p');
    fake.files["VOXPAN.CFG"] = "COM:" + longPort + "\r\nSPEED:9600\r\nR\r\nVOICE:1\r\nDEBUG:1\r\n";
    runPanel(fake);
    const std::string expected = "serial-open " + longPort.substr(0, 250) + " 9600";
    EXPECT_EQ(fake.journalOf("serial-open").front(), expected);
    EXPECT_TRUE(fake.files.contains("debug1.dat")) << "the following lines are still read as lines";
}

TEST(Configuration, BinaryBytesAreReadWithoutHarm) {
    RecordingPlatform fake;
    fake.files["VOXPAN.CFG"] = std::string("\x00\xff\x01\x02\x7f", 5) + "\r\n" + std::string("\xfe\xfe\xfe\xfe\xfe\xfe\x00", 7) +
                               "\r\n\x80\r\n" + std::string("\x00\x00\x00\x00\x00\x00\x00", 7) + "\r\n" +
                               std::string(300, '\xff');
    EXPECT_EQ(runPanel(fake), 0);
    EXPECT_EQ(fake.plays.front(), "wave/vox") << "a non-digit voice switch keeps speech on";
    EXPECT_FALSE(fake.files.contains("debug1.dat"));
    EXPECT_TRUE(fake.journalOf("serial-open").empty()) << "a port of control bytes opens nothing";
    EXPECT_EQ(fake.problems.size(), 4u) << "the port, the speed and the two switches are told";
}

}  // namespace
}  // namespace voxpan
