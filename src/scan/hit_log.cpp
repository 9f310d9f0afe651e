#include "scan/hit_log.h"

#include <algorithm>
#include <cctype>

#include "banks/bank_file.h"

namespace voxpan {

namespace {

StopKind stoppedScan(const Panel& panel) {
    if (panel.memoryScanState == kMemoryScanStopped) return kStopMemory;
    if (panel.bankScanState == kBankScanStopped) return kStopBank;
    if (panel.searchState == kSearchStopped) return kStopSearch;
    return kStopNone;
}

std::string_view kindName(std::int32_t kind) {
    switch (kind) {
        case kStopSearch: return "search";
        case kStopBank: return "bank";
        default: return "memory";
    }
}

// The memory scan's report keeps its zeros (145.50000): the log gives the
// frequency as the search list does.
std::string withoutTrailingZeros(std::string_view megahertz) {
    std::string text(megahertz);
    if (text.find('.') == std::string::npos) return text;
    text.erase(text.find_last_not_of('0') + 1);
    return text;
}

// The mode as a field of its own: "CW " loses its blank, and a mode line of
// a damaged bank cannot put a comma or a control byte into the line.
std::string modeField(std::string_view mode) {
    std::string field;
    for (const char c : mode)
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) field += c;
    return field;
}

std::string tenthsOfSeconds(std::int64_t ms) {
    const std::int64_t tenths = (std::max<std::int64_t>(ms, 0) + 50) / 100;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

// Opens the log once; a log that cannot be opened is told once and not
// tried again this run.
bool openHitLog(Panel& panel) {
    if (panel.hitLogFile != 0) return true;
    if (panel.hitLogFailed == 1) return false;
    const std::string name(kHitLogName);
    const FileHandle reading = panel.io.openForReading(name);
    std::string firstLine;
    const bool isNew = reading == 0 ? panel.io.pathKind(name) == PathKind::Missing
                                    : !panel.io.readLine(reading, firstLine);
    if (reading != 0) panel.io.closeFile(reading);
    panel.hitLogFile = panel.io.openForAppending(name);
    if (panel.hitLogFile == 0) {
        panel.hitLogFailed = 1;
        panel.io.reportProblem("cannot add to the hit log " + name + " in " + panel.io.workingFolder() +
                               " (a folder, a device, or not writable); the stops of this run are not logged");
        return false;
    }
    if (isNew) panel.io.writeLine(panel.hitLogFile, kHitLogHeader);
    return true;
}

void beginStop(Panel& panel, StopKind kind) {
    ScanStop& stop = panel.currentStop;
    stop = ScanStop{};
    stop.kind = kind;
    stop.startTime = panel.io.localTimestamp();
    stop.startMs = panel.io.steadyMilliseconds();
    stop.modeText = panel.modeText;
    stop.level = panel.levelReading;
    // The bank scan stopped on the channel it tuned last.
    if (kind == kStopBank) stop.frequency = panel.workText;
}

void endStop(Panel& panel) {
    const ScanStop stop = panel.currentStop;
    panel.currentStop = ScanStop{};
    if (stop.passed == 1 || panel.hitsEnabled == 0) return;
    const std::string line = hitLine(stop, panel.workText, panel.io.steadyMilliseconds());
    if (!line.empty() && openHitLog(panel)) panel.io.writeLine(panel.hitLogFile, line);
}

}  // namespace

std::string hitLine(const ScanStop& stop, std::string_view shownFrequency, std::int64_t endMs) {
    const std::string megahertz = withoutTrailingZeros(stop.frequency.empty() ? shownFrequency : std::string_view(stop.frequency));
    if (!isFrequencyText(megahertz)) return {};
    return stop.startTime + "," + std::string(kindName(stop.kind)) + "," + megahertz + "," +
           modeField(stop.modeText) + "," + std::to_string(std::clamp(stop.level, 0, 255)) + "," +
           tenthsOfSeconds(endMs - stop.startMs);
}

void followStops(Panel& panel) {
    const StopKind now = stoppedScan(panel);
    if (panel.currentStop.kind != kStopNone && panel.currentStop.kind != now) endStop(panel);
    if (now == kStopNone) return;
    if (panel.currentStop.kind == kStopNone) beginStop(panel, now);
    panel.currentStop.level = std::max(panel.currentStop.level, panel.levelReading);
}

void noteStopFrequency(Panel& panel, std::string_view megahertz) {
    if (panel.currentStop.kind != kStopNone) panel.currentStop.frequency = megahertz;
}

void closeHitLog(Panel& panel) {
    if (panel.currentStop.kind != kStopNone) endStop(panel);
    if (panel.hitLogFile == 0) return;
    panel.io.closeFile(panel.hitLogFile);
    panel.hitLogFile = 0;
}

}  // namespace voxpan
