// The layout at the display's scale: everything given in pixels at 96 DPI grows with the DPI the
// process runs at (the suite runs these cases at 96, 144 and 192), the glyphs stay sharp, the
// status texts fit, and the movie's picture keeps its own size. A DPI change laid out anew.
#include <windows.h>
#include <commctrl.h>

#include "PlayerSupport.h"
#include "shell/FrameGeometry.h"
#include "shell/ToolbarGlyphs.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace playertest;

namespace {

int Dpi() {
    return mainFrame.Dpi();
}

int At(int pixels, int dpi = Dpi()) {
    return MulDiv(pixels, dpi, 96);
}

TEST(Scale, TheFrameStartsAndStopsShrinkingAtItsScaledSize) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), Dpi());
    ReleaseDC(nullptr, screen);
    const RECT first = OuterRect(Frame());
    EXPECT_EQ(At(120), first.left);
    EXPECT_EQ(At(50), first.top);
    EXPECT_EQ(At(400), first.right - first.left);
    EXPECT_EQ(At(320), first.bottom - first.top);
    MoveWindow(Frame(), first.left, first.top, 150, 90, TRUE);
    EXPECT_EQ(At(400), OuterSize(Frame()).cx);
    EXPECT_EQ(At(320), OuterSize(Frame()).cy);
    // Close brings a fitted frame back to the floor.
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip640.avi"));
    Command(IDM_ZOOM200);
    PumpPending();
    EXPECT_GT(OuterSize(Frame()).cx, At(400));
    Command(IDM_CLOSE);
    EXPECT_EQ(At(400), OuterSize(Frame()).cx);
    EXPECT_EQ(At(320), OuterSize(Frame()).cy);
}

// The colours a glyph may have on the screen: the face, its shadow and highlight, and the two of
// its own.
std::set<COLORREF> GlyphColours() {
    return {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW),
            GetSysColor(COLOR_BTNHIGHLIGHT), RGB(128, 0, 0), RGB(0, 64, 0)};
}

DWORD Rgb(COLORREF colour) {
    return static_cast<DWORD>(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

// The toolbar's images and buttons at the scale, each button's pixels in the glyph's colours
// only, with as many of its dark red pixels as its shape has at that size.
void ExpectSharpToolbar(int dpi) {
    const HWND toolbar = transportToolbar.GetWindow();
    const int cell = At(20, dpi);
    const HIMAGELIST images =
        reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
    int width = 0;
    int height = 0;
    ASSERT_TRUE(ImageList_GetIconSize(images, &width, &height));
    EXPECT_EQ(cell, width);
    EXPECT_EQ(cell, height);
    EXPECT_GE(static_cast<int>(LOWORD(SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0))), cell);
    EXPECT_GE(static_cast<int>(HIWORD(SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0))), cell);
    RedrawWindow(toolbar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SIZE size = {};
    const std::vector<DWORD> pixels = ClientPixels(toolbar, &size);
    std::set<DWORD> allowed;
    for (const COLORREF colour : GlyphColours()) {
        allowed.insert(Rgb(colour));
    }
    // Enabled buttons (a movie is open and stopped): Play, Close, Beginning .. End.
    const struct {
        int index;
        int glyph;
    } buttons[] = {{0, 0}, {2, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}};
    for (const auto& button : buttons) {
        SCOPED_TRACE("button " + std::to_string(button.index));
        RECT item = {};
        ASSERT_TRUE(SendMessageA(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(button.index),
                                 reinterpret_cast<LPARAM>(&item)));
        int red = 0;
        int strange = 0;
        for (int y = item.top; y < item.bottom && y < size.cy; ++y) {
            for (int x = item.left; x < item.right && x < size.cx; ++x) {
                const DWORD pixel = pixels[static_cast<size_t>(y * size.cx + x)];
                red += pixel == Rgb(RGB(128, 0, 0)) ? 1 : 0;
                strange += allowed.count(pixel) == 0 ? 1 : 0;
            }
        }
        int shapeRed = 0;
        for (int y = 0; y < cell; ++y) {
            for (int x = 0; x < cell; ++x) {
                shapeRed += GlyphPixel(button.glyph, x, y, cell) == GLYPH_RED ? 1 : 0;
            }
        }
        EXPECT_EQ(0, strange);
        EXPECT_EQ(shapeRed, red);
        EXPECT_LE(item.bottom, ClientSize(toolbar).cy);
    }
}

void ExpectTrackbarRightOfTheButtons(int dpi) {
    const HWND toolbar = transportToolbar.GetWindow();
    const RECT place = RectInParent(positionTrackbar.GetWindow());
    EXPECT_EQ(At(208, dpi), place.left);
    EXPECT_EQ(At(2, dpi), place.top);
    EXPECT_EQ(At(22, dpi), place.bottom - place.top);
    EXPECT_EQ(ClientSize(toolbar).cx - At(10, dpi), place.right);
    RECT last = {};
    SendMessageA(toolbar, TB_GETITEMRECT, 8, reinterpret_cast<LPARAM>(&last));
    EXPECT_GE(place.left, last.right);
    EXPECT_LE(place.bottom, ClientSize(toolbar).cy);
}

TEST(Scale, ToolbarTrackbarAndStatusTextsGrowWithTheScale) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    // An hour-long movie's time text too.
    ASSERT_NO_FATAL_FAILURE(OpenMovie("long70.avi"));
    EXPECT_EQ("00:00/01:10:00", StatusPart(2));
    ExpectSharpToolbar(Dpi());
    ExpectTrackbarRightOfTheButtons(Dpi());
    ExpectStatusTextsFit();
    // At the floor nothing overlaps: the parts stay in order within the bar.
    MoveWindow(Frame(), 0, 0, 10, 10, TRUE);
    INT edges[3] = {};
    SendMessageA(statusBar.GetWindow(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    EXPECT_LE(0, edges[0]);
    EXPECT_LE(edges[0], edges[1]);
    EXPECT_LE(edges[1], edges[2]);
    EXPECT_LE(edges[2], OuterSize(statusBar.GetWindow()).cx);
}

TEST(Scale, ThePictureKeepsTheMoviesOwnPixels) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip320.avi"));
    const struct {
        int command;
        int width;
        int height;
    } zooms[] = {{IDM_ZOOM100, 320, 240}, {IDM_ZOOM200, 640, 480}, {IDM_ZOOM50, 160, 120}};
    for (const auto& zoom : zooms) {
        Command(zoom.command);
        PumpPending();
        EXPECT_EQ(zoom.width, ClientSize(Movie()).cx) << zoom.command;
        EXPECT_EQ(zoom.height, ClientSize(Movie()).cy) << zoom.command;
    }
    // Fitted, in the window and in full screen, the picture fills the area's width or height.
    Command(IDM_ZOOMFIT);
    for (const bool full : {false, true}) {
        if (full) {
            Command(IDM_FULLSCREEN);
        }
        PumpPending();
        const SIZE area = ClientSize(Host());
        const SIZE picture = ClientSize(Movie());
        EXPECT_TRUE(picture.cx == area.cx || picture.cy == area.cy) << full;
        EXPECT_LE(picture.cx, area.cx);
        EXPECT_LE(picture.cy, area.cy);
    }
}

// Wine never sends the message (one DPI for every monitor): it is sent here as Windows sends it
// when the frame moves to a monitor of another scale.
TEST(Scale, ADpiChangeTakesTheSuggestedPlaceAndScalesEverythingAgain) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("long70.avi"));
    const int was = Dpi();
    const int now = was >= 192 ? 96 : was + 48;
    const LONG fontWas = [] {
        LOGFONTA font = {};
        GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(statusBar.GetWindow(), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        return font.lfHeight;
    }();
    RECT suggested = {30, 40, 30 + At(600, now), 40 + At(450, now)};
    SendMessageA(Frame(), WM_DPICHANGED, MAKEWPARAM(now, now),
                 reinterpret_cast<LPARAM>(&suggested));
    PumpPending();
    EXPECT_EQ(now, Dpi());
    EXPECT_TRUE(SameRect(suggested, OuterRect(Frame())));
    ExpectSharpToolbar(now);
    ExpectTrackbarRightOfTheButtons(now);
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(statusBar.GetWindow(), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_NE(fontWas, font.lfHeight);
    ExpectStatusTextsFit();
    // The host lies between the toolbar and the status bar as they now are.
    const RECT host = RectInParent(Host());
    EXPECT_EQ(OuterSize(transportToolbar.GetWindow()).cy, host.top);
    EXPECT_EQ(ClientSize(Frame()).cy - OuterSize(statusBar.GetWindow()).cy, host.bottom);
    // In full screen the frame stays over the whole screen, and leaving it lays out anew.
    Command(IDM_FULLSCREEN);
    const RECT full = OuterRect(Frame());
    SendMessageA(Frame(), WM_DPICHANGED, MAKEWPARAM(was, was),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_TRUE(SameRect(full, OuterRect(Frame())));
    EXPECT_EQ(was, Dpi());
    Command(IDM_FULLSCREEN);
    ExpectTrackbarRightOfTheButtons(was);
    // The floor follows the new scale.
    SendMessageA(Frame(), WM_DPICHANGED, MAKEWPARAM(now, now),
                 reinterpret_cast<LPARAM>(&suggested));
    MoveWindow(Frame(), 0, 0, 100, 100, TRUE);
    EXPECT_EQ(At(400, now), OuterSize(Frame()).cx);
    EXPECT_EQ(At(320, now), OuterSize(Frame()).cy);
}

} // namespace
