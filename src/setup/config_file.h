// VOXPAN.CFG as the set-up program writes it and reads it back.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "setup/port_names.h"

namespace voxpan::setup {

struct Settings {
    std::string port;  // as the operator names it (port_names.h)
    int speed = 9600;
    bool voice = true;
    bool log = false;
    bool hits = true;
    // The words said by the system's own voice rather than the recordings.
    bool systemVoice = false;
    // The recorded words linked in, and the system voice's rate.
    SpeechPace pace = SpeechPace::Normal;
};

// The six lines, CR LF each. The panel reads each value from a fixed
// column, so the labels' widths are what puts the values there: the port
// from column 5, the speed from 7, line 3 (unused) from 6, the two switches
// in column 7, the hit log's in column 6.
std::string formatConfiguration(const Settings& settings);

// Line 4, the voice: "VOICE:" then 0 (muted), 1 (the recordings) or S (the
// system's own voice), then, when the pace is not normal, a blank and the
// pace ("VOICE:S fast").
std::string voiceLine(const Settings& settings);

// The file's bytes with line 4 made the settings' voice line and every
// other line, and its line end, as it was.
std::string withVoiceLine(std::string_view bytes, const Settings& settings);

// The values of an existing file, read by the same columns as the panel
// reads them; a COM number becomes its port (portFromFile). A file of five
// lines, from before the hit log, has it on.
Settings parseConfiguration(std::string_view bytes);

// The folder's VOXPAN.CFG, when there is one: its bytes, and its values.
std::optional<std::string> readConfigurationBytes(const std::filesystem::path& folder);
std::optional<Settings> readConfigurationFile(const std::filesystem::path& folder);

// Replaces the folder's VOXPAN.CFG at once, never leaving it half-written:
// the bytes go to a temporary file beside it, which is flushed to the disk
// and renamed over it. An existing file is first copied to VOXPAN.CFG.bak
// the same way. A linked VOXPAN.CFG is replaced where the link leads, and
// keeps its permissions and owner. Empty on success, else what went wrong.
std::string writeConfigurationFile(const std::filesystem::path& folder, std::string_view bytes);

}  // namespace voxpan::setup
