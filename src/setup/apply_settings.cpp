#include "setup/apply_settings.h"

#include <ostream>
#include <system_error>

#include "setup/working_folder.h"
#include "shell/startup.h"

namespace voxpan::setup {
namespace fs = std::filesystem;

namespace {

const char* onOff(bool on) { return on ? "on" : "off"; }

bool isThere(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

}  // namespace

void describePlan(std::ostream& out, const fs::path& folder, const Settings& settings, const fs::path& words) {
    out << "Working folder: " << folder.string() << (isThere(folder) ? "" : " (it will be created)") << '\n';
    out << "Serial port: " << settings.port << '\n';
    out << "Line speed: " << settings.speed << " bits per second\n";
    out << "Spoken words: " << onOff(settings.voice) << '\n';
    out << "Traffic log: " << onOff(settings.log) << '\n';
    out << "Hit log: " << onOff(settings.hits) << '\n';
    if (isThere(folder / "wave")) {
        out << "Recorded words: the folder's own wave, left as it is\n";
    } else if (!words.empty()) {
        out << "Recorded words: " << kFolderWords.wordsPutIn << " as wave, from " << words.string() << '\n';
    }
    if (isThere(folder / kConfigurationName)) {
        out << "The old " << kConfigurationName << " will be kept as " << kConfigurationName << ".bak\n";
    }
    out << std::flush;
}

bool applySettings(std::ostream& out, std::ostream& err, const fs::path& folder, const Settings& settings,
                   const fs::path& words) {
    std::string wordsDone;
    std::string problem = prepareWorkingFolder(folder, words, wordsDone);
    if (problem.empty()) {
        const bool replacing = isThere(folder / kConfigurationName);
        problem = writeConfigurationFile(folder, formatConfiguration(settings));
        if (problem.empty()) {
            out << "Written: " << (folder / kConfigurationName).string();
            if (replacing) out << " (the old one is kept as " << kConfigurationName << ".bak)";
            out << '\n' << wordsDone << '\n';
            out << howToStartThePanel(folder) << '\n' << std::flush;
            return true;
        }
    }
    err << "pansetup: " << problem << '\n' << std::flush;
    return false;
}

}  // namespace voxpan::setup
