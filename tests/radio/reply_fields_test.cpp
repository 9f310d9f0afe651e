#include "radio/reply_fields.h"

#include <gtest/gtest.h>

namespace voxpan {
namespace {

TEST(ReplyFields, LevelAndSquelch) {
    struct Case {
        const char* reply;
        bool closed;
        int level;
    };
    const Case cases[] = {
        {"LM%000\r", true, 0}, {"LM 011\r", false, 0}, {"LM 012\r", false, 1}, {"LM 060\r", false, 5},
        {"LM 120\r", false, 10}, {"LM -12\r", false, 0}, {"LM 1", false, 0}, {"LM", false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(squelchClosedIn(c.reply), c.closed) << c.reply;
        EXPECT_EQ(signalLevelIn(c.reply), c.level) << c.reply << " never below 0";
    }
}

TEST(ReplyFields, OnlyWholeDigitFieldsAfterRfCount) {
    EXPECT_EQ(digitsAfterRf("VS AB RF0145500000", 10), "0145500000");
    EXPECT_EQ(digitsAfterRf("LC1 MXA05 RF0145500000 ST0125", 9), "014550000");
    EXPECT_EQ(digitsAfterRf("VS AB RF01455", 10), "") << "cut short";
    EXPECT_EQ(digitsAfterRf("VS AB RF0145 00000", 10), "") << "a blank";
    EXPECT_EQ(digitsAfterRf("VS AB RF01455000\r0", 10), "") << "a carriage return";
    EXPECT_EQ(digitsAfterRf("VS AB 0145500000", 10), "") << "no RF";
}

TEST(ReplyFields, MegahertzFromTheReceiversDigits) {
    EXPECT_EQ(megahertzFromDigits("0145500000", true), "145.5");
    EXPECT_EQ(megahertzFromDigits("0000500000", true), ".5");
    EXPECT_EQ(megahertzFromDigits("1296012500", true), "1296.0125");
    EXPECT_EQ(megahertzFromDigits("014550000", false), "145.50000") << "a memory scan's trailing zeros stay";
}

}  // namespace
}  // namespace voxpan
