// Fit to Window: the picture scaled by the movie window to the largest rectangle of the movie's
// proportions in the video area, refitted as the frame changes, and left for a zoom again.
#include <windows.h>
#include <vfw.h>

#include "PlayerSupport.h"
#include "shell/FrameGeometry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace playertest;

namespace {

const UINT ZOOM_IDS[] = {IDM_ZOOM50, IDM_ZOOM100, IDM_ZOOM200, IDM_ZOOMFIT};

bool Checked(UINT id) {
    return (GetMenuState(PlayerMenu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void ExpectOnlyZoomChecked(UINT id) {
    for (UINT zoom : ZOOM_IDS) {
        EXPECT_EQ(zoom == id, Checked(zoom)) << "zoom item " << zoom;
    }
}

void SizeFrame(int width, int height) {
    const RECT rect = OuterRect(Frame());
    MoveWindow(Frame(), rect.left, rect.top, width, height, TRUE);
    PumpPending();
}

// The movie window's client area, where it draws the picture, in the host's client area.
RECT PictureInHost() {
    RECT picture = {};
    GetClientRect(Movie(), &picture);
    MapWindowPoints(Movie(), Host(), reinterpret_cast<POINT*>(&picture), 2);
    return picture;
}

SIZE SourceSize() {
    RECT source = {};
    SendMessageA(Movie(), MCIWNDM_GET_SOURCE, 0, reinterpret_cast<LPARAM>(&source));
    return {source.right - source.left, source.bottom - source.top};
}

// The picture where the fitting rule puts it, drawn at that size, with no scroll bars.
void ExpectFitted(const std::string& where) {
    SCOPED_TRACE(where);
    const SIZE area = ClientSize(Host());
    const SIZE source = SourceSize();
    const Placement fitted = FitPicture(area.cx, area.cy, source.cx, source.cy);
    ASSERT_GT(fitted.width, 0);
    const RECT picture = PictureInHost();
    EXPECT_EQ(fitted.x, picture.left);
    EXPECT_EQ(fitted.y, picture.top);
    EXPECT_EQ(fitted.x + fitted.width, picture.right);
    EXPECT_EQ(fitted.y + fitted.height, picture.bottom);
    // Filled in one direction at least, inside the area in both.
    EXPECT_TRUE(fitted.width == area.cx || fitted.height == area.cy);
    RECT dest = {};
    EXPECT_EQ(0, SendMessageA(Movie(), MCIWNDM_GET_DEST, 0, reinterpret_cast<LPARAM>(&dest)));
    EXPECT_EQ(0, dest.left);
    EXPECT_EQ(0, dest.top);
    EXPECT_EQ(fitted.width, dest.right);
    EXPECT_EQ(fitted.height, dest.bottom);
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_FALSE(HasBar(WS_VSCROLL));
    EXPECT_TRUE(zoomFit);
    ExpectOnlyZoomChecked(IDM_ZOOMFIT);
}

// Everything that is drawn now.
void PaintEverything() {
    RedrawWindow(Frame(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpUntil([] { return !GetUpdateRect(Movie(), nullptr, FALSE); }, 5000);
    PumpPending();
}

int ColourDistance(DWORD a, DWORD b) {
    int distance = 0;
    for (int shift : {0, 8, 16}) {
        distance +=
            std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    }
    return distance;
}

} // namespace

TEST(FitToWindow, FitsAndRefitsThePictureWithoutMovingTheFrame) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip320.avi"));
    ExpectOnlyZoomChecked(IDM_ZOOM100);
    const RECT frame = OuterRect(Frame());
    Command(IDM_ZOOMFIT);
    PumpPending();
    EXPECT_TRUE(SameRect(frame, OuterRect(Frame())));
    ExpectFitted("chosen");

    const struct {
        const char* name;
        int width, height;
    } sizes[] = {{"wider", 900, 420},
                 {"taller", 420, 900},
                 {"smaller than the movie", 400, 320},
                 {"large", 1000, 800}};
    for (const auto& size : sizes) {
        SizeFrame(size.width, size.height);
        ExpectFitted(size.name);
    }
    const RECT restored = OuterRect(Frame());
    ShowWindow(Frame(), SW_MAXIMIZE);
    PumpPending();
    ExpectFitted("maximised");
    ShowWindow(Frame(), SW_RESTORE);
    PumpPending();
    ExpectFitted("restored");

    Command(IDM_FULLSCREEN);
    PumpPending();
    ASSERT_EQ(FullScreen, fullScreenController.mode);
    ExpectFitted("full screen");
    // The screen's width or its height.
    const RECT picture = PictureInHost();
    EXPECT_TRUE(picture.right - picture.left == GetSystemMetrics(SM_CXSCREEN) ||
                picture.bottom - picture.top == GetSystemMetrics(SM_CYSCREEN));
    Command(IDM_FULLSCREEN);
    PumpPending();
    ASSERT_EQ(Windowed, fullScreenController.mode);
    EXPECT_TRUE(SameRect(restored, OuterRect(Frame())));
    ExpectFitted("left full screen");
}

TEST(FitToWindow, OpeningAMovieKeepsTheFramesSize) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    Command(IDM_ZOOMFIT);
    ExpectOnlyZoomChecked(IDM_ZOOMFIT);
    SizeFrame(700, 560);
    const RECT frame = OuterRect(Frame());
    for (const char* clip : {"clip640.avi", "clip160.avi"}) {
        ASSERT_NO_FATAL_FAILURE(OpenMovie(clip));
        EXPECT_TRUE(SameRect(frame, OuterRect(Frame()))) << clip;
        ExpectFitted(clip);
    }
}

// Choosing a zoom from Fit to Window does what choosing it from another zoom does: the frame
// fits itself around the movie at that zoom.
TEST(FitToWindow, AZoomLeavesFitAndFitsTheFrameAsBefore) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip320.avi"));
    const struct {
        UINT id, other;
        int percent;
    } zooms[] = {{IDM_ZOOM50, IDM_ZOOM100, 50},
                 {IDM_ZOOM100, IDM_ZOOM200, 100},
                 {IDM_ZOOM200, IDM_ZOOM50, 200}};
    for (const auto& zoom : zooms) {
        SCOPED_TRACE(zoom.percent);
        Command(zoom.other);
        SizeFrame(700, 560);
        Command(zoom.id);
        PumpPending();
        const RECT fromZoom = OuterRect(Frame());
        const RECT movieFromZoom = RectInParent(Movie());

        Command(IDM_ZOOMFIT);
        SizeFrame(700, 560);
        ExpectFitted("before the zoom");
        Command(zoom.id);
        PumpPending();
        EXPECT_FALSE(zoomFit);
        EXPECT_EQ(zoom.percent, zoomPercent);
        ExpectOnlyZoomChecked(zoom.id);
        EXPECT_TRUE(SameRect(fromZoom, OuterRect(Frame())));
        EXPECT_TRUE(SameRect(movieFromZoom, RectInParent(Movie())));
        RECT dest = {};
        SendMessageA(Movie(), MCIWNDM_GET_DEST, 0, reinterpret_cast<LPARAM>(&dest));
        EXPECT_EQ(SourceSize().cx * zoom.percent / 100, dest.right);
        EXPECT_EQ(SourceSize().cy * zoom.percent / 100, dest.bottom);
    }
}

// The movie window really scales the picture: sampled on a grid, the fitted picture shows the
// colours of the same places of the picture drawn at 100 %, and the area around it is black.
TEST(FitToWindow, ThePictureIsScaledAndTheRestIsBlack) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip160.avi"));
    PaintEverything();
    SIZE size = {};
    const std::vector<DWORD> original = ClientPixels(Movie(), &size);
    ASSERT_EQ(SourceSize().cx, size.cx);
    ASSERT_EQ(SourceSize().cy, size.cy);

    Command(IDM_ZOOMFIT);
    SizeFrame(900, 520);
    ExpectFitted("fitted");
    PaintEverything();
    SIZE area = {};
    const std::vector<DWORD> shown = ClientPixels(Host(), &area);
    const RECT picture = PictureInHost();
    const int width = picture.right - picture.left;
    const int height = picture.bottom - picture.top;
    ASSERT_GT(width, 2 * size.cx); // well beyond what an unscaled picture would cover

    const int GRID = 12;
    int matching = 0;
    for (int i = 0; i < GRID; ++i) {
        for (int j = 0; j < GRID; ++j) {
            const int u2 = 2 * i + 1, v2 = 2 * j + 1; // centres of the grid's cells, in halves
            const int x = picture.left + u2 * width / (2 * GRID);
            const int y = picture.top + v2 * height / (2 * GRID);
            const int sx = u2 * size.cx / (2 * GRID);
            const int sy = v2 * size.cy / (2 * GRID);
            const DWORD fitted = shown[static_cast<size_t>(y * area.cx + x)];
            const DWORD source = original[static_cast<size_t>(sy * size.cx + sx)];
            matching += ColourDistance(fitted, source) <= 48 ? 1 : 0;
        }
    }
    // Samples on an edge between two colours may land on either side.
    EXPECT_GE(matching, GRID * GRID * 8 / 10);

    // The movie window's border lies on the picture's edge; everything beyond it is black.
    RECT outer = picture;
    InflateRect(&outer, 1, 1);
    int lit = 0;
    for (int y = 0; y < area.cy; ++y) {
        for (int x = 0; x < area.cx; ++x) {
            const POINT point = {x, y};
            if (!PtInRect(&outer, point) && shown[static_cast<size_t>(y * area.cx + x)] != 0) {
                ++lit;
            }
        }
    }
    EXPECT_EQ(0, lit);
}
