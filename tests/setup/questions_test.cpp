#include "setup/questions.h"

#include <gtest/gtest.h>

#include <sstream>

namespace voxpan::setup {
namespace {

struct Exchange {
    std::optional<Answer> answer;
    std::string heard;
};

Exchange put(const Question& question, const std::string& typed) {
    std::istringstream in(typed);
    std::ostringstream out;
    Questions questions(in, out);
    Exchange exchange;
    exchange.answer = questions.ask(question);
    exchange.heard = out.str();
    return exchange;
}

Question speedQuestion() {
    Question question;
    question.text = "Line speed:";
    question.choices = {"4800", "9600", "19200"};
    question.defaultAnswer = "2";
    return question;
}

TEST(Questions, AreAskedInPlainLinesWithTheDefaultInBrackets) {
    const Exchange exchange = put(speedQuestion(), "\n");
    EXPECT_EQ(exchange.heard, "Line speed:\n1. 4800\n2. 9600\n3. 19200\nNumber [2]: ");
    ASSERT_TRUE(exchange.answer);
    EXPECT_EQ(exchange.answer->choice, 1u) << "Enter alone takes the default";
}

TEST(Questions, AWrongAnswerIsExplainedInOneLineAndTheQuestionAskedAgain) {
    const std::string asked = "Line speed:\n1. 4800\n2. 9600\n3. 19200\nNumber [2]: ";
    struct Case {
        std::string typed;
        std::string explanation;
        std::size_t choice;
    };
    const Case cases[] = {
        {"7\n3\n", "There is no choice 7: type a number from 1 to 3.\n", 2},
        {"fast\n 1 \r\n", "fast is not one of the choices: type a number from 1 to 3.\n", 0},
        {"0\n19200\n", "There is no choice 0: type a number from 1 to 3.\n", 2},
    };
    for (const Case& c : cases) {
        const Exchange exchange = put(speedQuestion(), c.typed);
        EXPECT_EQ(exchange.heard, asked + c.explanation + asked) << c.typed;
        ASSERT_TRUE(exchange.answer) << c.typed;
        EXPECT_EQ(exchange.answer->choice, c.choice) << c.typed;
    }
}

TEST(Questions, ATypedAnswerIsJudgedAndNeededWithoutADefault) {
    Question question;
    question.text = "Which folder?";
    question.prompt = "Folder";
    question.judgeOther = [](std::string_view typed) {
        return typed.starts_with('/') ? std::string() : "Type a full path.";
    };
    const Exchange exchange = put(question, "\nhome\n/srv/radio\n");
    EXPECT_EQ(exchange.heard,
              "Which folder?\nFolder: An answer is needed.\nWhich folder?\nFolder: Type a full path.\n"
              "Which folder?\nFolder: ");
    ASSERT_TRUE(exchange.answer);
    EXPECT_EQ(exchange.answer->text, "/srv/radio");
    EXPECT_FALSE(exchange.answer->choice);
}

TEST(Questions, TheEndOfTheInputGivesNoAnswer) {
    EXPECT_FALSE(put(speedQuestion(), "").answer);
    EXPECT_FALSE(put(speedQuestion(), "9\n").answer) << "ended after a wrong answer";
}

}  // namespace
}  // namespace voxpan::setup
