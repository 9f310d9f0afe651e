#include "shell/connection.h"

#include <string>

#include "controls/tune_and_show.h"
#include "radio/port_selection.h"
#include "display/display.h"
#include "radio/receiver_controls.h"
#include "radio/serial_link.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

void resetPanelVariables(Panel& panel) {
    panel.entryMode = kEntryNone;
    panel.receiverConnected = kReceiverConnecting;
    panel.startNewLimit = 0;
    panel.startNewFrequency = 1;
    panel.pollState = kPollIdle;
    panel.levelReplyDue = 0;
    panel.frequencyQueries = 0;
    panel.typingStarted = 0;
    panel.searchHoldTicks = 0;
    panel.keyCount = 0;  // keys pressed before the connection are dropped
    panel.scanIndex = 0;
    panel.searchStopMode = 0;
    panel.searchState = kSearchOff;
    panel.memoryScanState = kMemoryScanOff;
    panel.bankScanState = kBankScanOff;
    panel.noiseLimiterOn = 0;  // taken as off; no command is sent for it
    panel.scanVoice = 1;

    panel.statusText = "Connecting";
    panel.workText = "";
    panel.barText = std::string(18, '*');
    panel.searchLowText = "145";
    panel.searchHighText = "146";
    panel.searchStepText = "12.5";
}

// The speed is read as a number whatever follows it; the operator hears of
// a speed text that is not plainly one, quoted as written.
void checkSpeedText(Panel& panel) {
    const std::string quoted = quotedForMessage(panel.baudText);
    if (panel.baudRate <= 0) {
        panel.io.reportProblem("VOXPAN.CFG line 2: the speed " + quoted + " is no line speed; no serial port is opened");
    } else if (!isPlainNumber(panel.baudText)) {
        panel.io.reportProblem("VOXPAN.CFG line 2: the speed " + quoted + " is not a number; trying " +
                               std::to_string(panel.baudRate));
    }
}

// Clears the panel to its start values and shows them: everything a key or
// a scan left is dropped, as the receiver will be set anew.
void startFromScratch(Panel& panel) {
    panel.io.moveTo(0, 0);
    panel.io.setFont(kFontAriel, 50, kBold);
    resetPanelVariables(panel);
    showSearchLimits(panel);
}

// The start-up commands: VFO A on 145 MHz, FM, attenuator off, each said
// before it is sent.
void bringReceiverToStart(Panel& panel) {
    panel.workText = "145";
    panel.frequencyText = panel.workText;
    tuneVfoA(panel);
    speakFrequency(panel);
    setModeFm(panel);
    panel.attenuatorOn = 1;
    toggleAttenuator(panel);

    drawModeLine(panel);
}

}  // namespace

void connectReceiver(Panel& panel) {
    startFromScratch(panel);

    panel.comPort = truncateToInt(numberOf(rightText(panel.portText, 1)));
    panel.baudRate = truncateToInt(numberOf(panel.baudText));
    panel.dataBits = 8;
    panel.parity = 0;
    panel.stopBits = 2;
    checkSpeedText(panel);
    openReceiverPort(panel);

    bringReceiverToStart(panel);
}

void reconnectReceiver(Panel& panel) {
    // The receiver may have been switched off, or left its search, while
    // its cable was out: it gets the start-up commands again and the panel
    // starts again from what they set. It has answered before, so a key
    // pressed before its next answer does not end the panel.
    const std::int32_t connected = panel.receiverConnected;
    startFromScratch(panel);
    panel.receiverConnected = connected;
    bringReceiverToStart(panel);
}

}  // namespace voxpan
