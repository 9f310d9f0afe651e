// The only path between the panel and the receiver: one command at a time as
// a line of ASCII text, replies picked up later by polling, never waiting.
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

// Opens the port named by portText at baudRate, makes reads non-blocking and
// applies dataBits, parity and stopBits. A port that does not open leaves the
// panel at "Connecting".
void openReceiverPort(Panel& panel);
// Opens a lost port again as openReceiverPort does, but with nothing on
// stderr when the device is not back. True when it opened.
bool reopenReceiverPort(Panel& panel);
// Logs "TX= " + commandText, then writes commandText and a carriage return in
// one write. An empty commandText sends and logs nothing. The first command
// after the port was lost says "rnc" before it goes nowhere.
void sendCommand(Panel& panel);
// The byte 0x1E alone, not logged: lets a search stopped on a signal go on.
// Says "rnc" as sendCommand does.
void sendControlByte(Panel& panel);
int bytesWaiting(Panel& panel);
// replyText := the recognised part of what has arrived, or "".
void readReply(Panel& panel);
// Logs the kept reply and completes the connection on the first one.
void acceptReply(Panel& panel);
void closeReceiverPort(Panel& panel);

}  // namespace voxpan
