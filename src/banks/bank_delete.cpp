#include "banks/bank_delete.h"

#include "banks/bank_file.h"
#include "voice/speech.h"

namespace voxpan {

void deleteBankFile(Panel& panel) {
    if (panel.entryText.size() != 2) {
        speakWord(panel, "inv");
        return;
    }
    const std::string name = bankFileNameFor(panel.entryText);
    if (!panel.io.deleteFile(name)) {
        speakWord(panel, "inv");
        return;
    }
    // A delete of the selected bank's channel would write the file again.
    if (panel.bankFileName == name) panel.selectedBankLoaded = 0;
    speakWord(panel, "ok");
}

}  // namespace voxpan
