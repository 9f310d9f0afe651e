#include <algorithm>

#include "panbank/commands.h"
#include "panbank/decimal_units.h"
#include "panbank/hit_log.h"
#include "panbank/lockout_list.h"

namespace voxpan::panbank {

namespace {

std::string megahertz(std::int64_t hertz) { return shortestText(hertz, kMegahertzDecimals) + " MHz"; }

// The lines of a file the panel may not have made yet: nothing and no word
// when it is missing, nothing and the reason when it does not open.
std::optional<std::vector<std::string>> linesIfThere(const Console& console, std::string_view name, bool& missing) {
    Platform& io = console.panel.io;
    missing = io.pathKind(std::string(name)) == PathKind::Missing;
    if (missing) return std::nullopt;
    std::optional<std::vector<std::string>> lines = linesOfFile(io, std::string(name));
    if (!lines) console.refuse(std::string(name) + " cannot be read: it is not a file, or may not be read.");
    return lines;
}

}  // namespace

int showHits(const Console& console, const CommandLine& line) {
    bool missing = false;
    const std::optional<std::vector<std::string>> lines = linesIfThere(console, kHitLogName, missing);
    if (missing) {
        console.out << "No stops are logged: there is no " << kHitLogName << " in "
                    << console.panel.io.workingFolder() << ".\n";
        return kDone;
    }
    if (!lines) return kRefused;
    std::vector<Hit> hits;
    int skipped = 0;
    for (const std::string& text : *lines) {
        if (text.empty() || text == kHitLogHeader) continue;
        const std::optional<Hit> hit = hitOf(text);
        if (!hit) ++skipped;
        else if (!line.since || line.since->includes(*hit)) hits.push_back(*hit);
    }
    const std::vector<FrequencyHits> entries = byFrequency(hits);
    const std::string since = line.since ? " since " + line.since->localTime.substr(0, 10) : "";
    if (hits.empty()) {
        console.out << "No stops" << since << ".\n";
    } else {
        console.out << hits.size() << (hits.size() == 1 ? " stop" : " stops") << " on " << entries.size()
                    << (entries.size() == 1 ? " frequency" : " frequencies") << since << ".\n";
    }
    for (const FrequencyHits& entry : entries) console.out << hitLine(entry) << '\n';
    if (skipped > 0) {
        console.refuse(std::to_string(skipped) + (skipped == 1 ? " line" : " lines") + " of " +
                       std::string(kHitLogName) + " passed over: no stop as the panel logs one (a line cut short, say).");
    }
    return kDone;
}

int showLockouts(const Console& console) {
    bool missing = false;
    const std::optional<std::vector<std::string>> lines = linesIfThere(console, kLockoutFileName, missing);
    if (!lines && !missing) return kRefused;
    const std::vector<std::int64_t> locked = lines ? lockedHertz(*lines) : std::vector<std::int64_t>{};
    if (locked.empty()) console.out << "No frequency is locked out.\n";
    for (const std::int64_t hertz : locked) console.out << megahertz(hertz) << '\n';
    return kDone;
}

int unlockFrequencies(const Console& console, const CommandLine& line) {
    bool missing = false;
    const std::optional<std::vector<std::string>> lines = linesIfThere(console, kLockoutFileName, missing);
    if (!lines && !missing) return kRefused;
    const std::string name(kLockoutFileName);
    if (!line.unlockHertz) {
        if (missing) {
            console.out << "No frequency is locked out.\n";
            return kDone;
        }
        const std::size_t count = lockedHertz(*lines).size();
        if (!console.panel.io.replaceTextFile(name, {})) {
            console.refuse(name + " was not changed.");
            return kRefused;
        }
        if (count == 0) console.out << "No frequency is locked out.\n";
        else if (count == 1) console.out << "The one frequency locked out is unlocked.\n";
        else console.out << "All " << count << " frequencies locked out are unlocked.\n";
        return kDone;
    }
    int removed = 0;
    const std::vector<std::string> kept = lines ? withoutFrequency(*lines, *line.unlockHertz, removed) : std::vector<std::string>{};
    if (removed == 0) {
        console.refuse(megahertz(*line.unlockHertz) + " is not locked out. Nothing was written.");
        return kRefused;
    }
    if (!console.panel.io.replaceTextFile(name, kept)) {
        console.refuse(name + " was not changed.");
        return kRefused;
    }
    console.out << megahertz(*line.unlockHertz) << " is unlocked.\n";
    return kDone;
}

}  // namespace voxpan::panbank
