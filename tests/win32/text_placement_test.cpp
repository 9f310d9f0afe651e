#include "platform/win32/text_placement.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "support/live_panel.h"

namespace voxpan {
namespace {

// The window the panel opens is 950 pixels wide in its 96-dpi layout.
constexpr int kPanelWidth = 950;

// The panel's screen as it draws it: the widest frequency, and a search
// that stops on a signal, with the signal bar.
class ScaledPanel : public testing::StationOn145_5Test {
protected:
    std::set<std::tuple<int, int, std::string, int, int, std::string>> screen() {
        press({'1', '2', '9', '9', VK_OEM_PERIOD, '9', '9', '9', '9', '9', VK_RETURN});
        settle();
        press({'1', '4', '5', VK_RETURN, 'R'});
        tick(80);
        std::set<std::tuple<int, int, std::string, int, int, std::string>> texts;
        for (const auto& t : fake.texts) texts.emplace(t.x, t.y, t.face, t.points, t.weight, t.text);
        return texts;
    }
};

TEST_F(ScaledPanel, At150PercentEveryTextKeepsItsRowAndStaysInTheWindow) {
    const auto texts = screen();
    ASSERT_GT(texts.size(), 8u);
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    std::map<std::tuple<int, int, std::string>, int> bottomAt96;  // in the layout
    for (const int dpi : {96, 144}) {
        const DpiScale scale(dpi);
        for (const auto& [x, y, face, points, weight, text] : texts) {
            HFONT font = createPanelFont({face, points, weight, kBlack}, scale);
            HGDIOBJ old = SelectObject(dc, font);
            const RECT box = placeText(dc, latin1Text(text), {x, y}, scale);
            const std::string inked = text.substr(0, text.find_last_not_of(' ') + 1);
            const RECT ink = placeText(dc, latin1Text(inked), {x, y}, scale);
            SelectObject(dc, old);
            DeleteObject(font);
            const std::string what = std::to_string(dpi) + " dpi: \"" + text + "\" at " + std::to_string(y);
            // Where the rows of the 96-dpi layout put it, grown by the scale.
            EXPECT_EQ(scale.layout(box.left), x) << what;
            EXPECT_EQ(scale.layout(box.top), y) << what;
            const auto key = std::make_tuple(x, y, text);
            if (dpi == 96) bottomAt96[key] = box.bottom;
            EXPECT_NEAR(scale.layout(box.bottom), bottomAt96[key], 2) << what << " runs into the next row";
            if (!inked.empty()) {
                EXPECT_LE(ink.right, scale.pixels(kPanelWidth)) << what << " leaves the window";
            }
        }
    }
    DeleteDC(dc);
}

}  // namespace
}  // namespace voxpan
