// Lines for the person setting the panel up. A program started from a
// console or a script writes them to stderr; one started from the Explorer
// or a shortcut has no stderr, and writes them to a file in its working
// folder instead, where that person can read them afterwards.
#pragma once

#include <string>
#include <string_view>

namespace voxpan {

inline constexpr const char* kErrorFileName = "voxpan.err";

class ErrorOutput {
public:
    // stderrHandle: the process's standard error (a HANDLE), which may be
    // null or invalid; fallbackFile: where the lines go then.
    ErrorOutput(void* stderrHandle, std::string fallbackFile);
    // The process's own standard error, and kErrorFileName in the working
    // folder.
    static ErrorOutput& process();

    // Writes the line and CR LF at once. The fallback file is emptied by the
    // first line of a run and added to by the later ones.
    void line(std::string_view text);
    // The panel starts: a fallback file left by an earlier run is emptied
    // now, whether or not this run writes to it.
    void startRun();

private:
    bool writeToStderr(const std::string& bytes);
    void writeToFile(const std::string& bytes);

    void* stderr_;
    std::string fallbackFile_;
    bool fileStarted_ = false;
};

}  // namespace voxpan
