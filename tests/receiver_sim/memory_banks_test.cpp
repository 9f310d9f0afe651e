// The bank setting that "MW" reports and changes.
#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace receiver_sim {
namespace {

using testing::ask;

// Where a client finds the setting: the two characters five and six places
// after the M of "MW".
std::string settingIn(const std::string& reply) {
    std::size_t m = reply.find("MW");
    return m == std::string::npos ? "" : reply.substr(m + 5, 2);
}

TEST(BankSetting, EveryBankReports90Unless) {
    Receiver receiver;
    for (char bank = 'A'; bank <= 'J'; ++bank) {
        std::string reply = ask(receiver, std::string("MW") + bank);
        EXPECT_EQ(reply, std::string("MW") + bank + " 090\r\n");
        EXPECT_EQ(settingIn(reply), "90") << "bank " << bank;
    }
}

TEST(BankSetting, ConfiguredBanksReportTheirOwnSetting) {
    Options options;
    options.bankSettings['D'] = 50;
    Receiver receiver(options);
    std::string reply = ask(receiver, "MWD");
    EXPECT_EQ(reply, "MWD 050\r\n");
    EXPECT_EQ(settingIn(reply), "50");
    EXPECT_EQ(settingIn(ask(receiver, "MWE")), "90");
}

TEST(BankSetting, SettingAnswersOnlyAfterTheReceiverHasRearranged) {
    Options options;
    options.bankSettings['D'] = 50;
    options.bankSetSeconds = 1.0;
    Receiver receiver(options);
    EXPECT_EQ(ask(receiver, "MWD90"), "") << "no answer at once";
    EXPECT_EQ(receiver.bankSetting('D'), 90);
    receiver.advance(0.9);
    EXPECT_EQ(receiver.takeOutput(), "");
    receiver.advance(0.1);
    EXPECT_EQ(receiver.takeOutput(), "\r\n");
    EXPECT_EQ(settingIn(ask(receiver, "MWD")), "90");
}

TEST(BankSetting, RefusesBadLettersAndValues) {
    Receiver receiver;
    EXPECT_EQ(ask(receiver, "MWK"), "?\r\n");
    EXPECT_EQ(ask(receiver, "MW"), "?\r\n");
    EXPECT_EQ(ask(receiver, "MWA9x"), "?\r\n");
    EXPECT_EQ(ask(receiver, "MWA1000"), "?\r\n");
    EXPECT_EQ(receiver.bankSetting('A'), 90);
    EXPECT_EQ(receiver.bankSetting('K'), -1);
}

TEST(BankSetting, LowerCaseBanksExist) {
    Receiver receiver;
    EXPECT_EQ(ask(receiver, "MWj"), "MWj 090\r\n");
}

}  // namespace
}  // namespace receiver_sim
