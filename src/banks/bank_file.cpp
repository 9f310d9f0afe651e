#include "banks/bank_file.h"

#include <algorithm>
#include <vector>

#include "voice/speech.h"

namespace voxpan {

std::string bankFileNameFor(std::string_view number) { return "bank" + std::string(number) + ".dat"; }

int bankEndIndex(const BankTable& table) {
    for (int i = kFirstChannelIndex; i <= kLastMarkerIndex; i += 2)
        if (table[static_cast<std::size_t>(i)] == kEndMarker) return i;
    return kUnmarkedEnd;
}

bool isFrequencyText(std::string_view text) {
    bool digit = false;
    bool point = false;
    for (char c : text) {
        if (c == '.') {
            if (point) return false;
            point = true;
        } else if (c >= '0' && c <= '9') {
            digit = true;
        } else {
            return false;
        }
    }
    return digit;
}

void readBankFile(Panel& panel) {
    const FileHandle file = panel.io.openForReading(panel.bankFileName.str());
    if (file == 0) {
        panel.bankReadError = 1;
        speakWord(panel, "bnf");
        return;
    }
    panel.bankReadError = 0;
    panel.bankLines.fill(Text{});
    int linesRead = 0;
    int end = -1;
    std::string line;
    while (linesRead < kBankFileLines && panel.io.readLine(file, line)) {
        const int index = linesRead++;
        panel.bankLines[static_cast<std::size_t>(index)] = line;
        if (index >= kFirstChannelIndex && index % 2 == 0 && panel.bankLines[static_cast<std::size_t>(index)] == kEndMarker) {
            end = index;
            break;
        }
    }
    panel.io.closeFile(file);
    if (end < 0) {
        // No marker: the list ends after the last line that was there, at
        // the next place a channel could start.
        end = std::max(linesRead, kFirstChannelIndex);
        end += end % 2;
        panel.bankLines[static_cast<std::size_t>(end)] = kEndMarker;
    }
    panel.lastIndex = end - 2;
    panel.scanIndex = panel.lastIndex;
    panel.selectedBankLoaded = 0;
}

void writeBankTable(Panel& panel, const BankTable& table) {
    // A table without a marker (read from a full 400-line file that had
    // none) is written back as the 400 lines it came from.
    const int last = std::min(bankEndIndex(table), kBankFileLines - 1);
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(last) + 1);
    for (int i = 0; i <= last; ++i) lines.push_back(table[static_cast<std::size_t>(i)].str());
    panel.bankWriteError = panel.io.replaceTextFile(panel.bankFileName.str(), lines) ? 0 : 1;
}

void writeBankFile(Panel& panel) { writeBankTable(panel, panel.bankLines); }

bool saveChangedBank(Panel& panel, const BankTable& table) {
    writeBankTable(panel, table);
    if (panel.bankWriteError != 0) {
        speakWord(panel, "inv");
        return false;
    }
    panel.bankLines = table;
    panel.lastIndex = bankEndIndex(table) - 2;
    return true;
}

}  // namespace voxpan
