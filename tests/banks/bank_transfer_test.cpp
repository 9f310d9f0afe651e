#include "banks/bank_transfer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "banks/bank_test_support.h"
#include "radio/frequency_conversion.h"
#include "receiver_sim/receiver.h"

namespace voxpan {
namespace {

using testing::bankLinesOf;
using testing::Lines;
using testing::manyChannels;

class BankTransfer : public testing::BankTest {
protected:
    void transfer(const std::string& entry) {
        panel.entryText = entry;
        writeBankToReceiver(panel);
    }
    Lines memoryWrites() const {
        Lines writes;
        for (const std::string& command : commands())
            if (command.rfind("MX", 0) == 0) writes.push_back(command);
        return writes;
    }
};

TEST_F(BankTransfer, EachChannelGoesOutAsOneMemoryWriteAfterAPause) {
    putFile("bank05.dat", bankLinesOf("bank05", "FM", "12.5", {"145.5", "433.075"}));
    transfer("05C");
    Lines expected{"play wave/wait"};
    for (int i = 0; i < 10; ++i) expected.push_back("play wave/shdel");
    for (const char* write : {"serial-write MXC00 RF0145500000 ST012500 MD1 TMxxxxxxxxxxxx\\r",
                              "serial-write MXC01 RF0433075000 ST012500 MD1 TMxxxxxxxxxxxx\\r"}) {
        expected.push_back("play wave/shdel");
        expected.push_back(write);
    }
    expected.push_back("play wave/ok");
    EXPECT_EQ(events(), expected);
    EXPECT_EQ(replacements(), 0) << "a transfer writes no file";
}

// A channel's second line is its name; the receiver shows twelve characters.
TEST_F(BankTransfer, ANamedChannelSendsItsNameAsItsTextAndAnUnnamedOneTwelveX) {
    const std::pair<std::string, std::string> cases[] = {
        {"Tower", "Tower       "}, {"Fire Brigade North", "Fire Brigade"}, {"  Ship 16", "  Ship 16   "},
        {" ", "xxxxxxxxxxxx"},     {"", "xxxxxxxxxxxx"},                   {"  \t ", "xxxxxxxxxxxx"},
        {"Z\xc3\xbcrich\x01", "Z  rich     "}, {"\xc3\xbc", "xxxxxxxxxxxx"}, {"446", "xxxxxxxxxxxx"},
    };
    Lines bank{"bank05", "FM", "12.5", " "};
    for (const auto& [name, text] : cases) bank.insert(bank.end(), {"145.5", name});
    bank.push_back("9999");
    putFile("bank05.dat", bank);
    transfer("05C");
    const Lines writes = memoryWrites();
    ASSERT_EQ(writes.size(), std::size(cases));
    for (std::size_t k = 0; k < std::size(cases); ++k)
        EXPECT_EQ(writes[k].substr(32), "TM" + cases[k].second + "\r") << testing::visibleBytes(cases[k].first);
}

TEST_F(BankTransfer, AnEmptyBankWaitsAndSaysOkWithoutAWrite) {
    putFile("bank05.dat", bankLinesOf("bank05", "FM", "12.5", {}));
    transfer("05C");
    EXPECT_EQ(said(), (Lines{"wait", "shdel", "shdel", "shdel", "shdel", "shdel", "shdel", "shdel", "shdel", "shdel",
                             "shdel", "ok"}));
    EXPECT_TRUE(commands().empty());
}

TEST_F(BankTransfer, AtMost91ChannelsWithABeepAfterEvery11) {
    putFile("bank00.dat", bankLinesOf("Scanbank", "FM", "12.5", manyChannels(95)));
    transfer("00A");
    const Lines writes = memoryWrites();
    ASSERT_EQ(writes.size(), 91u);
    EXPECT_EQ(writes.front().substr(0, 5), "MXA00");
    EXPECT_EQ(writes[7].substr(0, 5), "MXA07");
    EXPECT_EQ(writes[10].substr(0, 5), "MXA10");
    EXPECT_EQ(writes.back().substr(0, 5), "MXA90");
    // Which writes a beep follows.
    Lines beepAfter;
    std::string lastWrite;
    for (const std::string& event : events()) {
        if (event.rfind("serial-write ", 0) == 0) lastWrite = event.substr(13, 5);
        if (event == "play wave/beep") beepAfter.push_back(lastWrite);
    }
    EXPECT_EQ(beepAfter, (Lines{"MXA09", "MXA20", "MXA31", "MXA42", "MXA53", "MXA64", "MXA75", "MXA86"}));
    EXPECT_EQ(said().back(), "ok");
}

TEST(MemoryFrequencyField, TenDigitsOfHertzFromTheChannelsText) {
    const struct {
        const char* text;
        const char* field;
    } cases[] = {
        {"145.5", "0145500000"},    {"0145.5", "0145500000"}, {".5", "0000500000"},   {"433.075", "0433075000"},
        {"29.97", "0029970000"},    {"1.2", "0001200000"},    {"1296.5", "1296500000"}, {"145.", "0145000000"},
        {"7", "0007000000"},        {"145.0125", "0145012500"}, {"1.23456789", "0001234567"},
        {"00000000145.5", "0145500000"}, {"9999.999999", "9999999999"},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> field = memoryFrequencyField(c.text);
        ASSERT_TRUE(field) << c.text;
        EXPECT_EQ(*field, c.field) << c.text;
        if (std::stoll(*field) <= 2'147'483'647LL) {
            EXPECT_EQ(std::stoll(*field), hertzOf(c.text)) << c.text << ": the tuning converts it otherwise";
        }
    }
    for (const char* text : {"", ".", "abc", "145.5.5", "10000", "99999.5", "-145.5", " 145.5", "145.5\r", "9999 "})
        EXPECT_FALSE(memoryFrequencyField(text)) << '"' << text << '"';
}

TEST_F(BankTransfer, AChannelTheFieldCannotHoldIsLeftOutAndKeepsItsNumber) {
    putFile("bank05.dat", bankLinesOf("bank05", "FM", "12.5", {"145.5", "", "12000", "junk", "446"}));
    transfer("05C");
    EXPECT_EQ(memoryWrites(), (Lines{"MXC00 RF0145500000 ST012500 MD1 TMxxxxxxxxxxxx\r",
                                     "MXC04 RF0446000000 ST012500 MD1 TMxxxxxxxxxxxx\r"}));
    EXPECT_EQ(said().back(), "ok");
}

TEST_F(BankTransfer, AReceiverBankMustBeAPrintableCharacter) {
    putFile("bank05.dat", bankLinesOf("bank05", "FM", "12.5", {"145.5"}));
    for (const std::string& entry : {std::string("05\x10"), std::string("05\x1e"), std::string("05\x7f"),
                                    std::string("05\xbe"), std::string("05", 2) + '\0', std::string("05")}) {
        fake.plays.clear();
        fake.journal.clear();
        transfer(entry);
        EXPECT_EQ(said(), (Lines{"inv"})) << testing::visibleBytes(entry);
        EXPECT_TRUE(fake.journalOf("file-read").empty()) << testing::visibleBytes(entry);
        EXPECT_TRUE(commands().empty()) << testing::visibleBytes(entry);
    }
    for (const char* entry : {"05 ", "05p", "05&", "05J"}) {
        fake.serialWrites.clear();
        transfer(entry);
        ASSERT_EQ(commands().size(), 1u) << entry;
        EXPECT_EQ(commands()[0].substr(0, 5), std::string("MX") + entry[2] + "00") << entry;
    }
}

TEST_F(BankTransfer, AMissingBankSaysBnfAndSendsNothing) {
    transfer("05C");
    EXPECT_EQ(said(), (Lines{"bnf"}));
    EXPECT_TRUE(commands().empty());
}

TEST_F(BankTransfer, TheSimulatedReceiverStoresEveryChannelAsTheBankHasIt) {
    receiver_sim::Receiver receiver;
    fake.onSerialWrite = [&](std::string_view bytes) { receiver.receive(bytes); };
    putFile("bank05.dat", bankLinesOf("bank05", "AM", "6.25", {"145.5", ".5", "433.075", "99999", "1296.5"}));
    transfer("05C");
    const struct {
        int number;
        long long hz;
    } stored[] = {{0, 145'500'000}, {1, 500'000}, {2, 433'075'000}, {4, 1'296'500'000}};
    ASSERT_EQ(receiver.memoryChannels().size(), std::size(stored));
    for (const auto& s : stored) {
        const std::optional<receiver_sim::MemoryChannel> channel = receiver.memoryChannel('C', s.number);
        ASSERT_TRUE(channel) << "channel " << s.number;
        EXPECT_EQ(channel->hz, s.hz) << "channel " << s.number;
        EXPECT_EQ(channel->modeDigit, 2) << "channel " << s.number;
        EXPECT_EQ(channel->stepHz, 12'500) << "channel " << s.number;
        EXPECT_EQ(channel->text, "xxxxxxxxxxxx") << "channel " << s.number;
    }
}

}  // namespace
}  // namespace voxpan
