// Bank files as bytes, and a panel fixture that looks at the words, the
// commands and the files a bank operation leaves.
#pragma once

#include <string>
#include <vector>

#include "support/panel_fixture.h"

namespace voxpan::testing {

using Lines = std::vector<std::string>;

// The bytes of a file with these lines, each ended by CR LF.
inline std::string crlf(const Lines& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

// A bank file as the panel writes it: header, channels, marker.
inline Lines bankLinesOf(const std::string& label, const std::string& mode, const std::string& step,
                         const Lines& channels) {
    Lines lines{label, mode, step, " "};
    for (const std::string& channel : channels) {
        lines.push_back(channel);
        lines.push_back(" ");
    }
    lines.push_back("9999");
    return lines;
}

// n distinct channels counting up from 100 MHz in steps of 25 kHz:
// 100.025, 100.05, ...
inline Lines manyChannels(int count, int startKilohertz = 100000) {
    Lines channels;
    for (int i = 1; i <= count; ++i) {
        const int kilohertz = startKilohertz + 25 * i;
        std::string text = std::to_string(kilohertz / 1000) + "." + std::to_string(1000 + kilohertz % 1000).substr(1);
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text += "0";
        channels.push_back(text);
    }
    return channels;
}

class BankTest : public PanelTest {
protected:
    BankTest() { openPort(); }

    void putFile(const std::string& name, const Lines& lines) { fake.files[name] = crlf(lines); }
    std::string file(const std::string& name) const {
        auto found = fake.files.find(name);
        return found == fake.files.end() ? "(no file)" : found->second;
    }
    // The words played, as their file names ("wave/ok", "wave/shdel").
    Lines words() const { return fake.plays; }
    // The same without their folder ("ok", "shdel").
    Lines said() const {
        Lines said;
        for (const std::string& word : fake.plays) said.push_back(word.substr(word.rfind('/') + 1));
        return said;
    }
    // Words, commands and file replacements in the order they happened.
    Lines events() const {
        Lines order;
        for (const std::string& line : fake.journal)
            if (line.rfind("play ", 0) == 0 || line.rfind("serial-write ", 0) == 0 || line.rfind("file-replace ", 0) == 0)
                order.push_back(line);
        return order;
    }
    Lines commands() const { return fake.serialWrites; }
    int replacements() const { return static_cast<int>(fake.journalOf("file-replace ").size()); }
    // The channels of the loaded bank, in order.
    Lines channelsInMemory() const {
        Lines channels;
        for (int i = 4; i < 420 && !(panel.bankLines[static_cast<std::size_t>(i)] == "9999"); i += 2)
            channels.push_back(panel.bankLines[static_cast<std::size_t>(i)].str());
        return channels;
    }
};

}  // namespace voxpan::testing
