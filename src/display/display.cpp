#include "display/display.h"

#include <algorithm>
#include <string>


namespace voxpan {

namespace {
std::string blanks(int count) { return std::string(static_cast<std::size_t>(count), ' '); }
}  // namespace

void showFrequency(Panel& panel) {
    Platform& io = panel.io;
    io.setFont(kFontAriel, 50, kBold);
    io.moveTo(300, 150);
    io.drawText(blanks(20));
    io.moveTo(300, 150);
    io.setTextColour(kBlue);
    io.drawText(panel.workText);
    // The padding follows the length of frequencyText, even though workText
    // is what was drawn: the two are the same text in the usual case.
    const int missing = 8 - textLength(panel.frequencyText);
    if (missing > 0) io.drawText(std::string(static_cast<std::size_t>(std::min(missing, 4)), '0') + blanks(16));
    io.setTextColour(kBlack);
    io.setFont(kFontAriel, 30, kBold);
}

void drawModeLine(Panel& panel) {
    Platform& io = panel.io;
    io.moveTo(370, 80);
    io.setFont(kFontAriel, 50, kBold);
    io.drawText(panel.modeText + blanks(6));
}

void showSearchLimits(Panel& panel) {
    Platform& io = panel.io;
    io.setFont(kFontAriel, 30, kBold);
    io.moveTo(80, 250);
    io.setTextColour(kBlack);
    io.drawText(panel.searchLowText + blanks(10));
    io.moveTo(300, 250);
    io.drawText(panel.searchStepText + blanks(9));
    io.moveTo(500, 250);
    io.drawText(panel.searchStopMode == 1 ? "STOP" : "CONT");
    io.moveTo(750, 250);
    io.drawText(panel.searchHighText + blanks(8));
}

void clearLowerPanel(Panel& panel) {
    Platform& io = panel.io;
    io.setFont(kFontAriel, 70, kBold);
    io.moveTo(150, 300);
    io.drawText(blanks(40));
    for (int y : {350, 400, 450}) {
        io.moveTo(300, y);
        io.drawText(blanks(40));
    }
}

}  // namespace voxpan
