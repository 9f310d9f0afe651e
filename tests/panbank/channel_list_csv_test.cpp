// Channel lists as text: the CSV reader and writer, and a bank written out
// as a CHIRP list and read back in.
#include <gtest/gtest.h>

#include "panbank/csv_text.h"
#include "panbank/list_export.h"
#include "panbank/list_import.h"

namespace voxpan::panbank {
namespace {

using Fields = std::vector<std::string>;

std::string shown(const std::vector<CsvRecord>& records) {
    std::string text;
    for (const CsvRecord& record : records) {
        text += std::to_string(record.line) + (record.unclosedQuote ? "!" : "") + ":";
        for (const std::string& field : record.fields) text += "[" + field + "]";
        text += " ";
    }
    return text;
}

TEST(ChannelListCsv, ReadsWhatSpreadsheetsAndChirpWrite) {
    const struct {
        const char* what;
        std::string text;
        std::string records;  // line: [field]... per record
    } cases[] = {
        {"LF and CR LF and CR", "a,b\nc,d\r\ne\rf", "1:[a][b] 2:[c][d] 3:[e] 4:[f] "},
        {"byte order mark", "\xEF\xBB\xBFLocation,Name\r\n", "1:[Location][Name] "},
        {"blank and # lines", "a\r\n\r\n  \t\r\n# note,x\r\nb\r\n", "1:[a] 5:[b] "},
        {"empty fields", ",,\r\n", "1:[][][] "},
        {"quotes", "\"Tower, main\",\"say \"\"hi\"\"\",x\r\n", "1:[Tower, main][say \"hi\"][x] "},
        {"a quoted line end", "1,\"two\r\nlines\",3\r\n4\r\n", "1:[1][two\nlines][3] 3:[4] "},
        {"text after a quote", "\"ab\"c,d\n", "1:[abc][d] "},
        {"a quote never closed", "a\n\"open,\nmore", "1:[a] 2!:[open,\nmore] "},
        {"no last line end", "a,b", "1:[a][b] "},
    };
    for (const auto& c : cases) EXPECT_EQ(shown(readCsv(c.text)), c.records) << c.what;
}

TEST(ChannelListCsv, QuotesOnlyWhatCsvNeedsAndReadsBackWhatItWrites) {
    const struct {
        std::string value;
        std::string field;
    } cases[] = {
        {"NOAA 1", "NOAA 1"},         {"Tone->Tone", "Tone->Tone"}, {"", ""},
        {"a,b", "\"a,b\""},           {"6\" dish", "\"6\"\" dish\""}, {"two\nlines", "\"two\nlines\""},
        {" padded ", "\" padded \""},
    };
    Fields values;
    for (const auto& c : cases) {
        EXPECT_EQ(csvField(c.value), c.field) << c.value;
        values.push_back(c.value);
    }
    const std::vector<CsvRecord> back = readCsv(csvRow(values) + "\r\n");
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].fields, values) << "a row reads back as the fields it was made of";
}

TEST(ChannelListCsv, ABankExportedAndImportedAgainIsTheSameBankLineForLine) {
    const Fields banks[] = {
        {"bank05", "FM", "12.5", " ", "162.4", "NOAA 1", "0.53", "Tower, \"main\"", "3000", " ", "9999"},
        {"bank12", "CW ", "0.5", " ", "7.0255", "Ch 16", "9999"},
        {"bank99", "AUT", "8.33", " ", "118.00833", " ", "9999"},
        {"bank07", "WFM", "100", " ", "88.1", "Radio 1", "88.1", "Radio 1 again", "9999"},
    };
    for (const Fields& bank : banks) {
        BankTable table{};
        std::copy(bank.begin(), bank.end(), table.begin());
        const ListExport list = channelListOf(table);
        ASSERT_TRUE(list.problem.empty()) << list.problem;
        EXPECT_TRUE(list.notes.empty()) << bank[0];
        EXPECT_EQ(list.lines.front(),
                  "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                  "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE");
        std::string text;
        for (const std::string& line : list.lines) text += line + "\r\n";
        const ImportPlan plan = planImport(readCsv(text), {std::stoi(bank[0].substr(4)), nullptr, std::nullopt, false});
        ASSERT_TRUE(plan.problem.empty()) << plan.problem;
        const Fields lines = plan.banks.empty() ? Fields{} : plan.banks[0].lines;
        EXPECT_EQ(lines, bank) << "exported as:\n" << text;
    }
}

TEST(ChannelListCsv, AnExportWritesEachChannelAsChirpWritesAPlainReceiveChannel) {
    BankTable table{};
    const Fields bank{"bank03", "CW ", "6.25", " ", ".5", " ", "not", "x", "145.", "Ch 16", "9999"};
    std::copy(bank.begin(), bank.end(), table.begin());
    const ListExport list = channelListOf(table);
    EXPECT_EQ(list.lines.size(), 3u);
    EXPECT_EQ(list.lines[1], "0,,0.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,CW,6.25,,50W,,,,,");
    EXPECT_EQ(list.lines[2], "2,Ch 16,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,CW,6.25,,50W,,,,,")
        << "Location is the channel's place in the bank, as a transfer numbers it";
    EXPECT_EQ(list.notes, Fields{"channel 01, \"not\", is no frequency and is left out"});

    table[1] = "FM ";
    EXPECT_EQ(channelListOf(table).problem, "its mode line \"FM \" names none of the receiver's modes.");
}

}  // namespace
}  // namespace voxpan::panbank
