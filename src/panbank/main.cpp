// panbank: the banks of voxpan's working folder from the console: list and
// show them, bring CHIRP channel lists in and out, read the hit log and the
// lockouts.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <iterator>
#include <string>
#include <vector>

#include "panbank/command_line.h"
#include "panbank/commands.h"
#include "panbank/console_platform.h"
#include "panel/version.h"
#include "platform/core/console_program.h"
#include "platform/core/utf8_paths.h"
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

namespace fs = std::filesystem;
using namespace voxpan::panbank;

// A channel list is a few hundred lines; anything this large is no list.
constexpr std::uintmax_t kLargestList = 16u << 20;

void refuse(const std::string& text) { std::cerr << "panbank: " << text << std::endl; }

// The bytes of the list to import; nothing (and the reason told) when it
// cannot be read.
std::optional<std::string> listBytes(const std::string& name) {
    const fs::path path = voxpan::pathFromUtf8(name);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) {
        refuse("there is no file " + name + ". Nothing was written.");
        return std::nullopt;
    }
    if (!fs::is_regular_file(status)) {
        refuse(name + " is not a file. Nothing was written.");
        return std::nullopt;
    }
    if (fs::file_size(path, error) > kLargestList) {
        refuse(name + " is too large to be a channel list. Nothing was written.");
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    std::string bytes;
    if (file) bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (!file && !file.eof()) {
        refuse(name + " cannot be read (may you read it?). Nothing was written.");
        return std::nullopt;
    }
    return bytes;
}

int run(const std::vector<std::string>& arguments) {
    CommandLine line = parseCommandLine(arguments);
    if (!line.error.empty()) {
        std::cerr << "panbank: " << line.error << "\nTry: panbank --help\n";
        return kUsageError;
    }
    if (line.command == Command::Help) {
        std::cout << usageText();
        return kDone;
    }
    if (line.command == Command::Version) {
        std::cout << "panbank " << voxpan::kVersionText << "\n";
        return kDone;
    }

    // Files named on the command line are where the operator stands, not
    // in the working folder.
    std::optional<std::string> list;
    if (line.command == Command::Import && !(list = listBytes(line.file))) return kRefused;
    if (line.command == Command::Export && !line.file.empty())
        line.file = fs::absolute(voxpan::pathFromUtf8(line.file)).string();
    if (line.folder) {
        std::error_code error;
        fs::current_path(voxpan::pathFromUtf8(*line.folder), error);
        if (error) {
            refuse("cannot work in " + *line.folder + ": " + error.message() + ".");
            return kRefused;
        }
    }
#ifdef _WIN32
    // The list goes out with its CR LF as they are, not doubled.
    if (line.command == Command::Export && line.file.empty()) _setmode(_fileno(stdout), _O_BINARY);
#endif

    ConsolePlatform platform;
    const auto panel = std::make_unique<voxpan::Panel>(platform);
    const Console console{*panel, std::cout, std::cerr};
    switch (line.command) {
    case Command::List:
        return listBanks(console);
    case Command::Show:
        return showBank(console, line);
    case Command::Import:
        return importList(console, line, *list);
    case Command::Export:
        return exportList(console, line);
    case Command::Hits:
        return showHits(console, line);
    case Command::Lockouts:
        return showLockouts(console);
    case Command::Unlock:
        return unlockFrequencies(console, line);
    default:
        return kDone;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = voxpan::startConsoleProgram(argc, argv);
    try {
        return run(arguments);
    } catch (const std::exception& error) {
        // The file system failing under the program (a folder removed while it is read, say).
        refuse(error.what());
        return kRefused;
    }
}
