#include "keys/radio_bank_check.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <set>

#include "banks/bank_test_support.h"
#include "receiver_sim/receiver.h"

namespace voxpan {
namespace {

using testing::Lines;

// Each pause ("shdel") and each word takes this long on the fake's clock.
constexpr std::int64_t kPlayMs = 100;
// The longest a bank may take: its queries, its setting and the words.
constexpr std::int64_t kMostMsPerBank = 7000;

class RadioBankCheck : public testing::BankTest {
protected:
    RadioBankCheck() { fake.msPerPlay = kPlayMs; }

    // The in-process receiver on the line: it hears every write at once
    // and answers as the fake's clock moves.
    void connect(receiver_sim::Options options) {
        receiver = std::make_unique<receiver_sim::Receiver>(std::move(options));
        fake.onSerialWrite = [this](std::string_view bytes) {
            receiver->receive(bytes);
            fake.serialInput += receiver->takeOutput();
        };
        fake.onTimePassed = [this](std::int64_t ms) {
            receiver->advance(static_cast<double>(ms) / 1000.0);
            fake.serialInput += receiver->takeOutput();
        };
    }
    // Runs the check; the milliseconds it took.
    std::int64_t check() {
        const std::int64_t start = fake.clockMs;
        checkRadioBanks(panel);
        return fake.clockMs - start;
    }
    std::set<char> banksAsked() const {
        std::set<char> banks;
        for (const std::string& command : commands())
            if (command.rfind("MW", 0) == 0 && command.size() >= 3) banks.insert(command[2]);
        return banks;
    }

    std::unique_ptr<receiver_sim::Receiver> receiver;
};

TEST_F(RadioBankCheck, BanksAlreadyAt90AreOnlyAskedAbout) {
    connect({});
    check();
    Lines expected{"play wave/ckconfig"};
    for (char bank = 'A'; bank <= 'J'; ++bank) {
        expected.push_back(std::string("serial-write MW") + bank + "\\r");
        expected.push_back("play wave/shdel");
    }
    expected.push_back("play wave/ok");
    EXPECT_EQ(events(), expected);
}

TEST_F(RadioBankCheck, ABankNotAt90IsSetWithItsLetterAndBeepsWhileTheReceiverRearranges) {
    receiver_sim::Options options;
    options.bankSettings['D'] = 50;
    options.bankSetSeconds = 3.0;
    connect(options);
    check();
    const Lines said = this->said();
    EXPECT_EQ(said.front(), "ckconfig");
    EXPECT_EQ(said.back(), "ok");
    EXPECT_EQ(std::count(said.begin(), said.end(), "D"), 1);
    EXPECT_EQ(std::count(said.begin(), said.end(), "beep"), 1) << "one beep after 25 pauses of a 3 s wait";
    Lines sent = commands();
    EXPECT_EQ(sent, (Lines{"MWA\r", "MWB\r", "MWC\r", "MWD\r", "MWD90\r", "MWE\r", "MWF\r", "MWG\r", "MWH\r", "MWI\r",
                           "MWJ\r"}));
    EXPECT_EQ(receiver->bankSetting('D'), 90);
    // The letter is said after the pause that follows the query, before
    // the setting goes out.
    const Lines order = events();
    const auto letter = std::find(order.begin(), order.end(), "play wave/D");
    ASSERT_NE(letter, order.end());
    EXPECT_EQ(*(letter - 1), "play wave/shdel");
    EXPECT_EQ(*(letter + 1), "serial-write MWD90\\r");
}

TEST_F(RadioBankCheck, AnAnswerThatCameDuringTheFirstPauseCounts) {
    receiver_sim::Options options;
    options.bankSettings['B'] = 0;
    options.bankSetSeconds = 0;
    connect(options);
    const std::int64_t took = check();
    EXPECT_EQ(said().back(), "ok");
    EXPECT_EQ(receiver->bankSetting('B'), 90);
    EXPECT_LT(took, 10 * 1000) << "no wait for an answer already there";
}

TEST_F(RadioBankCheck, ASilentReceiverEndsTheCheckWithRncWithinABanksBound) {
    receiver_sim::Options options;
    options.fault = receiver_sim::Fault::Silent;
    connect(options);
    const std::int64_t took = check();
    // Five queries, a pause after each and another before each new one.
    EXPECT_EQ(said(), (Lines{"ckconfig", "shdel", "shdel", "shdel", "shdel", "shdel", "shdel", "shdel", "shdel",
                             "shdel", "rnc"}));
    EXPECT_EQ(commands(), (Lines{"MWA\r", "MWA\r", "MWA\r", "MWA\r", "MWA\r"}));
    EXPECT_LE(took, kMostMsPerBank);
}

TEST_F(RadioBankCheck, WithoutSoundTheQueriesStillWaitForASlowReceiver) {
    fake.msPerPlay = 0;
    fake.soundResults["wave/shdel"] = SoundResult::NoDevice;
    receiver_sim::Options options;
    options.fault = receiver_sim::Fault::Slow;  // every answer comes 250 ms late
    connect(options);
    EXPECT_GE(check(), 10 * 100) << "a pause after each query";
    EXPECT_EQ(said().back(), "ok");
}

TEST_F(RadioBankCheck, AReceiverThatAnswersOnlySomeQueriesEndsAtTheFirstItIgnores) {
    receiver_sim::Options options;
    options.ignoredCommands = {"MWE"};
    connect(options);
    const std::int64_t took = check();
    const Lines said = this->said();
    EXPECT_EQ(said.back(), "rnc");
    EXPECT_EQ(std::count(said.begin(), said.end(), "ok"), 0);
    EXPECT_EQ(banksAsked(), (std::set<char>{'A', 'B', 'C', 'D', 'E'}));
    EXPECT_LE(took, 5 * kMostMsPerBank);
}

// A receiver played by hand: scripted answers to each command, in turn.
TEST_F(RadioBankCheck, ShortAndStaleAnswersAreNoSetting) {
    std::map<std::string, std::deque<std::string>> answers{
        {"MWA\r", {"MWB 050\r\n", "MWA 0", "MWA 090\r\n"}},  // stale, short, then the answer
        {"MWB\r", {"LM%000\r\n", "MWB 0x5\r\n", "MWB 090\r\n"}},
    };
    fake.onSerialWrite = [&](std::string_view bytes) {
        const std::string command(bytes);
        auto found = answers.find(command);
        if (found != answers.end() && !found->second.empty()) {
            fake.serialInput += found->second.front();
            found->second.pop_front();
        } else if (command.size() == 4 && command.rfind("MW", 0) == 0) {
            fake.serialInput += command.substr(0, 3) + " 090\r\n";
        }
    };
    check();
    const Lines sent = commands();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "MWA\r"), 3);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "MWB\r"), 3);
    for (const std::string& command : sent) EXPECT_NE(command.size(), 6u) << "a bank was set: " << command;
    EXPECT_EQ(said().back(), "ok");
}

TEST_F(RadioBankCheck, EndsWithinItsBoundWhateverTheLineDoesAndSaysOkOnlyWhenEveryBankIs90) {
    using receiver_sim::Fault;
    int runs = 0;
    for (Fault fault : {Fault::None, Fault::Slow, Fault::Split, Fault::Garbage, Fault::Silent}) {
        for (unsigned seed = 1; seed <= 4; ++seed) {
            for (const Lines& ignored : {Lines{}, Lines{"MW"}, Lines{"MWC"}, Lines{"MWG9"}}) {
                for (double rearranging : {0.0, 1.0, 3.0}) {
                    receiver_sim::Options options;
                    options.fault = fault;
                    options.seed = seed;
                    options.ignoredCommands = ignored;
                    options.bankSetSeconds = rearranging;
                    for (char bank = 'A'; bank <= 'J'; ++bank)
                        if ((bank + seed) % 3 == 0) options.bankSettings[bank] = static_cast<int>(bank) * seed % 200;
                    fake.plays.clear();
                    fake.serialWrites.clear();
                    fake.serialInput.clear();
                    connect(options);
                    const std::int64_t took = check();
                    const std::string what = "fault " + std::to_string(static_cast<int>(fault)) + ", seed " +
                                             std::to_string(seed) + ", ignoring " +
                                             (ignored.empty() ? std::string("nothing") : ignored[0]) +
                                             ", rearranging " + std::to_string(rearranging) + " s";
                    const Lines said = this->said();
                    ASSERT_FALSE(said.empty()) << what;
                    const std::size_t banks = banksAsked().size();
                    EXPECT_LE(took, static_cast<std::int64_t>(banks) * kMostMsPerBank) << what;
                    bool allAt90 = true;
                    for (char bank = 'A'; bank <= 'J'; ++bank) allAt90 = allAt90 && receiver->bankSetting(bank) == 90;
                    EXPECT_EQ(std::count(said.begin(), said.end(), "ok") + std::count(said.begin(), said.end(), "rnc"), 1)
                        << what;
                    if (said.back() == "ok") {
                        EXPECT_TRUE(allAt90) << what << ": ok for a check that left a bank unset";
                        EXPECT_EQ(banks, 10u) << what;
                    } else {
                        EXPECT_EQ(said.back(), "rnc") << what;
                    }
                    if (fault == Fault::None && ignored.empty()) {
                        EXPECT_EQ(said.back(), "ok") << what;
                    }
                    ++runs;
                }
            }
        }
    }
    EXPECT_EQ(runs, 5 * 4 * 4 * 3);
}

}  // namespace
}  // namespace voxpan
