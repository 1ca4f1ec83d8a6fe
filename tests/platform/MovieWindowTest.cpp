// The movie window wrapper: when it creates a window, how it sets the window up, and that a
// window which could not open its file is not kept.
#include <windows.h>
#include <vfw.h>

#include "PlayerSupport.h"
#include "movie/DriverThreads.h"
#include "shell/Application.h"

#include <gtest/gtest.h>

#include <string>

using namespace playertest;

TEST(MovieWindow, CreateNeedsTheInstanceAndTheHostAndNoMovieWindowYet) {
    const std::string path = FixturePath("clip160.avi");
    // Before start-up: neither the instance nor the host.
    EXPECT_FALSE(movieWindow.Create(path.c_str()));
    // The instance alone is not enough.
    application.SetInstance(GetModuleHandleA(nullptr));
    EXPECT_FALSE(movieWindow.Create(path.c_str()));
    EXPECT_EQ(nullptr, movieWindow.GetWindow());

    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    // The host alone is not enough either.
    application.SetInstance(nullptr);
    EXPECT_FALSE(movieWindow.Create(path.c_str()));
    EXPECT_EQ(0, MovieWindowsInHost());
    application.SetInstance(GetModuleHandleA(nullptr));

    ASSERT_TRUE(movieWindow.Create(path.c_str()));
    const HWND first = movieWindow.GetWindow();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(videoHost.GetWindow(), GetParent(first));
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_EQ(0x5000870A, static_cast<DWORD>(GetWindowLongA(first, GWL_STYLE)) & 0x5000870A);

    // A second one is refused while the first exists.
    EXPECT_FALSE(movieWindow.Create(path.c_str()));
    EXPECT_EQ(first, movieWindow.GetWindow());
    EXPECT_EQ(1, MovieWindowsInHost());
}

TEST(MovieWindow, WorksInMillisecondsWithHalfSecondTimers) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_TRUE(movieWindow.Create(FixturePath("clip320.avi").c_str()));
    const HWND movie = movieWindow.GetWindow();
    char format[16] = {};
    SendMessageA(movie, MCIWNDM_GETTIMEFORMATA, sizeof format, reinterpret_cast<LPARAM>(format));
    // The platform names the format it was given as "ms" in full.
    EXPECT_STREQ("milliseconds", format);
    // In frames the length would be 50.
    EXPECT_EQ(5000, movieWindow.GetLength());
    EXPECT_EQ(0, movieWindow.GetStart());
    EXPECT_EQ(5000, movieWindow.GetEnd());
    // The platform's inactive default is 2000 ms.
    EXPECT_EQ(500, SendMessageA(movie, MCIWNDM_GETACTIVETIMER, 0, 0));
    EXPECT_EQ(500, SendMessageA(movie, MCIWNDM_GETINACTIVETIMER, 0, 0));
}

struct ZoomCase {
    int32_t zoom;
    LONG width, height; // outer size of the movie window for the 160 x 120 clip
};

class MovieWindowZoom : public testing::TestWithParam<ZoomCase> {};

TEST_P(MovieWindowZoom, CreationAppliesTheCurrentZoom) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    zoomPercent = GetParam().zoom;
    ASSERT_TRUE(movieWindow.Create(FixturePath("clip160.avi").c_str()));
    EXPECT_EQ(GetParam().zoom, SendMessageA(movieWindow.GetWindow(), MCIWNDM_GETZOOM, 0, 0));
    const SIZE size = OuterSize(movieWindow.GetWindow());
    // The movie window draws a one-pixel border around the picture.
    EXPECT_EQ(GetParam().width, size.cx);
    EXPECT_EQ(GetParam().height, size.cy);
}

INSTANTIATE_TEST_SUITE_P(Zooms, MovieWindowZoom,
                         testing::Values(ZoomCase{50, 82, 62}, ZoomCase{100, 162, 122},
                                         ZoomCase{200, 322, 242}),
                         [](const testing::TestParamInfo<ZoomCase>& info) {
                             return "Percent" + std::to_string(info.param.zoom);
                         });

TEST(MovieWindow, SetZoomResizesTheWindowAndReportsTheSizeToTheHost) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_TRUE(movieWindow.Create(FixturePath("clip160.avi").c_str()));
    movieWindow.SetZoom(200);
    EXPECT_TRUE(PumpUntil([] { return OuterSize(movieWindow.GetWindow()).cx == 322; }, 5000));
    EXPECT_EQ(242, OuterSize(movieWindow.GetWindow()).cy);
}

TEST(MovieWindow, DestroyRemovesTheWindowOnce) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    EXPECT_FALSE(movieWindow.Destroy());
    ASSERT_TRUE(movieWindow.Create(FixturePath("clip160.avi").c_str()));
    const HWND movie = movieWindow.GetWindow();
    EXPECT_TRUE(movieWindow.Destroy());
    EXPECT_EQ(nullptr, movieWindow.GetWindow());
    EXPECT_FALSE(IsWindow(movie));
    EXPECT_EQ(0, MovieWindowsInHost());
    EXPECT_FALSE(movieWindow.Destroy());
    // And a new one can be made afterwards.
    EXPECT_TRUE(movieWindow.Create(FixturePath("clip320.avi").c_str()));
}

TEST(MovieWindow, OperationsPlayPauseStopAndSeek) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_TRUE(movieWindow.Create(FixturePath("clip320.avi").c_str()));
    movieWindow.Seek(2000);
    EXPECT_EQ(2000, movieWindow.GetPosition());
    movieWindow.Play();
    EXPECT_EQ(MCI_MODE_PLAY, MovieMode());
    EXPECT_TRUE(PumpUntil([] { return movieWindow.GetPosition() > 2000; }, 5000));
    movieWindow.Pause();
    const int32_t held = movieWindow.GetPosition();
    EXPECT_FALSE(PumpUntil([held] { return movieWindow.GetPosition() != held; }, 600));
    movieWindow.Play();
    EXPECT_TRUE(PumpUntil([held] { return movieWindow.GetPosition() > held; }, 5000));
    movieWindow.Stop();
    EXPECT_NE(MCI_MODE_PLAY, MovieMode());
    movieWindow.Seek(MCIWND_START);
    EXPECT_EQ(0, movieWindow.GetPosition());
}

// A play's thread of the driver is waited for; a thread that already ran when the device had
// opened (a device's own, which ends only with its close) is not. Once listed, a play's thread
// stands in for such a thread here.
TEST(MovieWindow, WaitsForAPlaysDriverThreadsButNotForStandingOnes) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_TRUE(movieWindow.Create(FixturePath("clip320.avi").c_str()));
    StandingThreads standing;
    ListStandingThreads("mciavi32.dll", &standing);
    EXPECT_TRUE(WaitForDriverThreads("mciavi32.dll", standing, 0));
    movieWindow.Play();
    ASSERT_EQ(MCI_MODE_PLAY, MovieMode());
    const int all = CountDriverThreads("mciavi32.dll");
    if (all <= static_cast<int>(standing.count)) {
        GTEST_SKIP() << "this driver plays without threads of its own";
    }
    // Still playing: its thread does not end within the wait.
    EXPECT_FALSE(WaitForDriverThreads("mciavi32.dll", standing, 300));
    ListStandingThreads("mciavi32.dll", &standing);
    EXPECT_EQ(static_cast<DWORD>(all), standing.count);
    const DWORD start = GetTickCount();
    EXPECT_TRUE(WaitForDriverThreads("mciavi32.dll", standing, 3000));
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_EQ(MCI_MODE_PLAY, MovieMode());
}

// Wine refuses a seek to the position it reports as the end (MCIERR_OUTOFRANGE) and stays
// where it was; the wrapper then goes to the last frame, the end less one frame at 10 fps.
TEST(MovieWindow, SeekToTheEndReachesTheLastFrame) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_TRUE(movieWindow.Create(FixturePath("clip320.avi").c_str()));
    const int32_t end = movieWindow.GetEnd();
    movieWindow.Seek(end);
    EXPECT_GE(movieWindow.GetPosition(), end - 100);
    EXPECT_LE(movieWindow.GetPosition(), end);
    movieWindow.Seek(MCIWND_START);
    movieWindow.Seek(end + 1000);
    EXPECT_GE(movieWindow.GetPosition(), end - 100);
    // Below the end a seek goes where it is told.
    movieWindow.Seek(end - 1000);
    EXPECT_EQ(end - 1000, movieWindow.GetPosition());
}

// What the platform's movie window reports for files it can and cannot open: the device id is
// 0 exactly when no device was opened for the file.
struct DeviceCase {
    const char* file;
    bool opens;
};

class MovieWindowDevice : public testing::TestWithParam<DeviceCase> {};

TEST_P(MovieWindowDevice, PlatformReportsDeviceZeroForAFileItCannotOpen) {
    HWND parent = CreateTopLevelWindow("DeviceProbeParent", DefWindowProcA, "");
    ASSERT_NE(nullptr, parent);
    DialogAnswerer answerer([](HWND dialog) { PressDialogButton(dialog, IDOK); });
    HWND movie = MCIWndCreateA(parent, GetModuleHandleA(nullptr), 0x5000870A,
                               FixturePath(GetParam().file).c_str());
    // The platform makes a window either way; only its device tells the two apart.
    ASSERT_NE(nullptr, movie);
    MCIWndSetTimeFormat(movie, "ms");
    if (GetParam().opens) {
        EXPECT_EQ(0, answerer.AnsweredCount());
        EXPECT_NE(0u, MCIWndGetDeviceID(movie));
        EXPECT_EQ(MCI_MODE_STOP, MCIWndGetMode(movie, nullptr, 0));
        EXPECT_EQ(5000, MCIWndGetLength(movie));
    } else {
        EXPECT_EQ(1, answerer.AnsweredCount());
        EXPECT_EQ("MCI Error", answerer.LastCaption());
        EXPECT_EQ(0u, MCIWndGetDeviceID(movie));
        EXPECT_EQ(MCI_MODE_NOT_READY, MCIWndGetMode(movie, nullptr, 0));
        EXPECT_EQ(0, MCIWndGetLength(movie));
    }
    MCIWndDestroy(movie);
    DestroyWindow(parent);
}

TEST_P(MovieWindowDevice, CreateKeepsOnlyAWindowWithADevice) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    DialogAnswerer answerer([](HWND dialog) { PressDialogButton(dialog, IDOK); });
    const bool created = movieWindow.Create(FixturePath(GetParam().file).c_str());
    EXPECT_EQ(GetParam().opens, created);
    if (GetParam().opens) {
        ASSERT_NE(nullptr, movieWindow.GetWindow());
        EXPECT_NE(0, SendMessageA(movieWindow.GetWindow(), MCIWNDM_GETDEVICEID, 0, 0));
        EXPECT_EQ(1, MovieWindowsInHost());
        EXPECT_EQ(0, answerer.AnsweredCount());
    } else {
        // The platform's own error box was shown, and the window it made anyway is gone.
        EXPECT_EQ(1, answerer.AnsweredCount());
        EXPECT_EQ(nullptr, movieWindow.GetWindow());
        EXPECT_EQ(0, MovieWindowsInHost());
        // Nothing is left behind that would refuse the next movie.
        EXPECT_TRUE(movieWindow.Create(FixturePath("clip160.avi").c_str()));
    }
}

INSTANTIATE_TEST_SUITE_P(Files, MovieWindowDevice,
                         testing::Values(DeviceCase{"clip320.avi", true},
                                         DeviceCase{"cuthalf.avi", true},
                                         DeviceCase{"notmovie.avi", false},
                                         DeviceCase{"cut4k.avi", false},
                                         DeviceCase{"missing.avi", false}),
                         [](const testing::TestParamInfo<DeviceCase>& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });
