#include "setup/config_file.h"

#include <gtest/gtest.h>

#include "radio/port_selection.h"
#include "setup_fixtures.h"
#include "shell/startup.h"
#include "support/recording_platform.h"

namespace voxpan::setup {
namespace {

namespace fs = std::filesystem;
using testing::fileBytes;
using testing::TempFolder;
using testing::writeBytes;

const std::string kById = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10KXYZ1-if00-port0";

TEST(ConfigurationLayout, SixLabelledLinesWithCrLf) {
    EXPECT_EQ(formatConfiguration({"/dev/ttyUSB0", 9600, true, false}),
              "COM:/dev/ttyUSB0\r\nSPEED:9600\r\nTYPE:AR8600\r\nVOICE:1\r\nDEBUG:0\r\nHITS:1\r\n");
    EXPECT_EQ(formatConfiguration({kById, 19200, false, true, false}),
              "COM:" + kById + "\r\nSPEED:19200\r\nTYPE:AR8600\r\nVOICE:0\r\nDEBUG:1\r\nHITS:0\r\n");
}

// What the panel makes of the file, read by its own reader.
struct PanelReading {
    std::string device;
    std::string speed;
    std::int32_t voice = -1;
    std::int32_t log = -1;
    std::string speechFolder;
    std::int32_t hits = -1;
};

PanelReading readByThePanel(const std::string& bytes) {
    voxpan::testing::RecordingPlatform fake;
    fake.files[kConfigurationName] = bytes;
    Panel panel(fake);
    panel.speechFolder = "wave/";
    EXPECT_TRUE(readConfiguration(panel));
    return {serialDeviceFor(panel.portText), std::string(panel.baudText), panel.voiceEnabled, panel.debugEnabled,
            std::string(panel.speechFolder), panel.hitsEnabled};
}

TEST(ConfigurationLayout, ThePanelReadsBackEveryValueWritten) {
    const Settings cases[] = {
        {"/dev/ttyUSB0", 9600, true, false},
        {kById, 19200, false, true},
        {"/dev/ttyACM1", 4800, true, true, false},
        {"/dev/pts/7", 9600, false, false, false},
        {"tcp:shed-pi:4001", 9600, true, false},
        {"rfc2217:[fd00::5]:4002", 19200, true, false},
    };
    for (const Settings& settings : cases) {
        SCOPED_TRACE(settings.port + " " + std::to_string(settings.speed));
        const PanelReading reading = readByThePanel(formatConfiguration(settings));
        EXPECT_EQ(reading.device, settings.port) << "the device the panel opens";
        EXPECT_EQ(parseConfiguration(formatConfiguration(settings)).port, settings.port) << "pansetup's reading";
        EXPECT_EQ(reading.speed, std::to_string(settings.speed));
        EXPECT_EQ(reading.voice != 0, settings.voice);
        EXPECT_EQ(reading.speechFolder, settings.voice ? "wave/" : "") << "muted speech empties the folder";
        EXPECT_EQ(reading.log == 1, settings.log) << "the log opens on exactly 1";
        EXPECT_EQ(reading.hits == 1, settings.hits);
    }
}

TEST(ExistingConfiguration, IsReadByTheSameColumnsAsThePanelReadsIt) {
    struct Case {
        std::string bytes;
        Settings expected;
    };
    const Case cases[] = {
        {"COM:/dev/ttyUSB1\r\nSPEED:19200\r\nTYPE:AR8600\r\nVOICE:0\r\nDEBUG:1\r\n", {"/dev/ttyUSB1", 19200, false, true}},
        {"COM:/dev/ttyUSB1\nSPEED:4800\nRADIO:AR8600\nVOICE:2\nDEBUG:2\n", {"/dev/ttyUSB1", 4800, true, false}},
        {"PORT3\rBAUD: 9600\rx\rVOICE:1\rDEBUG:1", {"/dev/ttyS2", 9600, true, true}},  // COM3, CR ends
        {"COM:  /dev/ttyUSB0  \r\nSPEED:fast\r\n", {"/dev/ttyUSB0", 9600, true, false}},  // short file
        {"", {"", 9600, true, false}},
        {"P\nS\nR\nVOICE:x\nDEBUG:x\n", {"", 9600, true, false}},
        {"P\nS\nR\nVOICE:1\nDEBUG:1\nHITS:0\n", {"", 9600, true, true, false}},
    };
    for (const Case& c : cases) {
        const Settings read = parseConfiguration(c.bytes);
        EXPECT_EQ(read.port, c.expected.port) << c.bytes;
        EXPECT_EQ(read.speed, c.expected.speed) << c.bytes;
        EXPECT_EQ(read.voice, c.expected.voice) << c.bytes;
        EXPECT_EQ(read.log, c.expected.log) << c.bytes;
        EXPECT_EQ(read.hits, c.expected.hits) << c.bytes << ": on unless line 6 says 0";
    }
}

TEST(VoiceLine, TheVoiceAndPaceAreWrittenReadBackAndChangedAloneInAnOldFile) {
    const Settings system{.port = "/dev/ttyUSB0", .systemVoice = true, .pace = SpeechPace::Fast};
    using Case = std::pair<Settings, std::string>;
    for (const auto& [settings, line] :
         {Case{system, "VOICE:S fast"}, Case{{.port = "/dev/ttyUSB0", .pace = SpeechPace::Fastest}, "VOICE:1 fastest"},
          Case{{.port = "/dev/ttyUSB0", .voice = false, .pace = SpeechPace::Fast}, "VOICE:0 fast"}}) {
        EXPECT_EQ(voiceLine(settings), line);
        const Settings read = parseConfiguration(formatConfiguration(settings));
        EXPECT_EQ(std::tie(read.voice, read.systemVoice, read.pace),
                  std::tie(settings.voice, settings.systemVoice, settings.pace)) << line;
    }
    EXPECT_EQ(readByThePanel(formatConfiguration(system)).voice, 1) << "an older panel's reading: speech on";

    // Only line 4 changes: the other lines, their line ends and what follows are kept.
    const std::pair<std::string, std::string> files[] = {
        {"COM:3\nSPEED:4800\nX\nVOICE:1\nDEBUG:1\nHITS:0\n# mine", "COM:3\nSPEED:4800\nX\nVOICE:S fast\nDEBUG:1\nHITS:0\n# mine"},
        {"COM:3\r\nSPEED:4800\r\n", "COM:3\r\nSPEED:4800\r\n\r\nVOICE:S fast\r\n"},
        {"", "\r\n\r\n\r\nVOICE:S fast\r\n"},
    };
    for (const auto& [before, after] : files) EXPECT_EQ(withVoiceLine(before, system), after) << before;
}

TEST(PortText, MustBeADevicePathOnOneLine) {
    EXPECT_TRUE(isWritablePortText("/dev/ttyUSB0"));
    EXPECT_TRUE(isWritablePortText(kById));
    EXPECT_TRUE(isWritablePortText("rfc2217:shed-pi:4001"));
    for (const char* bad : {"", "COM1", "ttyUSB0", "/dev/tty\r\nUSB0", "/dev/ttyUSB0\t", "tcp:shed-pi",
                            "tcp:shed-pi:4001\r\n"}) {
        EXPECT_FALSE(isWritablePortText(bad)) << bad;
    }
}

class ConfigurationWrite : public ::testing::Test {
protected:
    fs::path file() const { return folder.path() / kConfigurationName; }
    fs::path backup() const { return folder.path() / (std::string(kConfigurationName) + ".bak"); }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder.path())) found.push_back(entry.path().filename());
        std::sort(found.begin(), found.end());
        return found;
    }
    TempFolder folder;
};

TEST_F(ConfigurationWrite, ANewFileLeavesNoBackupAndNoTemporaryFile) {
    EXPECT_EQ(writeConfigurationFile(folder.path(), "new bytes\r\n"), "");
    EXPECT_EQ(fileBytes(file()), "new bytes\r\n");
    EXPECT_EQ(names(), std::vector<std::string>{"VOXPAN.CFG"});
    EXPECT_EQ(fs::status(file()).permissions() & fs::perms::others_write, fs::perms::none);
}

TEST_F(ConfigurationWrite, TheOldFileIsKeptAsBakAndAnOldBakReplaced) {
    writeBytes(file(), "old bytes\r\n");
    writeBytes(backup(), "older bytes\r\n");
    EXPECT_EQ(writeConfigurationFile(folder.path(), "new bytes\r\n"), "");
    EXPECT_EQ(fileBytes(file()), "new bytes\r\n");
    EXPECT_EQ(fileBytes(backup()), "old bytes\r\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"VOXPAN.CFG", "VOXPAN.CFG.bak"}));
}

TEST_F(ConfigurationWrite, ALinkedFileIsUpdatedWhereItLeadsAndKeepsItsPermissions) {
    const fs::path shared = folder.path() / "shared" / "VOXPAN.CFG";
    writeBytes(shared, "old bytes\r\n");
    fs::permissions(shared, fs::perms(0600));
    fs::create_symlink("shared/VOXPAN.CFG", file());
    EXPECT_EQ(writeConfigurationFile(folder.path(), "new bytes\r\n"), "");
    std::error_code error;
    EXPECT_EQ(fs::read_symlink(file(), error), fs::path("shared/VOXPAN.CFG")) << "the link stays";
    EXPECT_EQ(fileBytes(shared), "new bytes\r\n");
    EXPECT_EQ(fs::status(shared).permissions(), fs::perms(0600));
    EXPECT_EQ(fileBytes(backup()), "old bytes\r\n");
}

TEST_F(ConfigurationWrite, WhatCannotBeReplacedIsLeftAsItWasAndSaysWhy) {
    fs::create_directory(file());  // a folder where the file should be
    writeBytes(file() / "inside", "kept");
    const std::string problem = writeConfigurationFile(folder.path(), "new bytes\r\n");
    EXPECT_NE(problem.find("nothing was changed"), std::string::npos) << problem;
    EXPECT_EQ(fileBytes(file() / "inside"), "kept");
    EXPECT_EQ(names(), std::vector<std::string>{"VOXPAN.CFG"}) << "no backup and no temporary file left behind";

    EXPECT_NE(writeConfigurationFile(folder.path() / "missing", "x"), "") << "a folder that is not there";
}

}  // namespace
}  // namespace voxpan::setup
