// Faults of the receiver's line.
#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace receiver_sim {
namespace {

Options withFault(Fault fault, unsigned seed = 1) {
    Options options;
    options.fault = fault;
    options.seed = seed;
    return options;
}

TEST(SilentFault, NeverAnswersButStillObeys) {
    Receiver receiver(withFault(Fault::Silent));
    receiver.receive("VA0433000000\rLM\rRX\rMWA\r");
    receiver.advance(5);
    EXPECT_EQ(receiver.takeOutput(), "");
    EXPECT_FALSE(receiver.outputPending());
    EXPECT_EQ(receiver.vfoAHz(), 433'000'000);
}

TEST(SilentFault, CanComeAndGoWhileTheReceiverRuns) {
    Receiver receiver;
    receiver.setFault(Fault::Silent);
    receiver.receive("LM\r");
    EXPECT_EQ(receiver.takeOutput(), "");
    receiver.setFault(Fault::None);
    receiver.receive("LM\r");
    EXPECT_EQ(receiver.takeOutput(), "LM%000\r\n");
}

TEST(SlowFault, AnswersOnlyAfterAQuarterSecond) {
    Receiver receiver(withFault(Fault::Slow));
    receiver.receive("LM\r");
    EXPECT_EQ(receiver.takeOutput(), "");
    receiver.advance(0.1);
    EXPECT_EQ(receiver.takeOutput(), "") << "not there at the next 100 ms read";
    EXPECT_TRUE(receiver.outputPending());
    receiver.advance(0.15);
    EXPECT_EQ(receiver.takeOutput(), "LM%000\r\n");
}

TEST(SplitFault, EveryAnswerArrivesInSeveralPiecesThatJoinUp) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        Receiver receiver(withFault(Fault::Split, seed));
        receiver.receive("RX\r");
        std::string first = receiver.takeOutput();
        std::string whole = first;
        int pieces = first.empty() ? 0 : 1;
        for (int read = 0; read < 10; ++read) {
            receiver.advance(0.05);
            std::string piece = receiver.takeOutput();
            pieces += piece.empty() ? 0 : 1;
            whole += piece;
        }
        EXPECT_EQ(whole, "VA RF0145000000 ST012500 AU0 MD1 AT0\r\n") << "seed " << seed;
        EXPECT_GE(pieces, 2) << "seed " << seed;
        EXPECT_LE(pieces, 3) << "seed " << seed;
        EXPECT_FALSE(first.empty()) << "the first piece leaves at once, seed " << seed;
        EXPECT_LT(first.size(), whole.size()) << "seed " << seed;
    }
}

TEST(SplitFault, PiecesOfTwoAnswersKeepTheirOrder) {
    Receiver receiver(withFault(Fault::Split, 7));
    receiver.receive("LM\rMD\r");
    std::string all = receiver.takeOutput();
    for (int read = 0; read < 10; ++read) {
        receiver.advance(0.05);
        all += receiver.takeOutput();
    }
    EXPECT_EQ(all, "LM%000\r\nMD1\r\n");
}

bool looksLikeFieldText(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '%' || c == '\r' ||
           c == '\n' || c == ' ';
}

TEST(GarbageFault, StrayBytesSurroundTheAnswerAndNeverEnterIt) {
    int strayTotal = 0;
    for (unsigned seed = 1; seed <= 30; ++seed) {
        Receiver receiver(withFault(Fault::Garbage, seed));
        receiver.receive("LM\r");
        std::string bytes = receiver.takeOutput();
        std::size_t at = bytes.find("LM%000\r\n");
        ASSERT_NE(at, std::string::npos) << "the answer itself is intact, seed " << seed;
        std::string stray = bytes.substr(0, at) + bytes.substr(at + 8);
        EXPECT_FALSE(stray.empty()) << "seed " << seed;
        for (char c : stray) {
            EXPECT_FALSE(looksLikeFieldText(c))
                << "stray byte " << static_cast<int>(static_cast<unsigned char>(c))
                << " could be read as part of an answer, seed " << seed;
        }
        strayTotal += static_cast<int>(stray.size());
    }
    EXPECT_GT(strayTotal, 30) << "more than one stray byte per answer on average";
}

TEST(GarbageFault, TheSameSeedGivesTheSameBytes) {
    Receiver first(withFault(Fault::Garbage, 42));
    Receiver second(withFault(Fault::Garbage, 42));
    Receiver other(withFault(Fault::Garbage, 43));
    for (Receiver* receiver : {&first, &second, &other}) {
        receiver->receive("LM\rRX\rMD\r");
    }
    std::string firstBytes = first.takeOutput();
    EXPECT_EQ(firstBytes, second.takeOutput());
    EXPECT_NE(firstBytes, other.takeOutput());
}

}  // namespace
}  // namespace receiver_sim
