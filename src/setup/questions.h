// Questions asked line by line, for an operator who may hear rather than see
// them: one question at a time, numbered choices each on its own line, the
// default in brackets taken with Enter, and a wrong answer explained in one
// line before the question is asked again. No cursor movement, no colour.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace voxpan::setup {

struct Question {
    std::string text;                  // the question's own line
    std::vector<std::string> choices;  // numbered from 1; none for a typed answer
    std::string prompt = "Number";     // the line the answer is typed on
    std::string defaultAnswer;         // what Enter alone gives; empty: an answer is needed
    // Judges an answer that is neither a choice's number nor its text: empty
    // when it is taken, else why not, in one line. Without it only choices count.
    std::function<std::string(std::string_view)> judgeOther;
};

struct Answer {
    std::optional<std::size_t> choice;  // index into the choices, when one was chosen
    std::string text;                   // the answer as typed (blanks trimmed), or the default
};

class Questions {
public:
    Questions(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

    // Asks until the answer is good; nothing when the input has ended.
    std::optional<Answer> ask(const Question& question);
    // Asks for one of the choices; `defaultChoice` is an index.
    std::optional<std::size_t> choose(std::string text, std::vector<std::string> choices,
                                      std::size_t defaultChoice);
    void say(std::string_view line);

private:
    // Why the answer is not good, or empty, with the answer filled in.
    std::string judge(const Question& question, const std::string& typed, Answer& answer) const;
    std::istream& in_;
    std::ostream& out_;
};

}  // namespace voxpan::setup
