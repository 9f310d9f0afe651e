#include "platform/win32/text_placement.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/live_panel.h"

namespace voxpan {
namespace {

using ScaledPanel = testing::StationOn145_5Test;

// The panel's screen as it draws it (the widest frequency; a search that
// stops on a signal, with the signal bar), measured at 100 % and 150 %.
TEST_F(ScaledPanel, At150PercentEveryTextKeepsItsRowAndStaysInTheWindow) {
    press({'1', '2', '9', '9', VK_OEM_PERIOD, '9', '9', '9', '9', '9', VK_RETURN});
    settle();
    press({'1', '4', '5', VK_RETURN, 'R'});
    tick(80);
    ASSERT_GT(fake.texts.size(), 8u);
    HDC dc = CreateCompatibleDC(nullptr);
    std::vector<int> bottomAt96(fake.texts.size());  // in the layout
    for (const int dpi : {96, 144}) {
        const DpiScale scale(dpi);
        for (std::size_t i = 0; i < fake.texts.size(); ++i) {
            const testing::DrawnText& t = fake.texts[i];
            HFONT font = createPanelFont({t.face, t.points, t.weight, kBlack}, scale);
            HGDIOBJ old = SelectObject(dc, font);
            const RECT box = placeText(dc, latin1Text(t.text), {t.x, t.y}, scale);
            const std::string inked = t.text.substr(0, t.text.find_last_not_of(' ') + 1);
            const RECT ink = placeText(dc, latin1Text(inked), {t.x, t.y}, scale);
            DeleteObject(SelectObject(dc, old));
            const std::string what = std::to_string(dpi) + " dpi: \"" + t.text + "\" at " + std::to_string(t.y);
            // Where the rows of the 96-dpi layout put it, grown by the scale.
            EXPECT_EQ(scale.layout(box.left), t.x) << what;
            EXPECT_EQ(scale.layout(box.top), t.y) << what;
            if (dpi == 96) bottomAt96[i] = box.bottom;
            EXPECT_NEAR(scale.layout(box.bottom), bottomAt96[i], 2) << what << " runs into the next row";
            // The window the panel opens is 950 pixels wide in the layout.
            EXPECT_LE(inked.empty() ? 0 : ink.right, scale.pixels(950)) << what << " leaves the window";
        }
    }
    DeleteDC(dc);
}

}  // namespace
}  // namespace voxpan
