#include "banks/bank_delete.h"

#include <gtest/gtest.h>

#include "banks/bank_editing.h"
#include "banks/bank_test_support.h"

namespace voxpan {
namespace {

using testing::bankLinesOf;
using testing::Lines;

class BankDelete : public testing::BankTest {};

TEST_F(BankDelete, RemovesTheFileAndSaysOkAlsoWhenThereWasNone) {
    const struct {
        const char* what;
        const char* entry;
        void (*arrange)(testing::RecordingPlatform&);
        const char* word;
        bool fileLeft;
    } cases[] = {
        {"a bank", "07", [](testing::RecordingPlatform& f) { f.files["bank07.dat"] = "x\r\n"; }, "ok", false},
        {"no such bank", "07", [](testing::RecordingPlatform&) {}, "ok", false},
        {"a bank that cannot be removed", "07",
         [](testing::RecordingPlatform& f) {
             f.files["bank07.dat"] = "x\r\n";
             f.undeletable.insert("bank07.dat");
         },
         "inv", true},
        {"a folder of a bank's name", "07",
         [](testing::RecordingPlatform& f) {
             f.files["bank07.dat"] = "";
             f.folders.insert("bank07.dat");
         },
         "inv", true},
        {"one digit", "7", [](testing::RecordingPlatform& f) { f.files["bank7.dat"] = "x\r\n"; }, "inv", false},
        {"three digits", "070", [](testing::RecordingPlatform& f) { f.files["bank070.dat"] = "x\r\n"; }, "inv", false},
    };
    for (const auto& c : cases) {
        fake.files.clear();
        fake.folders.clear();
        fake.undeletable.clear();
        fake.plays.clear();
        fake.journal.clear();
        c.arrange(fake);
        panel.entryText = c.entry;
        deleteBankFile(panel);
        EXPECT_EQ(said(), (Lines{c.word})) << c.what;
        EXPECT_EQ(fake.files.count("bank07.dat"), c.fileLeft ? 1u : 0u) << c.what;
        if (std::string(c.entry).size() != 2) {
            EXPECT_TRUE(fake.journalOf("file-delete").empty()) << c.what;
        }
    }
}

TEST_F(BankDelete, AChannelOfADeletedBankIsNotDeletedIntoANewFile) {
    putFile("bank07.dat", bankLinesOf("bank07", "FM", "12.5", {"145.5", "446"}));
    panel.entryText = "07";
    selectBank(panel);
    deleteBankFile(panel);
    fake.plays.clear();
    deleteChannel(panel);
    EXPECT_EQ(said(), (Lines{"inv"}));
    EXPECT_EQ(fake.files.count("bank07.dat"), 0u) << "the deleted bank came back";
}

}  // namespace
}  // namespace voxpan
