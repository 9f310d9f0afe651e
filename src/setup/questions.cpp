#include "setup/questions.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <istream>
#include <ostream>

namespace voxpan::setup {
namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool sameWords(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string range(std::size_t count) {
    return count == 1 ? "1" : "a number from 1 to " + std::to_string(count);
}

}  // namespace

void Questions::say(std::string_view line) { out_ << line << '\n' << std::flush; }

std::string Questions::judge(const Question& question, const std::string& typed, Answer& answer) const {
    const std::size_t count = question.choices.size();
    if (typed.empty()) {
        if (count > 0) return "An answer is needed: type " + range(count) + ".";
        return "An answer is needed.";
    }
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), number);
    const bool isNumber = allDigits(typed) && error == std::errc();
    if (isNumber && number >= 1 && number <= count) {
        answer.choice = number - 1;
        answer.text = question.choices[number - 1];
        return {};
    }
    // A choice may also be given by its own words: "9600", "yes".
    for (std::size_t index = 0; index < count; ++index) {
        if (sameWords(typed, question.choices[index])) {
            answer.choice = index;
            answer.text = question.choices[index];
            return {};
        }
    }
    if (!question.judgeOther) {
        if (allDigits(typed)) return "There is no choice " + typed + ": type " + range(count) + ".";
        return typed + " is not one of the choices: type " + range(count) + ".";
    }
    answer.text = typed;
    return question.judgeOther(typed);
}

std::optional<Answer> Questions::ask(const Question& question) {
    for (;;) {
        out_ << question.text << '\n';
        for (std::size_t index = 0; index < question.choices.size(); ++index) {
            out_ << index + 1 << ". " << question.choices[index] << '\n';
        }
        out_ << question.prompt;
        if (!question.defaultAnswer.empty()) out_ << " [" << question.defaultAnswer << "]";
        out_ << ": " << std::flush;

        std::string line;
        if (!std::getline(in_, line)) {
            out_ << '\n' << std::flush;
            return std::nullopt;
        }
        std::string typed = trimmed(line);
        if (typed.empty()) typed = question.defaultAnswer;
        Answer answer;
        const std::string problem = judge(question, typed, answer);
        if (problem.empty()) return answer;
        say(problem);
    }
}

std::optional<std::size_t> Questions::choose(std::string text, std::vector<std::string> choices,
                                             std::size_t defaultChoice) {
    Question question;
    question.text = std::move(text);
    question.choices = std::move(choices);
    question.defaultAnswer = std::to_string(defaultChoice + 1);
    const std::optional<Answer> answer = ask(question);
    if (!answer) return std::nullopt;
    return answer->choice;
}

}  // namespace voxpan::setup
