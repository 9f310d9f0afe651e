#include "setup/apply_settings.h"

#include <ostream>
#include <system_error>

#include "setup/folder_access.h"
#include "setup/word_sets.h"
#include "setup/working_folder.h"
#include "shell/startup.h"
#include "voice/speech_paces.h"

namespace voxpan::setup {
namespace fs = std::filesystem;

namespace {

const char* onOff(bool on) { return on ? "on" : "off"; }

bool isThere(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

std::string voiceText(const Settings& settings) {
    if (!settings.voice) return "off";
    if (settings.systemVoice) return "the system's own voice (" + std::string(kFolderWords.systemVoice) + ")";
    return "on";
}

}  // namespace

WordsPlan planWords(const fs::path& folder, const Settings& settings, const fs::path& normalWords) {
    WordsPlan plan;
    if (normalWords.empty()) return plan;
    const fs::path set = wordSetAt(normalWords, settings.pace);
    if (isFolder(set)) plan.words = set;
    const std::optional<SpeechPace> current = paceOfWords(folder / "wave", normalWords);
    plan.replacing = current && *current != settings.pace && !plan.words.empty();
    return plan;
}

void describePlan(std::ostream& out, const fs::path& folder, const Settings& settings, const fs::path& words) {
    out << "Working folder: " << folder.string() << (isThere(folder) ? "" : " (it will be created)") << '\n';
    out << "Serial port: " << settings.port << '\n';
    out << "Line speed: " << settings.speed << " bits per second\n";
    out << "Spoken words: " << voiceText(settings) << '\n';
    if (settings.voice) out << "Pace of the words: " << paceEntry(settings.pace).name << '\n';
    out << "Traffic log: " << onOff(settings.log) << '\n';
    out << "Hit log: " << onOff(settings.hits) << '\n';
    const WordsPlan plan = planWords(folder, settings, words);
    if (isThere(folder / "wave") && !plan.replacing) {
        out << "Recorded words: the folder's own wave, left as it is\n";
    } else if (!plan.words.empty()) {
        out << "Recorded words: " << kFolderWords.wordsPutIn << " as wave" << (plan.replacing ? " in place of the "
                                                                                                 "words there" : "")
            << ", from " << plan.words.string() << '\n';
    }
    if (isThere(folder / kConfigurationName)) {
        out << "The old " << kConfigurationName << " will be kept as " << kConfigurationName << ".bak\n";
    }
    out << std::flush;
}

bool applySettings(std::ostream& out, std::ostream& err, const fs::path& folder, const Settings& settings,
                   const fs::path& words) {
    std::string wordsDone;
    const WordsPlan plan = planWords(folder, settings, words);
    std::string problem = prepareWorkingFolder(folder, plan.words, wordsDone, plan.replacing);
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

SpeechPace currentPace(const fs::path& folder, const fs::path& normalWords) {
    if (const std::optional<SpeechPace> pace = paceOfWords(folder / "wave", normalWords)) return *pace;
    if (const std::optional<Settings> existing = readConfigurationFile(folder)) return existing->pace;
    return SpeechPace::Normal;
}

bool changeVoiceAndPace(std::ostream& out, std::ostream& err, const fs::path& folder, const Settings* voice,
                        std::optional<SpeechPace> pace, const fs::path& normalWords) {
    const std::optional<std::string> bytes = readConfigurationBytes(folder);
    if (!bytes) {
        err << "pansetup: there is no " << kConfigurationName << " in " << folder.string()
            << " to change: set the panel up first (pansetup, or pansetup --port ...). Nothing was written.\n"
            << std::flush;
        return false;
    }
    Settings settings = parseConfiguration(*bytes);
    if (voice != nullptr) {
        settings.voice = voice->voice;
        settings.systemVoice = voice->systemVoice;
    }
    if (pace) {
        settings.pace = *pace;
        const WordsPlan plan = planWords(folder, settings, normalWords);
        std::string wordsDone;
        if (std::string problem = prepareWorkingFolder(folder, plan.words, wordsDone, plan.replacing);
            !problem.empty()) {
            err << "pansetup: " << problem << '\n' << std::flush;
            return false;
        }
        out << wordsDone << '\n';
    }
    const std::string changed = withVoiceLine(*bytes, settings);
    if (changed == *bytes) {
        out << (folder / kConfigurationName).string() << " already says so; it was left as it is.\n" << std::flush;
        return true;
    }
    if (const std::string problem = writeConfigurationFile(folder, changed); !problem.empty()) {
        err << "pansetup: " << problem << '\n' << std::flush;
        return false;
    }
    out << "Written: " << (folder / kConfigurationName).string() << " (the old one is kept as " << kConfigurationName
        << ".bak): spoken words " << voiceText(settings)
        << (settings.voice ? ", pace " + std::string(paceEntry(settings.pace).name) : std::string()) << '\n'
        << std::flush;
    return true;
}

}  // namespace voxpan::setup
