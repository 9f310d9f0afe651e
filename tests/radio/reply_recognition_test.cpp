#include "radio/reply_recognition.h"

#include <gtest/gtest.h>

#include <random>

namespace voxpan {
namespace {

TEST(ReplyRecognition, KeepsTheWindowFromTheKeyword) {
    EXPECT_EQ(recogniseReply("xyLM123\r"), "LM123\r");
    EXPECT_EQ(recogniseReply("LM%000\r\n"), "LM%000") << "six characters from LM";
    EXPECT_EQ(recogniseReply("LM1"), "LM1") << "a window past the end ends where the text ends";
    EXPECT_EQ(recogniseReply("MWA 90 some more text\r"), "MWA 90 some m");
    EXPECT_EQ(recogniseReply("VS RF0145500000 ST012500\r"), "VS RF0145500000 ST");
    EXPECT_EQ(recogniseReply("LC1 MXA05 RF0145500000 ST012500 MD1\r"), "LC1 MXA05 RF0145500000 ST01250");
}

TEST(ReplyRecognition, KeywordOrderWinsOverPlaceInTheText) {
    EXPECT_EQ(recogniseReply("LM123\rVS RF0145500000\r"), "VS RF0145500000\r")
        << "VS is looked for before LM, wherever it stands";
    EXPECT_EQ(recogniseReply("VS RF0145500000\rMW A90\rLC1 RF0145"), "LC1 RF0145");
    EXPECT_EQ(recogniseReply("LMLM%"), "LMLM%") << "the first occurrence of a keyword is taken";
}

TEST(ReplyRecognition, NothingUsableGivesTheEmptyText) {
    EXPECT_EQ(recogniseReply(""), "");
    EXPECT_EQ(recogniseReply("\r\n"), "");
    EXPECT_EQ(recogniseReply("lm123 vs mw lc"), "") << "keywords are case-sensitive";
    EXPECT_EQ(recogniseReply("L"), "");
    EXPECT_EQ(recogniseReply(std::string("\0L\0M", 4)), "") << "a keyword cut by a NUL is no keyword";
}

TEST(ReplyRecognition, NulBytesAreKeptAsReceived) {
    EXPECT_EQ(recogniseReply(std::string("\0LM\0\0\0\0\0", 8)), std::string("LM\0\0\0\0", 6));
}

// Random bytes, NULs, bursts and replies cut anywhere: the window must always
// lie inside what was received, start at a keyword and never exceed its
// length.
TEST(ReplyRecognition, SurvivesOneHundredThousandRandomReceptions) {
    std::mt19937 random(20261207);
    const std::string alphabet = std::string("LMVSCW%0123456789 \r\n", 20) + std::string("\0\x1e\xff", 3);
    const std::vector<std::string> replies{"LM%000\r", "LM0123\r", "VS RF0145500000 ST012500\r", "MWA 90\r",
                                           "LC1 MXA05 RF0145500000 ST012500 MD1\r"};
    for (int round = 0; round < 100000; ++round) {
        std::string received;
        const int size = std::uniform_int_distribution<int>(0, 300)(random);
        while (static_cast<int>(received.size()) < size) {
            if (random() % 4 == 0) {
                const std::string& reply = replies[random() % replies.size()];
                const std::size_t cut = random() % (reply.size() + 1);
                received += random() % 2 ? reply.substr(0, cut) : reply.substr(cut);
            } else if (random() % 2) {
                received += alphabet[random() % alphabet.size()];
            } else {
                received += static_cast<char>(random() % 256);
            }
        }
        const std::string kept = recogniseReply(received);
        if (kept.empty()) continue;
        ASSERT_LE(kept.size(), 30u) << "round " << round;
        ASSERT_NE(received.find(kept), std::string::npos) << "round " << round;
        const std::string keyword = kept.substr(0, 2);
        const std::size_t limit = keyword == "LC" ? 30 : keyword == "MW" ? 13 : keyword == "VS" ? 18 : 6;
        ASSERT_TRUE(keyword == "LC" || keyword == "MW" || keyword == "VS" || keyword == "LM") << "round " << round;
        ASSERT_LE(kept.size(), limit) << "round " << round;
    }
}

}  // namespace
}  // namespace voxpan
