#include "shell/startup.h"

#include "shell/connection.h"
#include "radio/serial_link.h"
#include "radio/traffic_log.h"
#include "scan/hit_log.h"
#include "scan/lockouts.h"
#include "shell/window_events.h"
#include "voice/speech.h"
#include "voice/speech_paces.h"

namespace voxpan {

namespace {

constexpr int kPollTimer = 1;
constexpr int kPollPeriodMs = 100;

// The numeric value of the one character in column 7: a digit gives its
// value; a missing or non-digit character gives the line's fallback, and
// the operator is told what that means.
std::int32_t switchValue(Panel& panel, int lineNumber, std::string_view line, std::int32_t fallback,
                         std::string_view fallbackMeans) {
    const std::string column = midText(line, 7, 1);
    if (column.empty() || column[0] < '0' || column[0] > '9') {
        panel.io.reportProblem(std::string(kConfigurationName) + " line " + std::to_string(lineNumber) +
                               " has no digit in column 7, so " + std::string(fallbackMeans) + " (the line holds " +
                               quotedForMessage(line) + ")");
        return fallback;
    }
    return truncateToInt(numberOf(column));
}

// Line 4: column 7 is the voice. A 0 mutes it, an "S" asks for the
// system's own voice, any other digit plays the recordings: older panels
// read the column as a number, so to them an "S" still speaks. After a
// blank in column 8, the pace the system voice is to speak at; anything
// else after column 7 is passed over, as it always was.
void readVoiceLine(Panel& panel, std::string_view line) {
    const std::string column = midText(line, 7, 1);
    if (column == "S" || column == "s") {
        panel.voiceEnabled = 1;
        panel.systemVoice = 1;
    } else {
        panel.voiceEnabled = switchValue(panel, 4, line, 1, "speech stays on");
    }
    const std::string rest = midText(line, 8);
    const std::string_view paceText = withoutBlanks(rest);
    if (!rest.starts_with(' ') || paceText.empty()) return;
    if (const std::optional<SpeechPace> pace = paceNamed(paceText)) {
        panel.speechPace = *pace;
        return;
    }
    panel.io.reportProblem(std::string(kConfigurationName) + " line 4 names the pace " + quotedForMessage(paceText) +
                           ", which is none of normal, fast and fastest, so the system voice keeps its own rate");
}

// Line 6, which older set-up programs did not write: only a 0 in column 6
// switches the hit log off.
std::int32_t hitLogSwitch(Panel& panel, std::string_view line) {
    if (line.empty()) return 1;
    const std::string column = midText(line, 6, 1);
    if (column == "0") return 0;
    if (column.empty() || column[0] < '0' || column[0] > '9') {
        panel.io.reportProblem(std::string(kConfigurationName) +
                               " line 6 has no digit in column 6, so the hit log stays on (the line holds " +
                               quotedForMessage(line) + ")");
    }
    return 1;
}

void openTrafficLog(Panel& panel) {
    panel.debugFile = panel.io.openForWriting(kTrafficLogName);
    if (panel.debugFile == 0) {
        const std::string where = std::string(kTrafficLogName) + " in " + panel.io.workingFolder();
        switch (panel.io.pathKind(kTrafficLogName)) {
            case PathKind::Folder:
                panel.io.reportProblem(where + " is a folder; the panel runs without the traffic log");
                break;
            case PathKind::Other:
                panel.io.reportProblem(where + " is a pipe or a device, not a file; the panel runs without the "
                                               "traffic log");
                break;
            default:
                panel.io.reportProblem("cannot create the traffic log " + where + "; the panel runs without it");
                break;
        }
        return;
    }
    panel.logLine = "VOXPAN " + panel.versionText + "  " + panel.io.todayText() + "   " + panel.io.timeText();
    writeLogLine(panel);
}

// The words are played from "wave" in the working folder. An operator who
// started the panel in another folder still hears the installed words.
void chooseWordFolder(Panel& panel) {
    panel.speechFolder = kWordFolder;
    panel.effectsFolder = kWordFolder;
    const std::string folder(kWordFolder.substr(0, kWordFolder.size() - 1));
    if (panel.io.pathKind(folder) == PathKind::Folder) return;
    const std::string installed = panel.io.installedWordFolder();
    if (installed.empty()) {
        panel.io.reportProblem("no '" + folder + "' folder of recorded words in " + panel.io.workingFolder() +
                               ": no word will be heard");
        return;
    }
    panel.io.reportProblem("no '" + folder + "' folder of recorded words in " + panel.io.workingFolder() +
                           ": playing the installed words from " + installed);
    panel.speechFolder = installed;
    panel.effectsFolder = installed;
}

void reportUnreadableConfiguration(Panel& panel) {
    const std::string where = panel.io.workingFolder();
    switch (panel.io.pathKind(kConfigurationName)) {
        case PathKind::Missing:
            panel.io.reportProblem(std::string("no ") + kConfigurationName + " in " + where +
                                   ": run pansetup to write one");
            break;
        case PathKind::Folder:
            panel.io.reportProblem(std::string(kConfigurationName) + " in " + where + " is a folder, not a file");
            break;
        default:
            panel.io.reportProblem(std::string(kConfigurationName) + " in " + where +
                                   " is there but cannot be read (check its permissions)");
            break;
    }
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
    if (file == 0) {
        reportUnreadableConfiguration(panel);
        return false;
    }
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
    // Only a 0 mutes the words: an operator who cannot read the screen
    // must still hear a panel whose line is damaged.
    readVoiceLine(panel, nextLine());
    panel.debugEnabled = switchValue(panel, 5, nextLine(), 0, "the traffic log is off");
    panel.hitsEnabled = hitLogSwitch(panel, nextLine());
    panel.io.closeFile(file);
    if (panel.voiceEnabled == 0) panel.speechFolder = "";
    return true;
}

void shutDown(Panel& panel) {
    panel.io.stopTimer(kPollTimer);
    // A stop still going on ends with the panel and gets its line.
    closeHitLog(panel);
    if (panel.debugEnabled == 1) {
        panel.io.closeFile(panel.debugFile);
        panel.debugFile = 0;
    }
    panel.commandText = "EX";
    // "quit" is the last word, also when the port is gone.
    panel.rncAtNextCommand = 0;
    sendCommand(panel);
    closeReceiverPort(panel);
    // The receiver has had its goodbye: a display lost from here on needs none.
    panel.io.setDisplayLostHandler(nullptr);
    panel.io.closeWindow();
}

int runPanel(Platform& platform) {
    Panel panel(platform);
    if (!platform.createWindow(250, 100, 950, 500, kWindowTitle)) return 1;
    // Without the window the receiver must still hear that the panel has gone.
    platform.setDisplayLostHandler([&panel] { shutDown(panel); });
    panel.versionText = kVersionText;
    panel.bannerText = "*** Voxpan V " + panel.versionText + " ***";
    chooseWordFolder(panel);

    if (!readConfiguration(panel)) {
        reportMissingConfiguration(panel);
        shutDown(panel);
        return 0;
    }
    if (panel.debugEnabled == 1) openTrafficLog(panel);
    readLockouts(panel);
    if (panel.systemVoice == 1) platform.useSystemVoice(panel.speechPace);

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
