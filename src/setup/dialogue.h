// The set-up conversation: folder, port, its check and probe, speed, speech
// and log, then a summary to confirm before anything is written.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>

namespace voxpan::setup {

struct DialogueContext {
    std::filesystem::path deviceRoot = "/";  // where dev/ and sys/ are looked for
    std::filesystem::path words;             // the recorded words to link in
    std::optional<std::filesystem::path> folder;  // given on the command line: not asked
};

// Returns the exit status: 0 when VOXPAN.CFG was written, 1 when the operator
// quit, the input ended or the writing failed.
int runDialogue(std::istream& in, std::ostream& out, std::ostream& err, const DialogueContext& context);

}  // namespace voxpan::setup
