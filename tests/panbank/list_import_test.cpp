// Which rows of a CHIRP list go into which bank, in what mode and step, and
// which are refused and why.
#include "panbank/list_import.h"

#include <gtest/gtest.h>

#include <random>

#include "panbank/hit_log.h"

namespace voxpan::panbank {
namespace {

using Fields = std::vector<std::string>;

const ReceiverMode* const kAm = modeOfListName("AM");

// A list of n channels, 101 MHz, 102 MHz and so on.
std::string manyRows(int count) {
    std::string list = "Frequency\r\n";
    for (int i = 1; i <= count; ++i) list += std::to_string(100 + i) + ".000\r\n";
    return list;
}

// Into this bank and, with split, the banks after it.
ImportChoices into(int bank, bool split = false) { return {bank, nullptr, std::nullopt, split}; }

// "05: 91 from 2 to 92" per bank.
std::string banksOf(const ImportPlan& plan) {
    std::string text;
    for (const ImportedBank& bank : plan.banks)
        text += std::to_string(bank.number) + ": " + std::to_string(bank.channels) + " from " +
                std::to_string(bank.firstLine) + " to " + std::to_string(bank.lastLine) + " ";
    return text;
}

Fields refusedOf(const ImportPlan& plan) {
    Fields refused;
    for (const RefusedRow& row : plan.refused)
        refused.push_back(std::to_string(row.line) + " " + row.name + ": " + row.reason);
    return refused;
}

const std::string kRows =
    "Location,Name,Frequency,Mode,TStep\r\n"
    "0,NOAA 1,162.400000,NFM,5.00\r\n"
    "1,Tower,118.100000,AM,25.00\r\n"
    "2,DMR rpt,439.500000,DMR,12.50\r\n"
    "3,Low,0.530000,FM,5.00\r\n"
    "4,,7.000000,fm,\r\n";

TEST(ListImport, TakesTheRowsOfTheBanksModeFillsBanksOf91AndRefusesTheRestWithTheirReasons) {
    const struct {
        const char* what;
        std::string list;
        ImportChoices choices;
        std::string banks;      // "5: 91 from 2 to 92 " per bank: channels, first and last line
        Fields firstBank{};     // its lines; none: not looked at
        Fields refused{};       // "line name: reason"
        Fields notes{};
        std::string problem{};  // why the whole list is refused
    } cases[] = {
        {"the first row's mode and step", kRows, into(5), "5: 3 from 2 to 6 ",
         {"bank05", "FM", "5", " ", "162.4", "NOAA 1", "0.53", "Low", "7", " ", "9999"},
         {"3 Tower: its mode \"AM\" is not the bank's FM (a bank has one mode)",
          "4 DMR rpt: the receiver has no mode \"DMR\""}},
        {"--mode and --step", kRows, {12, kAm, "6.25", false}, "12: 1 from 3 to 3 ",
         {"bank12", "AM", "6.25", " ", "118.1", "Tower", "9999"},
         {"2 NOAA 1: its mode \"NFM\" is not the bank's AM (a bank has one mode)",
          "4 DMR rpt: the receiver has no mode \"DMR\"",
          "5 Low: its mode \"FM\" is not the bank's AM (a bank has one mode)",
          "6 : its mode \"fm\" is not the bank's AM (a bank has one mode)"}},
        {"the receiver's range, columns in any order, no Mode column",
         "Name,Frequency,Comment\r\na,0.1\r\nb,0.099999\r\nc,3000\r\nd,3000.000001,x\r\ne,abc\r\n,,\r\nf,145.5e0\r\n"
         "g,-5\r\nh,\r\ni,145.1234567\r\n",
         into(1), "1: 2 from 2 to 4 ", {"bank01", "FM", "12.5", " ", "0.1", "a", "3000", "c", "9999"},
         {"3 b: 0.099999 MHz is outside the receiver's 0.1 to 3000 MHz",
          "5 d: 3000.000001 MHz is outside the receiver's 0.1 to 3000 MHz", "6 e: \"abc\" is no frequency in MHz",
          "8 f: \"145.5e0\" is no frequency in MHz", "9 g: \"-5\" is no frequency in MHz", "10 h: it has no frequency",
          "11 i: \"145.1234567\" is no frequency in MHz"}},
        {"names kept as printable ASCII, never as a frequency",
         "Frequency,Name,TStep,Mode\r\n145.5,  Caf\xC3\xA9 \t,0.125,\r\n146.52,146.52,,\r\n1.5,\"two\nlines\",,CWR\r\n"
         "1.6,9999,,\r\n",
         into(2), "2: 4 from 2 to 6 ",
         {"bank02", "CW ", "12.5", " ", "145.5", "Cafe", "146.52", "Ch 146.52", "1.5", "two lines", "1.6", "Ch 9999",
          "9999"},
         {}, {"the step \"0.125\" of line 2 is no step the receiver takes: the bank's step is 12.5 kHz"}},
        {"91 fit", manyRows(91), into(5), "5: 91 from 2 to 92 "},
        {"92 without --split", manyRows(92), into(5), "", {}, {}, {},
         "the list has 92 channels to import, and a bank holds at most 91. With --split they fill bank05 and the "
         "banks after it in turn."},
        {"183 split", manyRows(183), into(5, true), "5: 91 from 2 to 92 6: 91 from 93 to 183 7: 1 from 184 to 184 "},
        {"split up to bank 99", manyRows(182), into(98, true),
         "98: 91 from 2 to 92 99: 91 from 93 to 183 "},
        {"split past bank 99", manyRows(183), into(98, true), "", {}, {}, {},
         "the 183 channels need 3 banks from bank98 on, which would go past bank99."},
        {"nothing taken", "Frequency\r\n1e3\r\n2e3\r\n", into(5), "", {},
         {"2 : \"1e3\" is no frequency in MHz", "3 : \"2e3\" is no frequency in MHz"}, {},
         "no row of the list could be imported."},
        {"no Frequency column", "\r\n# a list\r\nLocation,Name,Freq\r\n0,a,145.5\r\n", into(5), "", {}, {}, {},
         "line 3, the first line, names no Frequency column: a channel list starts with a line naming its "
         "columns (Location,Name,Frequency,...)."},
        {"an empty file", "\xEF\xBB\xBF", into(5), "", {}, {}, {},
         "the file holds no line naming the columns, and no channel."},
    };
    for (const auto& c : cases) {
        const ImportPlan plan = planImport(readCsv(c.list), c.choices);
        EXPECT_EQ(plan.problem, c.problem) << c.what;
        EXPECT_EQ(banksOf(plan), c.banks) << c.what;
        EXPECT_EQ(refusedOf(plan), c.refused) << c.what;
        EXPECT_EQ(plan.notes, c.notes) << c.what;
        if (!c.firstBank.empty()) {
            EXPECT_EQ(plan.banks.empty() ? Fields{} : plan.banks[0].lines, c.firstBank) << c.what;
        }
    }
    const ImportPlan plan = planImport(readCsv(manyRows(183)), into(5, true));
    ASSERT_EQ(plan.banks.size(), 3u);
    EXPECT_EQ(plan.banks[1].lines[4], "192") << "the second bank goes on where the first ended";
    EXPECT_EQ(plan.banks[1].lines.size(), 4u + 2 * 91 + 1) << "91 channels and the marker";
}

TEST(ListImport, StepsAreTheShortestTextTheReceiversStepFieldTakes) {
    const struct {
        const char* typed;
        std::optional<std::string> step;
    } cases[] = {
        {"5.00", "5"}, {"12.50", "12.5"}, {"8.33", "8.33"}, {"999.99", "999.99"}, {"0.01", "0.01"},
        {"0.125", std::nullopt}, {"0", std::nullopt}, {"1000", std::nullopt}, {"-5", std::nullopt}, {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(bankStepText(c.typed), c.step) << c.typed;
}

TEST(ListImport, NamesKeepTheirLettersInAsciiAndLoseOnlyWhatHasNoSuchForm) {
    const std::pair<const char*, const char*> cases[] = {
        {"Radio \u00DCn\u00EF", "Radio Uni"},
        {"Stra\u00DFe \u00C6r\u00F8", "Strasse AEro"},
        {"\u0141\u00F3d\u017A \u0218tefan", "Lodz Stefan"},
        {"\u201CNet\u201D \u2013 2m\u00A0FM", "\"Net\" - 2m FM"},
        {"\u041C\u043E\u0441\u043A\u0432\u0430 Tower \u00B0", "Tower"},
        {"Radio \xDCn\xEF", "Radio Uni"},  // Latin-1, as older programs write
        {"Caf\xC3", "CafA"},                // a sequence cut short
        {"Ch\t16\r\n", "Ch 16"},
    };
    for (const auto& [name, plain] : cases) EXPECT_EQ(plainName(name), plain) << name;
    EXPECT_EQ(bankNameLine("\u00B0\u00B0"), " ") << "nothing left is no name";
}

TEST(ListImport, AnyBytesGiveRefusalsOrBanksAndNeverAFault) {
    // Pieces of lists and logs, joined at random: run under the sanitizers,
    // this finds any read past a text's end.
    const std::vector<std::string> pieces{"Frequency", "Name", "Mode", "TStep", ",", "\"", "\"\"", "\r", "\n",
                                          "#", " ", "145.5", ".", "FM", "DMR", "5.00", "\xEF\xBB\xBF", "-", "2026-12-07T",
                                          "21:04:05", "+01:00", "9999", "Ch"};
    std::mt19937 random(20261207);
    for (int run = 0; run < 3000; ++run) {
        std::string text;
        for (int n = std::uniform_int_distribution<int>(0, 40)(random); n > 0; --n)
            text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        const ImportPlan plan = planImport(readCsv(text), {99, nullptr, std::nullopt, true});
        EXPECT_NE(plan.problem.empty(), plan.banks.empty()) << "a list either fills banks or is refused: " << text;
        for (const ImportedBank& bank : plan.banks) EXPECT_EQ(bank.lines.back(), "9999") << text;
        hitOf(text);
        sinceOf(text);
    }
}

}  // namespace
}  // namespace voxpan::panbank
