#include "scan/lockouts.h"

#include <algorithm>
#include <string>
#include <vector>

#include "banks/bank_file.h"
#include "radio/frequency_conversion.h"
#include "radio/serial_link.h"
#include "scan/search_mode.h"
#include "voice/speech.h"

namespace voxpan {

namespace {

// The search step in hertz: the step text is in kHz, "12.5" is 12500.
std::int64_t searchStepHertz(const Panel& panel) {
    if (!isFrequencyText(panel.searchStepText)) return 0;
    return hertzOf(panel.searchStepText) / 1000;
}

// Adds the frequency to the file as it is now on the disk (another program
// may have unlocked some since it was read). False when it could not be
// saved; it is locked out in memory all the same.
bool saveLockout(Panel& panel, const Text& frequency) {
    const bool read = readLockouts(panel);
    if (std::find(panel.lockouts.begin(), panel.lockouts.end(), frequency) == panel.lockouts.end())
        panel.lockouts.push_back(frequency);
    // A file that could not be read is not written over.
    if (!read) return false;
    std::vector<std::string> lines;
    for (const Text& locked : panel.lockouts) lines.push_back(locked.str());
    return panel.io.replaceTextFile(std::string(kLockoutFileName), lines);
}

}  // namespace

bool readLockouts(Panel& panel) {
    const std::string name(kLockoutFileName);
    const FileHandle file = panel.io.openForReading(name);
    if (file == 0) {
        if (panel.io.pathKind(name) == PathKind::Missing) {
            panel.lockouts.clear();
            return true;
        }
        if (panel.lockoutReadFailed == 0) {
            panel.lockoutReadFailed = 1;
            panel.io.reportProblem("cannot read " + name + " in " + panel.io.workingFolder() +
                                   "; the frequencies locked out in it are not passed over");
        }
        return false;
    }
    std::vector<Text> found;
    for (std::string line; panel.io.readLine(file, line);) {
        const std::string_view value = withoutBlanks(line);
        if (isFrequencyText(value)) found.emplace_back(value);
    }
    panel.io.closeFile(file);
    panel.lockouts = std::move(found);
    return true;
}

bool isLockedOut(const Panel& panel, std::string_view megahertz) {
    if (panel.lockouts.empty() || !isFrequencyText(megahertz)) return false;
    const std::int64_t stop = hertzOf(megahertz);
    const std::int64_t step = searchStepHertz(panel);
    return std::any_of(panel.lockouts.begin(), panel.lockouts.end(), [&](const Text& locked) {
        const std::int64_t apart = stop - hertzOf(locked);
        const std::int64_t distance = apart < 0 ? -apart : apart;
        return distance <= step - distance;  // twice the distance at most the step, without overflow
    });
}

void lockOutStoppedFrequency(Panel& panel) {
    const ScanStop& stop = panel.currentStop;
    // A frequency locked out already (by an X before) is not locked out twice.
    if (panel.searchState != kSearchStopped || stop.kind != kStopSearch || stop.frequency.empty() ||
        isLockedOut(panel, stop.frequency)) {
        speakWord(panel, "inv");
        return;
    }
    const Text frequency = stop.frequency;
    speakWord(panel, "lockout");
    sendControlByte(panel);
    const bool saved = saveLockout(panel, frequency);
    dropSearchHit(panel, frequency);
    if (!saved) speakWord(panel, "inv");
}

bool passLockedOutStop(Panel& panel, std::string_view megahertz) {
    if (!isLockedOut(panel, megahertz)) return false;
    sendControlByte(panel);
    panel.currentStop.passed = 1;
    return true;
}

}  // namespace voxpan
