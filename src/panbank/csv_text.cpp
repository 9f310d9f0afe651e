#include "panbank/csv_text.h"

namespace voxpan::panbank {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

class CsvReader {
public:
    explicit CsvReader(std::string_view text) : text_(text) {
        if (text_.starts_with(kByteOrderMark)) at_ = kByteOrderMark.size();
    }

    std::vector<CsvRecord> records() {
        std::vector<CsvRecord> records;
        while (at_ < text_.size()) {
            if (lineCarriesNothing()) {
                skipLine();
                continue;
            }
            records.push_back(record());
        }
        return records;
    }

private:
    bool atLineEnd() const { return at_ >= text_.size() || text_[at_] == '\r' || text_[at_] == '\n'; }

    // Passes over one line end (CR LF, LF or CR), counting it.
    void passLineEnd() {
        if (at_ < text_.size() && text_[at_] == '\r') {
            ++at_;
            if (at_ < text_.size() && text_[at_] == '\n') ++at_;
        } else if (at_ < text_.size() && text_[at_] == '\n') {
            ++at_;
        }
        ++line_;
    }

    bool lineCarriesNothing() const {
        std::size_t i = at_;
        while (i < text_.size() && (text_[i] == ' ' || text_[i] == '\t')) ++i;
        return i >= text_.size() || text_[i] == '\r' || text_[i] == '\n' || text_[at_] == '#';
    }

    void skipLine() {
        while (!atLineEnd()) ++at_;
        passLineEnd();
    }

    CsvRecord record() {
        CsvRecord record;
        record.line = line_;
        for (;;) {
            record.fields.push_back(field(record.unclosedQuote));
            if (at_ < text_.size() && text_[at_] == ',') {
                ++at_;
                continue;
            }
            passLineEnd();
            return record;
        }
    }

    std::string field(bool& unclosedQuote) {
        std::string value;
        if (at_ < text_.size() && text_[at_] == '"') {
            ++at_;
            for (;;) {
                if (at_ >= text_.size()) {
                    unclosedQuote = true;
                    return value;
                }
                const char c = text_[at_++];
                if (c == '"') {
                    if (at_ < text_.size() && text_[at_] == '"') {
                        value += '"';
                        ++at_;
                        continue;
                    }
                    break;
                }
                if (c == '\r' || c == '\n') {
                    // A line end inside the quotes is kept as one LF.
                    --at_;
                    passLineEnd();
                    value += '\n';
                    continue;
                }
                value += c;
            }
        }
        while (!atLineEnd() && text_[at_] != ',') value += text_[at_++];
        return value;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    int line_ = 1;
};

}  // namespace

std::vector<CsvRecord> readCsv(std::string_view text) { return CsvReader(text).records(); }

std::string csvField(std::string_view value) {
    const bool quoted = value.find_first_of(",\"\r\n") != std::string_view::npos ||
                        (!value.empty() && (value.front() == ' ' || value.back() == ' '));
    if (!quoted) return std::string(value);
    std::string field = "\"";
    for (char c : value) {
        if (c == '"') field += '"';
        field += c;
    }
    return field + "\"";
}

std::string csvRow(const std::vector<std::string>& fields) {
    std::string row;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) row += ',';
        row += csvField(fields[i]);
    }
    return row;
}

}  // namespace voxpan::panbank
