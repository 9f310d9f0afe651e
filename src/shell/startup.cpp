#include "shell/startup.h"

#include "shell/connection.h"
#include "radio/serial_link.h"
#include "radio/traffic_log.h"
#include "shell/window_events.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

constexpr int kPollTimer = 1;
constexpr int kPollPeriodMs = 100;

// The numeric value of the one character in column 7: a digit gives its
// value, a missing or non-digit character 0.
std::int32_t switchValue(std::string_view line) { return truncateToInt(numberOf(midText(line, 7, 1))); }

void openTrafficLog(Panel& panel) {
    panel.debugFile = panel.io.openForWriting(kTrafficLogName);
    panel.logLine = "VOXPAN " + panel.versionText + "  " + panel.io.todayText() + "   " + panel.io.timeText();
    writeLogLine(panel);
}

void reportMissingConfiguration(Panel& panel) {
    panel.io.moveTo(0, 30);
    panel.io.drawText("--- VOXPAN.CFG file not found ---");
    panel.io.moveTo(0, 60);
    panel.io.drawText("please run the 'PANSETUP' program");
    speakWord(panel, "cfnf");
}

void runEventLoop(Panel& panel) {
    panel.running = 1;
    while (panel.running != 0) {
        for (const WindowEvent& event : panel.io.waitEvents()) handleWindowEvent(panel, event.kind, event.param);
    }
}

}  // namespace

bool readConfiguration(Panel& panel) {
    const FileHandle file = panel.io.openForReading(kConfigurationName);
    if (file == 0) return false;
    // A line past the end of the file reads as empty text; a line longer
    // than a text holds keeps its first 254 characters.
    auto nextLine = [&] {
        std::string line;
        if (!panel.io.readLine(file, line)) line.clear();
        panel.lineBuffer = line;
        return panel.lineBuffer;
    };
    panel.portText = midText(nextLine(), 5);
    panel.baudText = midText(nextLine(), 7);
    nextLine();  // written by the set-up program, not used by the panel
    panel.voiceEnabled = switchValue(nextLine());
    panel.debugEnabled = switchValue(nextLine());
    panel.io.closeFile(file);
    if (panel.voiceEnabled == 0) panel.speechFolder = "";
    return true;
}

void shutDown(Panel& panel) {
    panel.io.stopTimer(kPollTimer);
    if (panel.debugEnabled == 1) {
        panel.io.closeFile(panel.debugFile);
        panel.debugFile = 0;
    }
    panel.commandText = "EX";
    sendCommand(panel);
    closeReceiverPort(panel);
    panel.io.closeWindow();
}

int runPanel(Platform& platform) {
    Panel panel(platform);
    if (!platform.createWindow(250, 100, 950, 500, kWindowTitle)) return 1;
    panel.versionText = "4.0a";
    panel.bannerText = "*** Voxpan V " + panel.versionText + " ***";
    panel.speechFolder = kWordFolder;
    panel.effectsFolder = kWordFolder;

    if (!readConfiguration(panel)) {
        reportMissingConfiguration(panel);
        shutDown(panel);
        return 0;
    }
    if (panel.debugEnabled == 1) openTrafficLog(panel);

    platform.moveTo(270, 0);
    platform.drawText(panel.bannerText);
    for (const char* word : {"vox", "4", "point", "0"}) speakWord(panel, word);

    connectReceiver(panel);
    platform.startTimer(kPollTimer, kPollPeriodMs);
    runEventLoop(panel);
    shutDown(panel);
    return 0;
}

}  // namespace voxpan
