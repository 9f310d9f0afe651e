#include "setup/command_line.h"

#include <gtest/gtest.h>

namespace voxpan::setup {
namespace {

CommandLine parse(std::vector<std::string> arguments) { return parseCommandLine(arguments); }

TEST(CommandLine, ChoosesTheModeAndTakesItsValues) {
    const CommandLine script = parse({"--port", "/dev/ttyUSB0", "--speed=19200", "--voice", "off", "--log", "on",
                                      "--hits", "off", "--folder", "/srv/radio"});
    EXPECT_EQ(script.error, "");
    EXPECT_EQ(script.mode, Mode::Script);
    EXPECT_EQ(script.settings.port, "/dev/ttyUSB0");
    EXPECT_EQ(script.settings.speed, 19200);
    EXPECT_FALSE(script.settings.voice);
    EXPECT_TRUE(script.settings.log);
    EXPECT_FALSE(script.settings.hits);
    EXPECT_TRUE(parse({"--port", "/a", "--speed", "9600", "--voice", "on", "--log", "on"}).settings.hits)
        << "the hit log is on unless asked off";
    EXPECT_EQ(script.folder, "/srv/radio");
    EXPECT_EQ(parse({"--port", "rfc2217:[::1]:4001", "--speed", "9600", "--voice", "on", "--log", "on"}).settings.port,
              "rfc2217:[::1]:4001");

    EXPECT_EQ(parse({}).mode, Mode::Dialogue);
    EXPECT_EQ(parse({"--folder", "x"}).mode, Mode::Dialogue);
    EXPECT_EQ(parse({"--list"}).mode, Mode::List);
    EXPECT_EQ(parse({"--probe", "/dev/ttyACM0"}).probeDevice, "/dev/ttyACM0");
    EXPECT_EQ(parse({"--probe", "/dev/ttyACM0"}).mode, Mode::Probe);
    EXPECT_EQ(parse({"--list", "--help"}).mode, Mode::Help);
    EXPECT_EQ(parse({"--version", "--bogus"}).mode, Mode::Version);
}

TEST(CommandLine, TheVoiceAndPaceSetUpAFolderOrChangeOnlyThemselves) {
    const CommandLine script = parse({"--port", "/a", "--speed", "9600", "--voice", "system", "--log", "off",
                                      "--pace", "fastest"});
    EXPECT_EQ(script.mode, Mode::Script);
    EXPECT_TRUE(script.settings.voice && script.settings.systemVoice && script.paceGiven);
    EXPECT_EQ(script.settings.pace, SpeechPace::Fastest);
    EXPECT_FALSE(parse({"--port", "/a", "--speed", "9600", "--voice", "on", "--log", "off"}).paceGiven);

    using Case = std::tuple<std::vector<std::string>, bool, bool>;  // arguments, voice given, pace given
    for (const auto& [arguments, voiceGiven, paceGiven] :
         {Case{{"--pace", "fast"}, false, true}, Case{{"--voice", "system", "--folder", "/f"}, true, false},
          Case{{"--voice=off", "--pace=normal"}, true, true}}) {
        const CommandLine change = parse(arguments);
        EXPECT_EQ(change.error, "") << arguments.front();
        EXPECT_EQ(change.mode, Mode::Change) << arguments.front();
        EXPECT_EQ(std::pair(change.voiceGiven, change.paceGiven), std::pair(voiceGiven, paceGiven)) << arguments.front();
    }
    EXPECT_EQ(parse({"--pace", "slow"}).error, "--pace takes normal, fast or fastest, not 'slow'");
    EXPECT_EQ(parse({"--voice", "loud"}).error, "--voice takes on, off or system, not 'loud'");
    EXPECT_NE(parse({"--pace", "fast", "--log", "on"}).error.find("--port is needed"), std::string::npos)
        << "other options still set a folder up as a whole";
}

TEST(CommandLine, RefusesWhatItCannotMean) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"ttyUSB0"}, "unexpected argument 'ttyUSB0'"},
        {{"--port"}, "--port needs a value"},
        {{"--port", "/dev/ttyUSB0"}, "--speed is needed"},
        {{"--port", "ttyUSB0", "--speed", "9600", "--voice", "on", "--log", "on"}, "--port takes a device path"},
        {{"--port", "tcp:shed-pi", "--speed", "9600", "--voice", "on", "--log", "on"},
         "--port: tcp:shed-pi is no network port: no port number after the host"},
        {{"--port", "/dev/ttyUSB0", "--speed", "38400", "--voice", "on", "--log", "on"},
         "--speed takes 4800, 9600 or 19200"},
        {{"--port", "/dev/ttyUSB0", "--speed", "9600", "--voice", "yes", "--log", "on"},
         "--voice takes on, off or system, not 'yes'"},
        {{"--port", "/a", "--port", "/b"}, "--port is given twice"},
        {{"--port", "/a", "--speed", "9600", "--voice", "on", "--log", "on", "--hits", "1"}, "--hits takes on or off"},
        {{"--list", "--probe", "/dev/ttyS0"}, "one at a time"},
        {{"--list", "--folder", "x"}, "--list takes no other option"},
        {{"--list=yes"}, "--list takes no value"},
        {{"--probe", "/dev/ttyS0", "--folder", "x"}, "--probe takes no other option"},
    };
    for (const auto& [arguments, error] : cases) {
        const CommandLine line = parse(arguments);
        EXPECT_NE(line.error.find(error), std::string::npos)
            << "arguments starting " << arguments.front() << ": got '" << line.error << "'";
    }
}

TEST(CommandLine, HelpDescribesEveryOption) {
    const std::string help = usageText();
    for (const char* option : {"--port", "--speed", "--voice", "--log", "--hits", "--pace", "--folder", "--list", "--probe",
                               "--help", "--version"}) {
        EXPECT_NE(help.find(std::string("  ") + option), std::string::npos) << option << " is not described";
    }
}

}  // namespace
}  // namespace voxpan::setup
