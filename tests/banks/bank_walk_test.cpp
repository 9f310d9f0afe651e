#include "banks/bank_walk.h"

#include <gtest/gtest.h>

#include <climits>

#include "banks/bank_file.h"

namespace voxpan {
namespace {

// A table with its marker at `end` and channels before it (end 400: none).
BankTable tableEndingAt(int end) {
    BankTable table{};
    for (int i = 4; i < end && i < 400; i += 2) table[static_cast<std::size_t>(i)] = std::to_string(100 + i);
    if (end < 400) table[static_cast<std::size_t>(end)] = "9999";
    return table;
}

TEST(BankWalk, StepsChannelByChannelAndWrapsAtBothEnds) {
    const BankTable three = tableEndingAt(10);  // channels at 4, 6, 8
    const struct {
        int from;
        int next;
        int previous;
    } cases[] = {
        {4, 6, 8},    // Down from the first channel goes to the last
        {6, 8, 4},
        {8, 4, 6},    // Up from the last channel goes to the first
        {5, 6, 8},    // a blank line counts as its channel
        {7, 8, 4},
        {9, 4, 6},
        {10, 4, 8},   // left on the marker
        {2, 4, 8},    // the lastIndex of an empty bank
        {0, 4, 8},
        {-3, 4, 8},
        {INT_MIN, 4, 8},
        {419, 4, 8},
        {INT_MAX, 4, 8},
    };
    EXPECT_EQ(channelCount(three), 3);
    for (const auto& c : cases) {
        EXPECT_EQ(nextChannelIndex(three, c.from), c.next) << "next from " << c.from;
        EXPECT_EQ(previousChannelIndex(three, c.from), c.previous) << "previous from " << c.from;
    }
}

TEST(BankWalk, EveryStartingPointLandsOnAChannelOfTheTable) {
    for (int end = 4; end <= 400; end += 2) {
        const BankTable table = tableEndingAt(end);
        const int last = end == 4 ? 4 : end - 2;
        for (int from = -5; from < kBankTableSize + 5; ++from) {
            for (int to : {nextChannelIndex(table, from), previousChannelIndex(table, from)}) {
                ASSERT_TRUE(to >= 4 && to <= last && to % 2 == 0) << "end " << end << ", from " << from << " to " << to;
            }
        }
        // Going round by next and by previous visits every channel once.
        int at = 4;
        for (int step = 0; step < channelCount(table); ++step) at = nextChannelIndex(table, at);
        EXPECT_EQ(at, 4) << "end " << end;
        for (int step = 0; step < channelCount(table); ++step) at = previousChannelIndex(table, at);
        EXPECT_EQ(at, 4) << "end " << end;
    }
}

}  // namespace
}  // namespace voxpan
