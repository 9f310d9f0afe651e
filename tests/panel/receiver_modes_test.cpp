// The seven modes in every place that names one: the mode keys, the mode
// line that sets the mode of a bank or a search, the read-out, the memory
// write, and the texts that look like a mode but are none.
#include "panel/receiver_modes.h"

#include <gtest/gtest.h>

#include "banks/bank_test_support.h"
#include "banks/bank_transfer.h"
#include "controls/mode_line.h"
#include "keys/key_names.h"
#include "support/live_panel.h"
#include "voice/speech.h"

namespace voxpan {
namespace {

using testing::Lines;

class ReceiverModes : public testing::LivePanelTest {
protected:
    ReceiverModes() {
        tick(3);  // connected
        forget();
    }
    // The text drawn on the mode line.
    std::string modeLineDrawn() const {
        for (const testing::DrawnText& text : fake.texts)
            if (text.x == 370 && text.y == 80 && text.points == 50) return text.text;
        return "(not drawn)";
    }
    std::string fontLeft() const { return fake.journalOf("font").back(); }
    // Words played and commands written, in the order they happened.
    Lines wordsAndCommands() const {
        Lines order;
        for (const std::string& line : fake.journal)
            if (line.rfind("play ", 0) == 0 || line.rfind("serial-write ", 0) == 0) order.push_back(line);
        return order;
    }
    // Writes a bank with this mode line and one channel into receiver bank B:
    // what reaches the receiver.
    Lines transferBankOfMode(const std::string& modeLine) {
        fake.files["bank05.dat"] = testing::crlf(testing::bankLinesOf("bank05", modeLine, "6.25", {"145.5"}));
        panel.entryText = "05B";
        writeBankToReceiver(panel);
        return commands();
    }
};

TEST_F(ReceiverModes, EachModeIsTheSameTextCommandWordKeyAndDigitEverywhereAndALookAlikeIsNone) {
    const struct {
        std::string text;
        const char* digit = nullptr;  // of the memory write; none: the write refuses the mode
        int key = 0;                  // none: a text that looks like a mode but is none
        std::string command{}, word{}, readOut{};
    } modes[] = {
        {"FM", "1", kKeyF1, "MD1", "FM", "fm.wav"},       {"AM", "2", kKeyF1 + 1, "MD2", "AM", "am.wav"},
        {"LSB", "4", kKeyF1 + 2, "MD4", "LSB", "lsb.wav"}, {"USB", "3", kKeyF1 + 3, "MD3", "USB", "usb.wav"},
        {"WFM", "0", kKeyF1 + 4, "MD0", "WFM", "wfm.wav"}, {"CW ", "5", kKeyF1 + 5, "MD5", "cw", "cw.wav"},
        {"AUT", nullptr, kKeyF7, "AU1", "auto", "auto"},   {"CW", "5"},  // a memory write takes CW without its blank
        {""}, {"fm"}, {"FM "}, {"WFM "}, {"AUTO"}, {"\x01\xff"},
    };
    for (const auto& m : modes) {
        SCOPED_TRACE("mode text '" + m.text + "'");
        if (m.key) {
            forget();
            press(m.key);
            settle();
            EXPECT_EQ(words(), Lines{m.word}) << "the key says the mode's word";
            EXPECT_EQ(commands(), Lines{m.command}) << "the key sends the mode's command";
            EXPECT_EQ(panel.modeText, m.text);
            EXPECT_EQ(modeLineDrawn(), m.text + "      ") << "the key redraws the mode line";
            EXPECT_EQ(fontLeft(), "font Aerial 30 700") << "the small font follows the mode line";
        }

        forget();
        panel.modeText = m.text;
        showAndSetMode(panel);
        EXPECT_EQ(modeLineDrawn(), m.text + "      ") << "the mode line is drawn as it is";
        const Lines setting{"play wave/" + m.word, "serial-write " + m.command + "\\r"};
        EXPECT_EQ(wordsAndCommands(), m.key ? setting : Lines{})
            << "the mode line sets the mode as its key does, the word before the command; a look-alike sets none";
        EXPECT_EQ(fontLeft(), "font Aerial 30 700");

        forget();
        speakModeText(panel);
        EXPECT_EQ(wordsAndCommands(), m.key ? Lines{"play wave/" + m.readOut} : Lines{}) << "the read-out word";
        EXPECT_EQ(panel.frequencyText, m.text) << "the read-out leaves the mode text in frequencyText";

        forget();
        const Lines write{std::string("MXB00 RF0145500000 ST012500 MD") + (m.digit ? m.digit : "") + " TMxxxxxxxxxxxx"};
        EXPECT_EQ(transferBankOfMode(m.text), m.digit ? write : Lines{}) << "the memory write's digit";
        EXPECT_EQ(words(), (m.digit ? Lines{"wait", "ok"} : Lines{"incmode"}));
        if (m.digit && m.key) {
            EXPECT_EQ(modeOfTransferDigit(m.digit[0]), modeOfText(m.text)) << "the digit read back";
        }
    }
    EXPECT_EQ(modeOfTransferDigit('6'), nullptr);
    EXPECT_EQ(modeOfTransferDigit('\0'), nullptr) << "automatic mode has no digit to find it by";
}

}  // namespace
}  // namespace voxpan
