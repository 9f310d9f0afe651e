#include "radio/connection.h"

#include <string>

#include "radio/receiver_controls.h"
#include "radio/serial_link.h"
#include "shell/display.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

void resetPanelVariables(Panel& panel) {
    panel.entryMode = 0;
    panel.receiverConnected = -1;
    panel.startNewLimit = 0;
    panel.startNewFrequency = 1;
    panel.pollState = 0;
    panel.searchHoldTicks = 0;
    panel.keyCount = 0;  // keys pressed before the connection are dropped
    panel.scanIndex = 0;
    panel.searchStopMode = 0;
    panel.searchState = 0;
    panel.memoryScanState = 0;
    panel.bankScanState = 0;
    panel.noiseLimiterOn = 0;  // taken as off; no command is sent for it
    panel.scanVoice = 1;

    panel.statusText = "Connecting";
    panel.workText = "";
    panel.barText = std::string(18, '*');
    panel.searchLowText = "145";
    panel.searchHighText = "146";
    panel.searchStepText = "12.5";
}

}  // namespace

void connectReceiver(Panel& panel) {
    panel.io.moveTo(0, 0);
    panel.io.setFont(kFontAriel, 50, kBold);
    resetPanelVariables(panel);
    showSearchLimits(panel);

    panel.comPort = truncateToInt(numberOf(rightText(panel.portText, 1)));
    panel.baudRate = truncateToInt(numberOf(panel.baudText));
    panel.dataBits = 8;
    panel.parity = 0;
    panel.stopBits = 2;
    openReceiverPort(panel);

    panel.workText = "145";
    panel.frequencyText = panel.workText;
    tuneVfoA(panel);
    speakFrequency(panel);
    setModeFm(panel);
    panel.attenuatorOn = 1;
    toggleAttenuator(panel);

    panel.io.moveTo(370, 80);
    panel.io.setFont(kFontAriel, 50, kBold);
    panel.io.drawText(panel.modeText + std::string(6, ' '));
}

}  // namespace voxpan
