// The transport commands, trackbar seeking and the end of the movie, on real movies: the
// movie window's position, the trackbar, the status texts, the menu and the buttons after
// each step.
#include <windows.h>
#include <vfw.h>

#include "PlayerSupport.h"
#include "core/Seeking.h"
#include "movie/DriverThreads.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace playertest;

namespace {

// The clips run at 10 fps: the movie window shows a seek target rounded down to its frame
// (so the cases below seek to frame starts), and Wine goes no further than the end less one
// frame.
const int FRAME_MS = 100;

// Wraps the movie window: counts the commands it is sent and, for one chosen command, reports
// the stopped mode to its parent from inside it, as a platform may do synchronously.
class MovieSpy : public WindowSpy {
  public:
    explicit MovieSpy(UINT notifyInside = 0, int notifyLimit = 5)
        : WindowSpy(movieWindow.GetWindow()), notifyInside(notifyInside), notifyLimit(notifyLimit) {
    }
    int Count(UINT message) const {
        const auto found = counts.find(message);
        return found == counts.end() ? 0 : found->second;
    }

  protected:
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        ++counts[message];
        if (message == notifyInside && notified < notifyLimit) {
            ++notified;
            SendMessageA(GetParent(window), MCIWNDM_NOTIFYMODE, reinterpret_cast<WPARAM>(window),
                         MCI_MODE_STOP);
        }
        return CallOriginal(window, message, wParam, lParam);
    }

  private:
    UINT notifyInside;
    int notifyLimit;
    int notified = 0;
    std::map<UINT, int> counts;
};

// Counts the mode notifications that reach the video host.
class HostModeSpy : public WindowSpy {
  public:
    HostModeSpy() : WindowSpy(videoHost.GetWindow()) {}
    int Count(int mode) const {
        const auto found = modes.find(mode);
        return found == modes.end() ? 0 : found->second;
    }

  protected:
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == MCIWNDM_NOTIFYMODE) {
            ++modes[static_cast<int>(lParam)];
        }
        return CallOriginal(window, message, wParam, lParam);
    }

  private:
    std::map<int, int> modes;
};

void OpenClip320() {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip320.avi");
    ASSERT_NE(nullptr, movieWindow.GetWindow());
    ASSERT_EQ(5000, movieWindow.GetLength());
}

void PlayUntil(int position) {
    Command(IDM_PLAYPAUSE);
    ASSERT_EQ(MCI_MODE_PLAY, playerState);
    ASSERT_TRUE(PumpUntil([position] { return MoviePosition() >= position; }, 8000));
}

// Playing, then paused at a chosen position.
void PauseAt(int position) {
    Command(IDM_PLAYPAUSE);
    Command(IDM_PLAYPAUSE);
    ASSERT_EQ(MCI_MODE_PAUSE, playerState);
    SendMessageA(movieWindow.GetWindow(), MCI_SEEK, 0, position);
    ASSERT_EQ(position, MoviePosition());
}

void ExpectAt(int position, int trackbar, const char* timeText) {
    EXPECT_EQ(position, MoviePosition());
    EXPECT_EQ(trackbar, TrackbarPosition());
    EXPECT_EQ(timeText, StatusPart(2));
}

const char* CommandName(int id) {
    switch (id) {
    case IDM_REWIND:
        return "Rewind";
    case IDM_FORWARD:
        return "Forward";
    case IDM_BEGINNING:
        return "Beginning";
    case IDM_END:
        return "End";
    default:
        return "Command";
    }
}

const char* ScrollCodeName(int code) {
    const char* names[] = {"LineUp",     "LineDown", "PageUp", "PageDown", "ThumbPosition",
                           "ThumbTrack", "Top",      "Bottom", "EndTrack"};
    return code >= 0 && code <= 8 ? names[code] : "Other";
}

bool NothingHappensFor(uint32_t ms, const std::function<bool()>& happened) {
    return !PumpUntil(happened, ms);
}

} // namespace

TEST(Transport, OpenedMovieIsStoppedAtTheStart) {
    ASSERT_NO_FATAL_FAILURE(OpenClip320());
    ExpectViewsOf(MCI_MODE_STOP);
    ExpectAt(0, 0, "00:00/00:05");
}

TEST(Transport, PlayFollowsThePositionAndPauseHoldsIt) {
    ASSERT_NO_FATAL_FAILURE(OpenClip320());
    Command(IDM_PLAYPAUSE);
    ExpectViewsOf(MCI_MODE_PLAY);
    EXPECT_EQ(MCI_MODE_PLAY, MovieMode());
    // The position notifications move the trackbar and the time text.
    EXPECT_TRUE(PumpUntil([] { return StatusPart(2) == "00:01/00:05"; }, 5000));
    EXPECT_GE(TrackbarPosition(), 40);

    Command(IDM_PLAYPAUSE);
    ExpectViewsOf(MCI_MODE_PAUSE);
    const int held = MoviePosition();
    const int trackbar = TrackbarPosition();
    EXPECT_TRUE(NothingHappensFor(800, [held] { return MoviePosition() != held; }));
    EXPECT_EQ(trackbar, TrackbarPosition());
    ExpectViewsOf(MCI_MODE_PAUSE);

    // Play/Pause again plays on from where it was held.
    Command(IDM_PLAYPAUSE);
    ExpectViewsOf(MCI_MODE_PLAY);
    EXPECT_TRUE(PumpUntil([held] { return MoviePosition() > held; }, 5000));
    EXPECT_GE(MoviePosition(), held);
}

// Play again at once after a pause: the movie plays on at its own speed, on one player thread
// of the driver, not on the paused play's thread as well.
TEST(Transport, PlayRightAfterPausePlaysAtTheMoviesSpeed) {
    ASSERT_NO_FATAL_FAILURE(OpenClip320());
    ASSERT_NO_FATAL_FAILURE(PlayUntil(500));
    Command(IDM_PLAYPAUSE);
    Command(IDM_PLAYPAUSE);
    ASSERT_EQ(MCI_MODE_PLAY, playerState);
    ASSERT_EQ(MCI_MODE_PLAY, MovieMode());
    // Wine's driver plays each play on a thread of its own.
    if (RunningUnderWine()) {
        EXPECT_EQ(1, CountDriverThreads("mciavi32.dll"));
    }
    const int from = MoviePosition();
    const DWORD start = GetTickCount();
    PumpUntil([] { return false; }, 1500);
    const int played = MoviePosition() - from;
    const int elapsed = static_cast<int>(GetTickCount() - start);
    // Frames of 100 ms: within two frames of the time that passed, and far from twice it.
    EXPECT_LE(played, elapsed + 200);
    EXPECT_GE(played, elapsed - 300);
}

TEST(Transport, PositionCommandsWhilePlayingChangeNothing) {
    ASSERT_NO_FATAL_FAILURE(OpenClip320());
    ASSERT_NO_FATAL_FAILURE(PlayUntil(1500));
    const int before = MoviePosition();
    const int trackbar = TrackbarPosition();
    const std::string time = StatusPart(2);
    for (int id : {IDM_BEGINNING, IDM_REWIND, IDM_FORWARD, IDM_END}) {
        Command(id);
    }
    // Still playing on from where it was: not back at the start, not 1 s away, not at the end.
    const int after = MoviePosition();
    EXPECT_GE(after, before);
    EXPECT_LT(after, before + 500);
    EXPECT_EQ(MCI_MODE_PLAY, MovieMode());
    EXPECT_EQ(trackbar, TrackbarPosition());
    EXPECT_EQ(time, StatusPart(2));
    ExpectViewsOf(MCI_MODE_PLAY);
}

TEST(Transport, PositionCommandsWithoutAMovieDoNothing) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    for (int id : {IDM_PLAYPAUSE, IDM_STOP, IDM_BEGINNING, IDM_REWIND, IDM_FORWARD, IDM_END}) {
        Command(id);
    }
    TrackbarScroll(TB_THUMBTRACK, 100);
    EXPECT_FALSE(seeking);
    ExpectNoMovie();
}

struct StepCase {
    PlayerState state; // stopped or paused
    int from;
    int command;
    int position;
    int trackbar;
    const char* timeText;
};

class TransportStep : public testing::TestWithParam<StepCase> {};

TEST_P(TransportStep, SeeksClampsAndLeavesTheStateAsItWas) {
    const StepCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(OpenClip320());
    if (c.state == MCI_MODE_PAUSE) {
        ASSERT_NO_FATAL_FAILURE(PauseAt(c.from));
    } else {
        SendMessageA(movieWindow.GetWindow(), MCI_SEEK, 0, c.from);
        ASSERT_EQ(c.from, MoviePosition());
    }
    Command(c.command);
    ExpectAt(c.position, c.trackbar, c.timeText);
    ExpectViewsOf(c.state);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, TransportStep,
    testing::Values(
        // Rewind near the start goes to the start; Forward near the end goes to the end, which
        // under Wine is the last frame.
        StepCase{MCI_MODE_PAUSE, 400, IDM_REWIND, 0, 0, "00:00/00:05"},
        StepCase{MCI_MODE_PAUSE, 2000, IDM_REWIND, 1000, 40, "00:01/00:05"},
        StepCase{MCI_MODE_PAUSE, 2000, IDM_FORWARD, 3000, 120, "00:03/00:05"},
        StepCase{MCI_MODE_PAUSE, 4500, IDM_FORWARD, 5000 - FRAME_MS, 200, "00:05/00:05"},
        StepCase{MCI_MODE_PAUSE, 2500, IDM_BEGINNING, 0, 0, "00:00/00:05"},
        StepCase{MCI_MODE_PAUSE, 2500, IDM_END, 5000 - FRAME_MS, 200, "00:05/00:05"},
        StepCase{MCI_MODE_STOP, 400, IDM_REWIND, 0, 0, "00:00/00:05"},
        StepCase{MCI_MODE_STOP, 0, IDM_FORWARD, 1000, 40, "00:01/00:05"},
        StepCase{MCI_MODE_STOP, 4500, IDM_FORWARD, 5000 - FRAME_MS, 200, "00:05/00:05"},
        StepCase{MCI_MODE_STOP, 3000, IDM_BEGINNING, 0, 0, "00:00/00:05"},
        StepCase{MCI_MODE_STOP, 0, IDM_END, 5000 - FRAME_MS, 200, "00:05/00:05"}),
    [](const testing::TestParamInfo<StepCase>& info) {
        return std::string(info.param.state == MCI_MODE_PAUSE ? "Paused" : "Stopped") + "At" +
               std::to_string(info.param.from) + CommandName(info.param.command);
    });

TEST(Transport, PlayAfterASeekWhilePausedPlaysFromTheNewPosition) {
    ASSERT_NO_FATAL_FAILURE(OpenClip320());
    ASSERT_NO_FATAL_FAILURE(PauseAt(1000));
    Command(IDM_FORWARD);
    Command(IDM_FORWARD);
    ASSERT_EQ(3000, MoviePosition());
    Command(IDM_PLAYPAUSE);
    ExpectViewsOf(MCI_MODE_PLAY);
    EXPECT_GE(MoviePosition(), 3000);
    EXPECT_TRUE(PumpUntil([] { return StatusPart(2) == "00:03/00:05"; }, 5000));
}

TEST(Transport, StopWhilePausedHalfwayReturnsToTheStart) {
    ASSERT_NO_FATAL_FAILURE(OpenClip320());
    ASSERT_NO_FATAL_FAILURE(PlayUntil(2500));
    Command(IDM_PLAYPAUSE);
    ASSERT_EQ(MCI_MODE_PAUSE, playerState);
    ASSERT_GE(MoviePosition(), 2500);
    ASSERT_GE(TrackbarPosition(), 80);
    Command(IDM_STOP);
    ExpectViewsOf(MCI_MODE_STOP);
    ExpectAt(0, 0, "00:00/00:05");
    EXPECT_NE(MCI_MODE_PLAY, MovieMode());
}

TEST(Transport, StopWhilePlayingReturnsToTheStart) {
    ASSERT_NO_FATAL_FAILURE(OpenClip320());
    ASSERT_NO_FATAL_FAILURE(PlayUntil(1000));
    Command(IDM_STOP);
    ExpectViewsOf(MCI_MODE_STOP);
    ExpectAt(0, 0, "00:00/00:05");
    // It stays stopped: no position notification moves the views.
    EXPECT_TRUE(NothingHappensFor(800, [] { return MoviePosition() != 0; }));
    ExpectAt(0, 0, "00:00/00:05");
    ExpectViewsOf(MCI_MODE_STOP);
}

// In full screen there is no menu bar, so Ctrl+S reaches Stop although the item is grayed.
TEST(Transport, StopFromTheAcceleratorWhileStoppedAwayFromTheStart) {
    ASSERT_NO_FATAL_FAILURE(OpenClip320());
    Command(IDM_FULLSCREEN);
    ASSERT_EQ(FullScreen, fullScreenController.mode);
    Command(IDM_FORWARD);
    Command(IDM_FORWARD);
    ExpectAt(2000, 80, "00:02/00:05");
    ASSERT_TRUE(ItemGrayed(IDM_STOP));

    const HACCEL accelerators =
        LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCEL));
    ASSERT_NE(nullptr, accelerators);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG key = {Frame(), WM_KEYDOWN, 'S', 1, 0, {0, 0}};
    FrameCommandCounter counter;
    const int translated = TranslateAcceleratorA(Frame(), accelerators, &key);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_NE(0, translated);
    EXPECT_EQ(1, counter.Count(IDM_STOP));
    ExpectAt(0, 0, "00:00/00:05");
    EXPECT_EQ(MCI_MODE_STOP, playerState);
    EXPECT_EQ("Stopped", StatusPart(1));
}

TEST(Transport, ThumbDragWhilePlayingIgnoresPositionsAndResumesOnRelease) {
    ASSERT_NO_FATAL_FAILURE(OpenClip320());
    ASSERT_NO_FATAL_FAILURE(PlayUntil(500));
    HostModeSpy modes;
    TrackbarScroll(TB_THUMBTRACK, 100);
    SetTrackbarPosition(100); // the control moves its own thumb
    EXPECT_TRUE(seeking);
    EXPECT_EQ(2500, MoviePosition());
    EXPECT_EQ("00:02/00:05", StatusPart(2));
    // The seek stopped the movie, and the platform says so; that is not the end of the movie.
    EXPECT_TRUE(PumpUntil([&modes] { return modes.Count(MCI_MODE_STOP) > 0; }, 3000));
    ExpectViewsOf(MCI_MODE_PLAY);

    // A position notification while the thumb is held moves nothing.
    SendMessageA(videoHost.GetWindow(), MCIWNDM_NOTIFYPOS,
                 reinterpret_cast<WPARAM>(movieWindow.GetWindow()), 4000);
    EXPECT_EQ(100, TrackbarPosition());
    EXPECT_EQ("00:02/00:05", StatusPart(2));

    TrackbarScroll(TB_THUMBTRACK, 120);
    SetTrackbarPosition(120);
    EXPECT_EQ(3000, MoviePosition());
    EXPECT_EQ("00:03/00:05", StatusPart(2));

    TrackbarScroll(TB_ENDTRACK);
    EXPECT_FALSE(seeking);
    EXPECT_EQ(MCI_MODE_PLAY, MovieMode());
    ExpectViewsOf(MCI_MODE_PLAY);
    EXPECT_TRUE(PumpUntil([] { return TrackbarPosition() > 120; }, 5000));
    EXPECT_GE(MoviePosition(), 3000);
}

// Some platforms report the stop that a seek causes from inside the seek: seeking must already
// be set by then.
TEST(Transport, ThumbDragIsSeekingBeforeTheSeekIsSent) {
    ASSERT_NO_FATAL_FAILURE(OpenClip320());
    ASSERT_NO_FATAL_FAILURE(PlayUntil(300));
    FrameCommandCounter commands;
    {
        MovieSpy spy(MCI_SEEK);
        TrackbarScroll(TB_THUMBTRACK, 40);
        EXPECT_EQ(1, spy.Count(MCI_SEEK));
    }
    EXPECT_EQ(0, commands.Count(IDM_STOP));
    EXPECT_EQ(1000, MoviePosition());
    TrackbarScroll(TB_ENDTRACK);
    ExpectViewsOf(MCI_MODE_PLAY);
    EXPECT_EQ(MCI_MODE_PLAY, MovieMode());
}

TEST(Transport, ThumbDragWhilePausedStaysPaused) {
    ASSERT_NO_FATAL_FAILURE(OpenClip320());
    ASSERT_NO_FATAL_FAILURE(PauseAt(500));
    TrackbarScroll(TB_THUMBTRACK, 48);
    SetTrackbarPosition(48);
    EXPECT_EQ(1200, MoviePosition());
    EXPECT_EQ("00:01/00:05", StatusPart(2));
    TrackbarScroll(TB_ENDTRACK);
    EXPECT_FALSE(seeking);
    ExpectViewsOf(MCI_MODE_PAUSE);
    EXPECT_TRUE(NothingHappensFor(800, [] { return MoviePosition() != 1200; }));
    EXPECT_EQ(48, TrackbarPosition());
}

struct ScrollCase {
    int code;
    int trackbar; // where the control has put its thumb
    int thumb;    // the notification's thumb word, not used for these codes
    int position;
    const char* timeText;
};

class TransportLineAndPage : public testing::TestWithParam<ScrollCase> {};

TEST_P(TransportLineAndPage, SeekToTheTrackbarsOwnPosition) {
    const ScrollCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(OpenClip320());
    SetTrackbarPosition(c.trackbar);
    TrackbarScroll(c.code, c.thumb);
    EXPECT_TRUE(seeking);
    EXPECT_EQ(c.position, MoviePosition());
    EXPECT_EQ(c.timeText, StatusPart(2));
    EXPECT_EQ(c.trackbar, TrackbarPosition());
    TrackbarScroll(TB_ENDTRACK);
    EXPECT_FALSE(seeking);
    ExpectViewsOf(MCI_MODE_STOP);
    EXPECT_EQ(c.position, MoviePosition());
}

INSTANTIATE_TEST_SUITE_P(Codes, TransportLineAndPage,
                         testing::Values(ScrollCase{TB_LINEUP, 36, 150, 900, "00:00/00:05"},
                                         ScrollCase{TB_LINEDOWN, 44, 0, 1100, "00:01/00:05"},
                                         ScrollCase{TB_PAGEUP, 80, 199, 2000, "00:02/00:05"},
                                         ScrollCase{TB_PAGEDOWN, 200, 3, 5000 - FRAME_MS,
                                                    "00:05/00:05"}),
                         [](const testing::TestParamInfo<ScrollCase>& info) {
                             return std::string(ScrollCodeName(info.param.code));
                         });

class TransportIgnoredScroll : public testing::TestWithParam<int> {};

TEST_P(TransportIgnoredScroll, DoesNothing) {
    ASSERT_NO_FATAL_FAILURE(OpenClip320());
    ASSERT_NO_FATAL_FAILURE(PauseAt(1500));
    Command(IDM_BEGINNING);
    Command(IDM_FORWARD); // 1000: views and movie agree
    SetTrackbarPosition(120);
    TrackbarScroll(GetParam(), 160);
    EXPECT_FALSE(seeking);
    EXPECT_EQ(1000, MoviePosition());
    EXPECT_EQ("00:01/00:05", StatusPart(2));
    EXPECT_EQ(120, TrackbarPosition());
    ExpectViewsOf(MCI_MODE_PAUSE);
}

INSTANTIATE_TEST_SUITE_P(Codes, TransportIgnoredScroll,
                         testing::Values(TB_THUMBPOSITION, TB_TOP, TB_BOTTOM),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(ScrollCodeName(info.param));
                         });

TEST(TransportEnd, WithoutRepeatTheMovieStopsAtTheStartOnce) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip160.avi");
    FrameCommandCounter commands;
    Command(IDM_PLAYPAUSE);
    EXPECT_TRUE(PumpUntil([] { return playerState == MCI_MODE_STOP; }, 8000));
    ExpectViewsOf(MCI_MODE_STOP);
    ExpectAt(0, 0, "00:00/00:02");
    // Nothing more comes of that end.
    EXPECT_TRUE(NothingHappensFor(800, [] { return playerState != MCI_MODE_STOP; }));
    EXPECT_EQ(1, commands.Count(IDM_STOP));
    EXPECT_EQ(1, commands.MaxDepth(IDM_STOP));
    ExpectAt(0, 0, "00:00/00:02");
}

// A platform may report the stopped mode again from inside the Stop that the end of the movie
// runs; that is the same end and must not run Stop again.
TEST(TransportEnd, AStopReportedFromInsideStopRunsStopOnce) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip160.avi");
    FrameCommandCounter commands;
    MovieSpy spy(MCI_STOP);
    Command(IDM_PLAYPAUSE);
    EXPECT_TRUE(PumpUntil([] { return playerState == MCI_MODE_STOP; }, 8000));
    EXPECT_TRUE(NothingHappensFor(500, [] { return playerState != MCI_MODE_STOP; }));
    EXPECT_EQ(1, commands.Count(IDM_STOP));
    EXPECT_EQ(1, spy.Count(MCI_STOP));
    ExpectAt(0, 0, "00:00/00:02");
    ExpectViewsOf(MCI_MODE_STOP);
}

TEST(TransportEnd, WithRepeatTheMoviePlaysAgain) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip160.avi");
    Command(IDM_REPEAT);
    ASSERT_TRUE(repeat);
    FrameCommandCounter commands;
    Command(IDM_PLAYPAUSE);
    int highest = 0;
    // Up towards the end, then back below it.
    EXPECT_TRUE(PumpUntil(
        [&highest] {
            const int position = MoviePosition();
            if (position > highest) {
                highest = position;
            }
            return highest >= 1500 && position < highest - 500;
        },
        8000));
    EXPECT_EQ(MCI_MODE_PLAY, MovieMode());
    ExpectViewsOf(MCI_MODE_PLAY);
    EXPECT_EQ(0, commands.Count(IDM_STOP));
    // And the views follow the new round.
    EXPECT_TRUE(PumpUntil([] { return TrackbarPosition() > 0 && TrackbarPosition() < 100; }, 5000));
}

TEST(TransportEnd, WithRepeatAStopReportedFromInsideTheRestartPlaysOnce) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip160.avi");
    Command(IDM_REPEAT);
    Command(IDM_PLAYPAUSE);
    MovieSpy spy(MCI_SEEK);
    // The end's own restart: one seek to the start and one play.
    EXPECT_TRUE(PumpUntil([&spy] { return spy.Count(MCI_SEEK) > 0; }, 8000));
    EXPECT_EQ(1, spy.Count(MCI_SEEK));
    EXPECT_EQ(1, spy.Count(MCI_PLAY));
    EXPECT_EQ(MCI_MODE_PLAY, MovieMode());
    ExpectViewsOf(MCI_MODE_PLAY);
}

// A clip cut in the middle of its data opens with its full length; it plays until its data
// ends, where the platform reports it stopped, and the player ends it like any other movie.
TEST(TransportEnd, ClipCutInTheMiddleEndsStoppedAtTheStart) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("cuthalf.avi");
    ASSERT_NE(nullptr, movieWindow.GetWindow());
    ASSERT_EQ(5000, movieWindow.GetLength());
    FrameCommandCounter commands;
    Command(IDM_PLAYPAUSE);
    EXPECT_TRUE(PumpUntil([] { return playerState == MCI_MODE_STOP; }, 10000));
    EXPECT_EQ(1, commands.Count(IDM_STOP));
    ExpectViewsOf(MCI_MODE_STOP);
    ExpectAt(0, 0, "00:00/00:05");
    // And it plays again from the start.
    Command(IDM_PLAYPAUSE);
    EXPECT_TRUE(PumpUntil([] { return MoviePosition() > 0; }, 5000));
    ExpectViewsOf(MCI_MODE_PLAY);
}

// At its last frame the movie window stops again at once and reports no change of mode: Play
// there is the end of the movie, handled as such, not a "Playing" that never ends.
TEST(TransportEnd, PlayAtTheLastFrameWithoutRepeatEndsStoppedAtTheStart) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip160.avi");
    Command(IDM_END);
    ASSERT_GT(MoviePosition(), 1000);
    FrameCommandCounter commands;
    Command(IDM_PLAYPAUSE);
    EXPECT_TRUE(PumpUntil([] { return playerState == MCI_MODE_STOP; }, 3000));
    EXPECT_TRUE(NothingHappensFor(500, [] { return playerState != MCI_MODE_STOP; }));
    EXPECT_EQ(1, commands.Count(IDM_STOP));
    ExpectViewsOf(MCI_MODE_STOP);
    ExpectAt(0, 0, "00:00/00:02");
}

TEST(TransportEnd, PlayAtTheLastFrameWithRepeatPlaysFromTheStart) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip160.avi");
    Command(IDM_REPEAT);
    Command(IDM_END);
    Command(IDM_PLAYPAUSE);
    EXPECT_TRUE(
        PumpUntil([] { return MoviePosition() < 1000 && MovieMode() == MCI_MODE_PLAY; }, 3000));
    EXPECT_EQ(MCI_MODE_PLAY, playerState);
    ExpectViewsOf(MCI_MODE_PLAY);
    EXPECT_LT(MoviePosition(), 1000);
}

// The trackbar released at 200 while playing resumes at the last frame: the same end.
TEST(TransportEnd, ThumbReleasedAtTheEndWhilePlayingEndsTheMovie) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip160.avi");
    Command(IDM_PLAYPAUSE);
    ASSERT_EQ(MCI_MODE_PLAY, playerState);
    TrackbarScroll(TB_THUMBTRACK, 200);
    TrackbarScroll(TB_ENDTRACK);
    EXPECT_TRUE(PumpUntil([] { return playerState == MCI_MODE_STOP; }, 3000));
    ExpectAt(0, 0, "00:00/00:02");
}

// An end that the movie window reports from inside the pause does not overrule the pause.
TEST(TransportEnd, AnEndReportedFromInsidePauseLeavesThePlayerPaused) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip160.avi");
    FrameCommandCounter commands;
    MovieSpy spy(MCI_PAUSE);
    Command(IDM_PLAYPAUSE);
    Command(IDM_PLAYPAUSE);
    EXPECT_EQ(MCI_MODE_PAUSE, playerState);
    EXPECT_EQ(0, commands.Count(IDM_STOP));
    ExpectViewsOf(MCI_MODE_PAUSE);
}

// --- 5 s seeks: Left and Right, and the wheel over the video area ------------------------------

namespace {

enum SeekInput { KEY_LEFT, KEY_RIGHT, WHEEL_TOWARD, WHEEL_AWAY, WHEEL_TWO_TOWARD, KEY_HELD };

// A point inside the video area, in screen coordinates, as a wheel message carries it.
LPARAM PointInVideoArea() {
    POINT point = {20, 20};
    ClientToScreen(Host(), &point);
    return ScreenPoint(point.x, point.y);
}

void Wheel(HWND window, int delta, LPARAM where) {
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), where);
}

void Give(SeekInput input) {
    switch (input) {
    case KEY_LEFT:
        SendMessageA(Frame(), WM_KEYDOWN, VK_LEFT, 1);
        break;
    case KEY_RIGHT:
        SendMessageA(Frame(), WM_KEYDOWN, VK_RIGHT, 1);
        break;
    case WHEEL_TOWARD:
        // Over the picture: the movie window passes the wheel on to its parents.
        Wheel(Movie(), -WHEEL_DELTA, PointInVideoArea());
        break;
    case WHEEL_AWAY:
        Wheel(Frame(), WHEEL_DELTA, PointInVideoArea());
        break;
    case WHEEL_TWO_TOWARD:
        Wheel(Host(), -2 * WHEEL_DELTA, PointInVideoArea());
        break;
    case KEY_HELD:
        // The first press and two repeats (bit 30: the key was already down).
        SendMessageA(Frame(), WM_KEYDOWN, VK_RIGHT, 1);
        SendMessageA(Frame(), WM_KEYDOWN, VK_RIGHT, 0x40000001);
        SendMessageA(Frame(), WM_KEYDOWN, VK_RIGHT, 0x40000001);
        break;
    }
}

const char* SeekInputName(SeekInput input) {
    const char* names[] = {"Left", "Right", "WheelToward", "WheelAway", "TwoNotches", "HeldRight"};
    return names[input];
}

void OpenBench320() {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("bench320.avi");
    ASSERT_NE(nullptr, movieWindow.GetWindow());
    ASSERT_EQ(20000, movieWindow.GetLength());
}

struct SeekStepCase {
    PlayerState state; // stopped or paused
    int from;
    SeekInput input;
    int position; // the movie window's: the end is its last frame, 40 ms before
    int trackbar;
    const char* timeText;
};

} // namespace

class TransportSeek : public testing::TestWithParam<SeekStepCase> {};

TEST_P(TransportSeek, SeeksFiveSecondsClampsAndLeavesTheStateAsItWas) {
    const SeekStepCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(OpenBench320());
    if (c.state == MCI_MODE_PAUSE) {
        ASSERT_NO_FATAL_FAILURE(PauseAt(c.from));
    } else {
        SendMessageA(movieWindow.GetWindow(), MCI_SEEK, 0, c.from);
        ASSERT_EQ(c.from, MoviePosition());
    }
    Give(c.input);
    EXPECT_FALSE(seeking);
    ExpectAt(c.position, c.trackbar, c.timeText);
    ExpectViewsOf(c.state);
    // A seek leaves the movie window stopped, paused before or not (as Rewind does).
    EXPECT_EQ(MCI_MODE_STOP, MovieMode());
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, TransportSeek,
    testing::Values(SeekStepCase{MCI_MODE_STOP, 8000, KEY_RIGHT, 13000, 130, "00:13/00:20"},
                    SeekStepCase{MCI_MODE_STOP, 8000, KEY_LEFT, 3000, 30, "00:03/00:20"},
                    SeekStepCase{MCI_MODE_PAUSE, 8000, WHEEL_TOWARD, 13000, 130, "00:13/00:20"},
                    SeekStepCase{MCI_MODE_PAUSE, 8000, WHEEL_AWAY, 3000, 30, "00:03/00:20"},
                    SeekStepCase{MCI_MODE_PAUSE, 8000, WHEEL_TWO_TOWARD, 18000, 180, "00:18/00:20"},
                    SeekStepCase{MCI_MODE_PAUSE, 2000, KEY_HELD, 17000, 170, "00:17/00:20"},
                    SeekStepCase{MCI_MODE_PAUSE, 2000, KEY_LEFT, 0, 0, "00:00/00:20"},
                    SeekStepCase{MCI_MODE_STOP, 2000, WHEEL_AWAY, 0, 0, "00:00/00:20"},
                    SeekStepCase{MCI_MODE_STOP, 17000, KEY_RIGHT, 19960, 200, "00:20/00:20"},
                    SeekStepCase{MCI_MODE_PAUSE, 17000, WHEEL_TOWARD, 19960, 200, "00:20/00:20"}),
    [](const testing::TestParamInfo<SeekStepCase>& info) {
        return std::string(info.param.state == MCI_MODE_PAUSE ? "Paused" : "Stopped") + "At" +
               std::to_string(info.param.from) + SeekInputName(info.param.input);
    });

class TransportSeekWhilePlaying : public testing::TestWithParam<SeekInput> {};

// A playing movie plays on from the target, as after a trackbar move.
TEST_P(TransportSeekWhilePlaying, PlaysOnFromTheTarget) {
    const SeekInput input = GetParam();
    const bool forward = input != KEY_LEFT && input != WHEEL_AWAY;
    ASSERT_NO_FATAL_FAILURE(OpenBench320());
    if (!forward) {
        SendMessageA(movieWindow.GetWindow(), MCI_SEEK, 0, 10000);
    }
    ASSERT_NO_FATAL_FAILURE(PlayUntil(forward ? 1000 : 11000));
    const int before = MoviePosition();
    Give(input);
    const int steps = input == KEY_HELD ? 3 : input == WHEEL_TWO_TOWARD ? 2 : forward ? 1 : -1;
    const int target = before + steps * SEEK_STEP_MS;
    EXPECT_FALSE(seeking);
    const int shown = TrackbarPosition();
    EXPECT_GE(shown, target / 100);
    EXPECT_LE(shown, target / 100 + 3);
    EXPECT_GE(MoviePosition(), target - 40);
    EXPECT_LT(MoviePosition(), target + 500);
    ExpectViewsOf(MCI_MODE_PLAY);
    EXPECT_TRUE(PumpUntil([target] { return MoviePosition() >= target + 400; }, 5000));
    EXPECT_EQ(MCI_MODE_PLAY, MovieMode());
    ExpectViewsOf(MCI_MODE_PLAY);
}

INSTANTIATE_TEST_SUITE_P(Inputs, TransportSeekWhilePlaying,
                         testing::Values(KEY_LEFT, KEY_RIGHT, WHEEL_TOWARD, WHEEL_AWAY,
                                         WHEEL_TWO_TOWARD, KEY_HELD),
                         [](const testing::TestParamInfo<SeekInput>& info) {
                             return std::string(SeekInputName(info.param));
                         });

TEST(Transport, FiveSecondSeeksWithoutAMovieDoNothing) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    for (SeekInput input : {KEY_LEFT, KEY_RIGHT, WHEEL_AWAY, WHEEL_TWO_TOWARD}) {
        Give(input);
    }
    EXPECT_FALSE(seeking);
    ExpectNoMovie();
}

// Half notches add up; a wheel anywhere but over the video area does nothing.
TEST(Transport, WheelSeeksOnlyOverTheVideoAreaAndAddsUpPartsOfANotch) {
    ASSERT_NO_FATAL_FAILURE(OpenBench320());
    SendMessageA(movieWindow.GetWindow(), MCI_SEEK, 0, 8000);
    POINT onToolbar = {5, 5};
    ClientToScreen(transportToolbar.GetWindow(), &onToolbar);
    Wheel(Frame(), -WHEEL_DELTA, ScreenPoint(onToolbar.x, onToolbar.y));
    EXPECT_EQ(8000, MoviePosition());
    Wheel(Frame(), -WHEEL_DELTA / 2, PointInVideoArea());
    EXPECT_EQ(8000, MoviePosition());
    Wheel(Frame(), -WHEEL_DELTA / 2, PointInVideoArea());
    ExpectAt(13000, 130, "00:13/00:20");
    ExpectViewsOf(MCI_MODE_STOP);
}

// In full screen the video area is the whole screen.
TEST(Transport, FiveSecondSeeksInFullScreen) {
    ASSERT_NO_FATAL_FAILURE(OpenBench320());
    Command(IDM_FULLSCREEN);
    ASSERT_EQ(FullScreen, fullScreenController.mode);
    SendMessageA(Frame(), WM_KEYDOWN, VK_RIGHT, 1);
    ExpectAt(5000, 50, "00:05/00:20");
    Wheel(Frame(), -WHEEL_DELTA, ScreenPoint(GetSystemMetrics(SM_CXSCREEN) - 2, 2));
    ExpectAt(10000, 100, "00:10/00:20");
    ExpectViewsOf(MCI_MODE_STOP);
}
