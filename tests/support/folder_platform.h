// The recording fake with its text files in a real folder, through the
// panel's own file code: for faults that only a real file system shows.
#pragma once

#include <string>
#include <vector>

#include "platform/core/text_files.h"
#include "platform/core/working_folder.h"
#include "support/recording_platform.h"

namespace voxpan::testing {

class FolderPlatform : public RecordingPlatform {
public:
    std::string folder;

    FileHandle openForReading(const std::string& name) override { return files_.openForReading(path(name)); }
    FileHandle openForWriting(const std::string& name) override { return files_.openForWriting(path(name)); }
    bool readLine(FileHandle file, std::string& line) override { return files_.readLine(file, line); }
    void writeLine(FileHandle file, std::string_view line) override { files_.writeLine(file, line); }
    void closeFile(FileHandle file) override { files_.closeFile(file); }
    bool deleteFile(const std::string& name) override { return files_.deleteFile(path(name)); }
    PathKind pathKind(const std::string& name) override { return pathKindOf(path(name)); }
    bool replaceTextFile(const std::string& name, const std::vector<std::string>& lines) override {
        journal.push_back("file-replace " + name);
        return files_.replaceTextFile(path(name), lines);
    }

private:
    std::string path(const std::string& name) const { return folder + "/" + name; }
    TextFiles files_;
};

}  // namespace voxpan::testing
