// Stand-ins until the bank operations land.
#include "banks/bank_copy.h"
#include "banks/bank_delete.h"
#include "banks/bank_editing.h"
#include "banks/bank_transfer.h"
#include "banks/bank_walk.h"
#include "keys/radio_bank_check.h"
#include "scan/search_mode.h"
#include "voice/speech.h"
namespace voxpan {
int channelCount(const BankTable& lines) {
    int count = 0;
    for (int i = 4; i < 400 && lines[i] != "9999"; i += 2) ++count;
    return count;
}
int nextChannelIndex(const BankTable& lines, int index) {
    const int end = 4 + 2 * channelCount(lines);
    return index + 2 >= end ? 4 : index + 2;
}
int previousChannelIndex(const BankTable& lines, int index) {
    const int end = 4 + 2 * channelCount(lines);
    return index - 2 < 4 ? end - 2 : index - 2;
}
void selectBank(Panel& panel) { speakWord(panel, "sel"); }
void sortBank(Panel& panel) { speakWord(panel, "ok"); }
void deleteChannel(Panel& panel) { speakWord(panel, "ok"); }
void putFrequency(Panel& panel) { speakWord(panel, "ok"); }
void copyBank(Panel& panel) { speakWord(panel, "ok"); }
void writeBankToReceiver(Panel& panel) { speakWord(panel, "ok"); }
void deleteBankFile(Panel& panel) { speakWord(panel, "ok"); }
void startSearch(Panel& panel) { panel.searchState = kSearching; speakWord(panel, "srch"); }
void recordSearchHit(Panel& panel) { ++panel.hitCount; }
void finishSearch(Panel& panel) { panel.searchState = kSearchOff; }
void checkRadioBanks(Panel& panel) { speakWord(panel, "ok"); }
}  // namespace voxpan
