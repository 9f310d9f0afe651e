#include <SDL.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "panel_window_fixture.h"

namespace voxpan::testing {
namespace {

using WindowDrawing = PanelWindowTest;

TEST_F(WindowDrawing, ImageStartsWhiteAtTheClientAreaSize) {
    ASSERT_NE(image(), nullptr);
    EXPECT_EQ(image()->w, kWidth);
    EXPECT_EQ(image()->h, kHeight);
    EXPECT_EQ(inkedPixels(image(), wholeOf(image())), 0);
}

TEST_F(WindowDrawing, TextMovesThePositionToItsRightEndAndTheNextTextContinues) {
    panel().setFont("Ariel", 50, 700);
    panel().moveTo(300, 150);
    panel().drawText("145.5");
    const Point afterFirst = panel().drawingPosition();
    EXPECT_GT(afterFirst.x, 300 + 50) << "five characters at 50 points are wider than 50 pixels";
    EXPECT_EQ(afterFirst.y, 150);

    panel().drawText("000");
    const Point afterSecond = panel().drawingPosition();
    EXPECT_GT(afterSecond.x, afterFirst.x);
    EXPECT_EQ(afterSecond.y, 150);
    EXPECT_GT(inkedPixels(image(), {300, 150, afterFirst.x, 250}), 0) << "first text not drawn";
    EXPECT_GT(inkedPixels(image(), {afterFirst.x, 150, afterSecond.x, 250}), 0)
        << "second text not drawn where the first ended";
    EXPECT_EQ(inkedPixels(image(), {afterSecond.x, 0, kWidth, kHeight}), 0)
        << "ink beyond the reported end of the text";
}

TEST_F(WindowDrawing, TextIsPlacedByItsTopLeftCorner) {
    panel().setFont("Ariel", 30, 700);
    panel().moveTo(80, 250);
    panel().drawText("STOP");
    const int right = panel().drawingPosition().x;
    EXPECT_EQ(inkedPixels(image(), {0, 0, kWidth, 250}), 0) << "ink above the drawing position";
    EXPECT_EQ(inkedPixels(image(), {0, 0, 80, kHeight}), 0) << "ink left of the drawing position";
    EXPECT_GT(inkedPixels(image(), {80, 250, right, 250 + 60}), 0);
}

TEST_F(WindowDrawing, BlanksEraseTheTextUnderThem) {
    panel().setFont("Ariel", 30, 700);
    panel().moveTo(320, 30);
    panel().drawText("*****************>");
    const int right = panel().drawingPosition().x;
    const Box bar{320, 30, right, 30 + 40};
    ASSERT_GT(inkedPixels(image(), bar), 0);

    panel().moveTo(320, 30);
    panel().drawText(std::string(40, ' '));
    EXPECT_EQ(inkedPixels(image(), bar), 0) << "blanks left parts of the bar standing";
    EXPECT_GT(panel().drawingPosition().x, 320) << "blanks must move the position too";
}

TEST_F(WindowDrawing, EmptyTextDrawsNothingAndStays) {
    panel().moveTo(370, 80);
    panel().drawText("");
    EXPECT_EQ(panel().drawingPosition(), (Point{370, 80}));
    EXPECT_EQ(inkedPixels(image(), wholeOf(image())), 0);
}

TEST_F(WindowDrawing, DefaultFontIsTwelvePointBoldBlack) {
    panel().moveTo(270, 0);
    panel().drawText("MMMM");
    const int defaultWidth = panel().drawingPosition().x - 270;
    EXPECT_EQ(countPixels(image(), wholeOf(image()),
                          [](Pixel p) { return p.red != p.green || p.green != p.blue; }),
              0)
        << "default colour is not black";

    panel().setFont("System", 12, 700);
    panel().moveTo(270, 100);
    panel().drawText("MMMM");
    EXPECT_EQ(panel().drawingPosition().x - 270, defaultWidth);
}

// Capital letters stand about 0.7 of the character height; the height is
// points x 96 / 72 pixels on a screen that reports no resolution.
TEST_F(WindowDrawing, PointSizesBecomePixelsAt96Dpi) {
    struct Band {
        int points;
        int top;
        int bottom;
    };
    for (Band band : {Band{30, 0, 100}, Band{50, 100, 220}, Band{70, 220, 380}}) {
        panel().setFont("Ariel", band.points, 700);
        panel().moveTo(10, band.top);
        panel().drawText("M");
        int firstRow = -1;
        int lastRow = -1;
        for (int y = band.top; y < band.bottom; ++y) {
            if (inkedPixels(image(), {0, y, kWidth, y + 1}) > 0) {
                if (firstRow < 0) firstRow = y;
                lastRow = y;
            }
        }
        ASSERT_GE(firstRow, 0) << band.points << " points drew nothing";
        const double capHeight = lastRow - firstRow + 1;
        const double pixels = band.points * 96.0 / 72.0;
        EXPECT_GT(capHeight, 0.6 * pixels) << band.points << " points";
        EXPECT_LT(capHeight, 0.8 * pixels) << band.points << " points";
    }
}

TEST_F(WindowDrawing, TextTakesTheColourAndBlendsOnlyIntoWhite) {
    panel().setFont("Ariel", 50, 700);
    panel().setTextColour(kBlue);
    panel().moveTo(300, 150);
    panel().drawText("145.5000");
    const Box all = wholeOf(image());
    EXPECT_GT(countPixels(image(), all, [](Pixel p) { return p.red == 0 && p.blue == 255; }), 0)
        << "no pixel in pure blue";
    EXPECT_EQ(countPixels(image(), all,
                          [](Pixel p) { return p.blue != 255 || p.red != p.green; }),
              0)
        << "pixels that are neither blue, white nor between them";
}

TEST_F(WindowDrawing, BoldIsHeavierThanRegular) {
    panel().setFont("Ariel", 30, 400);
    panel().moveTo(0, 0);
    panel().drawText("MMMM");
    const int regularInk = inkedPixels(image(), {0, 0, kWidth, 100});
    panel().setFont("Ariel", 30, 700);
    panel().moveTo(0, 200);
    panel().drawText("MMMM");
    const int boldInk = inkedPixels(image(), {0, 200, kWidth, 300});
    EXPECT_GT(boldInk, regularInk * 11 / 10);
}

TEST_F(WindowDrawing, FacesTheSystemLacksDrawInTheDefaultFace) {
    int widths[3] = {};
    const char* faces[3] = {"Ariel", "Aerial", "no such face anywhere"};
    for (int i = 0; i < 3; ++i) {
        panel().setFont(faces[i], 30, 700);
        panel().moveTo(0, 40 * i);
        panel().drawText("SCANNING");
        widths[i] = panel().drawingPosition().x;
        EXPECT_GT(widths[i], 0) << faces[i];
    }
    EXPECT_EQ(widths[0], widths[1]);
    EXPECT_EQ(widths[0], widths[2]);
}

TEST_F(WindowDrawing, HighAndControlBytesAreDrawnWithoutHarm) {
    panel().moveTo(10, 10);
    panel().drawText("\xe9\xff\x80\x01\t\n\x7f");
    EXPECT_GT(panel().drawingPosition().x, 10);
    EXPECT_EQ(panel().drawingPosition().y, 10);
}

TEST_F(WindowDrawing, TextOutsideTheWindowIsCutOffAndPositionsDoNotOverflow) {
    panel().setFont("Ariel", 70, 700);
    panel().moveTo(INT_MAX - 5, INT_MIN);
    panel().drawText("XYZ");
    EXPECT_EQ(panel().drawingPosition(), (Point{INT_MAX, INT_MIN}));
    panel().moveTo(-40, -20);
    panel().drawText("XYZ");
    panel().moveTo(kWidth - 10, kHeight - 10);
    panel().drawText("XYZ");
    EXPECT_GT(inkedPixels(image(), {0, 0, 60, 60}), 0) << "the visible part of a text was lost";
}

TEST_F(WindowDrawing, NonsenseFontSizesAndColoursDoNoHarm) {
    panel().setFont("Ariel", 100000, 700);
    panel().setTextColour({-5, 300, 70000});
    panel().moveTo(0, 0);
    panel().drawText("W");
    panel().setFont("Ariel", -12, 0);
    panel().drawText("W");
    panel().setFont("", 0, INT_MIN);
    panel().drawText("W");
    EXPECT_GT(inkedPixels(image(), wholeOf(image())), 0);
}

TEST_F(WindowDrawing, VeryLongTextDoesNoHarm) {
    panel().moveTo(0, 0);
    panel().drawText(std::string(1'000'000, 'W'));
    EXPECT_GT(panel().drawingPosition().x, kWidth);
}

TEST_F(WindowDrawing, DrawingAfterTheWindowIsClosedDoesNothing) {
    panel().closeWindow();
    EXPECT_EQ(image(), nullptr);
    panel().moveTo(10, 20);
    panel().drawText("145.5");
    EXPECT_EQ(panel().drawingPosition(), (Point{10, 20}));
    panel().closeWindow();
}

TEST_F(WindowDrawing, WindowShowsTheImageBeforeASoundPlays) {
    panel().setFont("Ariel", 50, 700);
    panel().setTextColour(kRed);
    panel().moveTo(0, 0);
    panel().drawText("STOPPED");
    panel().playSound("");  // plays nothing, but the screen must be up to date
    SDL_Surface* screen = SDL_GetWindowSurface(platform_->windowForTesting());
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(countPixels(screen, wholeOf(screen), [](Pixel p) { return p.blue == 0; }),
              countPixels(image(), wholeOf(image()), [](Pixel p) { return p.blue == 0; }));
    EXPECT_GT(countPixels(screen, wholeOf(screen), [](Pixel p) { return p.blue == 0; }), 0);
}

TEST(WindowWithoutDisplay, CreateFailsWithAReasonWhenNoVideoDriverWorks) {
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    SdlPlatform platform;
    ::testing::internal::CaptureStderr();
    const bool opened = platform.createWindow(250, 100, 950, 500, "x");
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(opened);
    EXPECT_EQ(said.rfind("voxpan: cannot open the panel window: ", 0), 0U) << said;
    EXPECT_EQ(said.back(), '\n');
    platform.moveTo(5, 5);
    platform.drawText("nothing to draw on");
    EXPECT_EQ(platform.drawingPosition(), (Point{5, 5}));
    EXPECT_EQ(platform.waitEvents(), (std::vector<WindowEvent>{{EventKind::Close, 0}}));
}

}  // namespace
}  // namespace voxpan::testing
