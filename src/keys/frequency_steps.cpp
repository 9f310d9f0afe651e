#include "keys/frequency_steps.h"

#include <algorithm>

#include "controls/tune_and_show.h"
#include "radio/frequency_conversion.h"

namespace voxpan {

namespace {
// No step wider than the receiver's whole range is worth a number: it keeps
// the sums below from overflowing whatever a bank file's step line holds.
std::int64_t bounded(std::int64_t hertz) { return std::clamp(hertz, -kHighestHertz, kHighestHertz); }
}  // namespace

std::int64_t pageStepHertz(std::string_view stepText) {
    const int point = findText(stepText, ".");
    if (point == 0) return bounded(bounded(roundToInt64(numberOf(stepText))) * 1000);
    const std::int64_t kilohertz = bounded(roundToInt64(numberOf(leftText(stepText, point - 1)) * 1000));
    return bounded(kilohertz + roundToInt64(numberOf(midText(stepText, point + 1, 1)) * 100));
}

void stepFrequency(Panel& panel, std::int64_t stepHertz) {
    panel.frequencyText = panel.workText;
    frequencyToHz(panel);
    if (panel.frequencyHz < 0 || panel.frequencyHz > kHighestHertz) return;
    const std::int64_t stepped = panel.frequencyHz + bounded(stepHertz);
    if (stepped < 0 || stepped > kHighestHertz) return;  // the receiver has nothing there
    panel.frequencyHz = stepped;
    hzToFrequency(panel);
    panel.workText = panel.frequencyText;
    tuneVfoA(panel);
}

}  // namespace voxpan
