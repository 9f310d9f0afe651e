#include "scan/search_mode.h"

#include <gtest/gtest.h>

#include "banks/bank_file.h"
#include "banks/bank_test_support.h"

namespace voxpan {
namespace {

using testing::bankLinesOf;
using testing::crlf;
using testing::Lines;
using testing::manyChannels;

class SearchMode : public testing::BankTest {
protected:
    SearchMode() {
        panel.modeText = "FM";
        panel.searchStepText = "12.5";
        panel.searchLowText = "145";
        panel.searchHighText = "146";
    }
    void hit(const std::string& frequency) {
        panel.workText = frequency;
        recordSearchHit(panel);
    }
    void start() {
        startSearch(panel);
        fake.plays.clear();
        fake.journal.clear();
    }
};

TEST_F(SearchMode, StartingWritesTheEmptyListBeforeAnyCommand) {
    fake.files["bank00.dat"] = crlf(bankLinesOf("Scanbank", "FM", "12.5", {"145.5"}));
    startSearch(panel);
    EXPECT_EQ(events(), (Lines{"play wave/srch", "file-replace bank00.dat", "play wave/shdel",
                               "serial-write VA0145000000\\r", "play wave/shdel", "serial-write VB0146000000\\r",
                               "play wave/shdel", "serial-write ST012.50\\r", "play wave/shdel", "play wave/FM",
                               "serial-write MD1\\r", "play wave/act", "serial-write VS\\r"}));
    EXPECT_EQ(file("bank00.dat"), crlf({"Scanbank", "FM", "12.5", " ", "9999"}));
    EXPECT_EQ(panel.searchState, kSearching);
    EXPECT_EQ(panel.hitCount, 0);
    EXPECT_EQ(panel.bankFileName, "bank00.dat");
    EXPECT_EQ(fake.textsDrawn().front(), "Search Mode Active");
    EXPECT_EQ(fake.texts.front().x, 290);
    EXPECT_EQ(fake.texts.front().y, 320);
    EXPECT_EQ(fake.texts.front().colour, kGreen);
    EXPECT_TRUE(std::find(fake.textsDrawn().begin(), fake.textsDrawn().end(), "145/146") != fake.textsDrawn().end());
}

TEST_F(SearchMode, AListThatCannotBeWrittenKeepsTheOldFileAndTheSearchRuns) {
    const std::string old = crlf(bankLinesOf("Scanbank", "FM", "12.5", {"145.5"}));
    fake.files["bank00.dat"] = old;
    fake.replacementsFail = true;
    startSearch(panel);
    ASSERT_EQ(said(), (Lines{"srch", "inv", "shdel", "shdel", "shdel", "shdel", "FM", "act"}));
    EXPECT_EQ(commands().back(), "VS\r");
    EXPECT_EQ(file("bank00.dat"), old);
}

TEST_F(SearchMode, EachHitReachesTheDiskAtOnceAndAFailedWriteIsToldOnce) {
    start();
    panel.searchStopMode = 0;
    Lines hits;
    for (const char* frequency : {"145.5", "145.6", "145.7"}) {
        hit(frequency);
        hits.push_back(frequency);
        EXPECT_EQ(file("bank00.dat"), crlf(bankLinesOf("Scanbank", "FM", "12.5", hits))) << "after " << frequency;
    }
    start();
    EXPECT_EQ(file("bank00.dat"), crlf(bankLinesOf("Scanbank", "FM", "12.5", {}))) << "R starts a new list";
    fake.replacementsFail = true;  // the disk fills up
    for (const std::string& frequency : hits) hit(frequency);
    finishSearch(panel);
    EXPECT_EQ(said(), (Lines{"inv", "1", "2", "3", "inv"})) << "inv once, the hits counted, inv at Enter";
}

TEST_F(SearchMode, RepeatsAreRecognisedAndTheCountIsSaidInContinueMode) {
    start();
    panel.searchStopMode = 0;
    for (const char* frequency : {"145.5", "145.6", "145.5"}) hit(frequency);
    EXPECT_EQ(channelsInMemory(), (Lines{"145.5", "145.6"}));
    EXPECT_EQ(panel.hitCount, 2);
    EXPECT_EQ(said(), (Lines{"1", "2"}));
}

TEST_F(SearchMode, InStopModeHitsAreCountedSilently) {
    start();
    panel.searchStopMode = 1;
    hit("145.5");
    EXPECT_EQ(panel.hitCount, 1);
    EXPECT_TRUE(said().empty());
}

TEST_F(SearchMode, TheTwelfthHitIsCountedAsOneTwo) {
    start();
    for (const std::string& frequency : manyChannels(12)) hit(frequency);
    const Lines words = said();
    ASSERT_EQ(words.size(), 9u + 3 * 2);
    EXPECT_EQ((Lines(words.end() - 2, words.end())), (Lines{"1", "2"}));
}

TEST_F(SearchMode, OnlyFrequenciesReachTheList) {
    start();
    for (const char* bad : {"", " ", "\r", "145.5\r", "14 5.5", ".", "RF0145", "145.5.5"}) hit(bad);
    EXPECT_EQ(panel.hitCount, 0);
    EXPECT_TRUE(channelsInMemory().empty());
    EXPECT_TRUE(said().empty());
}

TEST_F(SearchMode, AFullListDropsFurtherHitsWithBfAndKeepsItsMarker) {
    start();
    panel.searchStopMode = 1;
    const Lines hits = manyChannels(kMostSearchHits + 3);
    for (const std::string& frequency : hits) hit(frequency);
    EXPECT_EQ(panel.hitCount, 197);
    EXPECT_EQ(said(), (Lines{"bf", "bf", "bf"}));
    hit(hits.front());
    EXPECT_EQ(said().size(), 3u) << "a repeat in a full list is no new hit";
    fake.plays.clear();
    finishSearch(panel);
    EXPECT_EQ(said(), (Lines{"1", "9", "7"}));
    EXPECT_EQ(file("bank00.dat"),
              crlf(bankLinesOf("Scanbank", "FM", "12.5", Lines(hits.begin(), hits.begin() + 197))));
    panel.bankFileName = "bank00.dat";
    readBankFile(panel);
    EXPECT_EQ(channelsInMemory().size(), 197u) << "the saved list reads back whole";
}

TEST_F(SearchMode, EndingTheSearchSavesTheListAndSaysTheCount) {
    const struct {
        int hits;
        Lines words;
    } cases[] = {{0, {"0"}}, {7, {"7"}}, {12, {"1", "2"}}, {123, {"1", "2", "3"}}};
    for (const auto& c : cases) {
        start();
        panel.searchStopMode = 1;
        const Lines hits = manyChannels(c.hits);
        for (const std::string& frequency : hits) hit(frequency);
        panel.searchState = kSearchStopped;
        finishSearch(panel);
        EXPECT_EQ(said(), c.words) << c.hits;
        EXPECT_EQ(panel.searchState, kSearchOff) << c.hits;
        EXPECT_EQ(file("bank00.dat"), crlf(bankLinesOf("Scanbank", "FM", "12.5", hits))) << c.hits;
    }
}

TEST_F(SearchMode, AListThatCannotBeSavedSaysInvAndNoCount) {
    start();
    hit("145.5");
    fake.plays.clear();
    fake.replacementsFail = true;
    finishSearch(panel);
    EXPECT_EQ(said(), (Lines{"inv"}));
    EXPECT_EQ(panel.searchState, kSearchOff);
    EXPECT_EQ(file("bank00.dat"), crlf(bankLinesOf("Scanbank", "FM", "12.5", {"145.5"})));
}

TEST_F(SearchMode, TheStoppedFrequencyIsTheTenDigitsAfterRf) {
    const struct {
        const char* reply;
        int position;  // 0: no frequency taken
        const char* frequency;
        const char* work;
    } cases[] = {
        {"VS AB RF0145500000 ST012500 AU0 MD1 AT0\r", 7, "0145500000", "145.5"},
        {"VS AB RF0000500000", 7, "0000500000", ".5"},
        {"RF1296512500", 1, "1296512500", "1296.5125"},
        {"RF0145000000\r", 1, "0145000000", "145."},
        {"RF0433075000123", 1, "0433075000", "433.075"},
        {"VS AB RF014550000\r", 0, "", ""},
        {"VS AB RF01455000", 0, "", ""},
        {"VS AB RF 145500000", 0, "", ""},
        {"VS AB RF0145\r00000", 0, "", ""},
        {"VS AB RF0000000000", 0, "", ""},
        {"VS AB 0145500000", 0, "", ""},
        {"", 0, "", ""},
    };
    for (const auto& c : cases) {
        panel.replyText = c.reply;
        panel.frequencyText = "";
        panel.workText = "";
        panel.lastResult = -1;
        takeStoppedFrequency(panel);
        EXPECT_EQ(panel.lastResult, c.position) << testing::visibleBytes(c.reply);
        EXPECT_EQ(panel.frequencyText, c.frequency) << testing::visibleBytes(c.reply);
        EXPECT_EQ(panel.workText, c.work) << testing::visibleBytes(c.reply);
    }
}

TEST_F(SearchMode, ASecondStartBeginsANewList) {
    start();
    hit("145.5");
    startSearch(panel);
    EXPECT_EQ(panel.hitCount, 0);
    EXPECT_TRUE(channelsInMemory().empty());
    EXPECT_EQ(file("bank00.dat"), crlf({"Scanbank", "FM", "12.5", " ", "9999"}));
}

}  // namespace
}  // namespace voxpan
