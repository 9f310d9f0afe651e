#include "radio/receiver_controls.h"

#include <string_view>

#include "radio/command_fields.h"
#include "radio/serial_link.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

void tuneVfo(Panel& panel, std::string_view prefix) {
    panel.commandText = frequencyCommand(prefix, panel.frequencyText);
    if (findText(panel.workText, ".") == 0) panel.workText = panel.frequencyText + ".0";
    sendCommand(panel);
}

// The word is heard before the command leaves: the operator knows what the
// receiver is being told even when it does not answer.
void setMode(Panel& panel, std::string_view modeText, std::string_view word) {
    panel.modeText = modeText;
    speakWord(panel, word);
    panel.commandText = modeCommand(modeText);
    sendCommand(panel);
}

}  // namespace

void sendVfoA(Panel& panel) { tuneVfo(panel, "VA"); }

void tuneVfoB(Panel& panel) { tuneVfo(panel, "VB"); }

void sendStep(Panel& panel) {
    panel.commandText = stepCommand(panel.searchStepText);
    sendCommand(panel);
}

void setModeFm(Panel& panel) { setMode(panel, "FM", "FM"); }
void setModeAm(Panel& panel) { setMode(panel, "AM", "AM"); }
void setModeWfm(Panel& panel) { setMode(panel, "WFM", "WFM"); }
void setModeUsb(Panel& panel) { setMode(panel, "USB", "USB"); }
void setModeLsb(Panel& panel) { setMode(panel, "LSB", "LSB"); }
void setModeAuto(Panel& panel) { setMode(panel, "AUT", "auto"); }

void setModeCw(Panel& panel) { setMode(panel, "CW ", "cw"); }

void toggleAttenuator(Panel& panel) {
    if (panel.attenuatorOn == 0) {
        panel.attenuatorOn = 1;
        panel.commandText = "AT1";
        speakWord(panel, "atton");
    } else {
        panel.attenuatorOn = 0;
        panel.commandText = "AT0";
        speakWord(panel, "attoff");
    }
    sendCommand(panel);
}

void toggleNoiseLimiter(Panel& panel) {
    speakWord(panel, "noise");
    panel.noiseLimiterOn = 1 - panel.noiseLimiterOn;
    if (panel.noiseLimiterOn == 1) {
        panel.commandText = "NL1";
        speakWord(panel, "on");
    } else {
        panel.commandText = "NL0";
        speakWord(panel, "off");
    }
    sendCommand(panel);
}

}  // namespace voxpan
