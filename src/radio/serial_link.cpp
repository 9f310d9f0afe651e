#include "radio/serial_link.h"

#include "radio/port_selection.h"
#include "radio/reply_recognition.h"
#include "radio/traffic_log.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

void applyLineSettings(Panel& panel) {
    panel.io.serialSetNonBlocking();
    panel.io.serialSetLineFormat(panel.dataBits, panel.parity, panel.stopBits);
}

// The operator heard "rnc" when the port went; a key that then tries to
// reach the receiver hears it once more, the keys after it only their own
// words.
void tellLostPortOnce(Panel& panel) {
    if (panel.rncAtNextCommand == 0) return;
    panel.rncAtNextCommand = 0;
    speakWord(panel, "rnc");
}

}  // namespace

void openReceiverPort(Panel& panel) {
    // The receiver wants 8 data bits, no parity, 2 stop bits; the port is
    // first opened at 8N1 and then given the receiver's format.
    panel.io.serialClose();
    const std::string fault = portTextFault(panel.portText);
    if (!fault.empty()) {
        panel.io.reportProblem("VOXPAN.CFG line 1: no serial port is opened for " + quotedForMessage(panel.portText) +
                               ": " + fault);
        return;
    }
    // No line runs at no speed; the connection has said why.
    if (panel.baudRate <= 0) return;
    panel.io.serialOpen(systemSerialDeviceFor(panel.portText), panel.baudRate);
    applyLineSettings(panel);
}

bool reopenReceiverPort(Panel& panel) {
    if (!panel.io.serialOpenQuietly(systemSerialDeviceFor(panel.portText), panel.baudRate)) return false;
    applyLineSettings(panel);
    return true;
}

void sendCommand(Panel& panel) {
    if (panel.commandText.empty()) return;
    panel.logLine = "TX= " + panel.commandText;
    writeLogLine(panel);
    tellLostPortOnce(panel);
    panel.io.serialWrite(panel.commandText + "\r");
}

void sendControlByte(Panel& panel) {
    tellLostPortOnce(panel);
    panel.io.serialWrite("\x1e");
}

int bytesWaiting(Panel& panel) { return panel.io.serialBytesWaiting(); }

void readReply(Panel& panel) {
    panel.replyText = "";
    if (bytesWaiting(panel) <= 0) return;
    const std::string received = panel.io.serialRead(kReplyReadLimit);
    panel.replyText = recogniseReply(received);
    if (!panel.replyText.empty()) acceptReply(panel);
}

void acceptReply(Panel& panel) {
    panel.logLine = "RX= " + leftText(panel.replyText, textLength(panel.replyText) - 1);
    writeLogLine(panel);
    if (panel.statusText == "Connecting") {
        panel.receiverConnected = kReceiverConnected;
        speakWord(panel, "connected");
        panel.statusText = ">";
    }
}

void closeReceiverPort(Panel& panel) { panel.io.serialClose(); }

}  // namespace voxpan
