// The controls beside the transport: frame steps on a movie whose frames tell themselves apart
// by colour, the volume and mute commands against the mixer, the media keys from every child,
// the power request in each state, and the pointer in full screen.
#include <windows.h>
#include <vfw.h>

#include "PlayerSupport.h"
#include "movie/SoundVolume.h"

#include <gtest/gtest.h>

#include <string>

using namespace playertest;

namespace {

// frames.avi: 20 frames at 10 fps; frame n is red (n % 5) * 60 and green (n / 5) * 60.
const int FRAME_MS = 100;
const int LAST_FRAME = 19;

int Fifths(DWORD channel) {
    return static_cast<int>((channel + 30) / 60);
}

// The frame the movie window shows, told by the colour at its centre.
int ShownFrame() {
    PumpPending();
    SIZE size = {};
    const std::vector<DWORD> pixels = ClientPixels(Movie(), &size);
    if (pixels.empty()) {
        return -1;
    }
    const DWORD centre = pixels[static_cast<size_t>(size.cy / 2 * size.cx + size.cx / 2)];
    return Fifths((centre >> 16) & 0xFF) + 5 * Fifths((centre >> 8) & 0xFF);
}

// Where a frame step must leave the views: the picture, the position, the trackbar, the time.
void ExpectAtFrame(int frame) {
    SCOPED_TRACE("frame " + std::to_string(frame));
    EXPECT_EQ(frame, ShownFrame());
    EXPECT_EQ(frame * FRAME_MS, MoviePosition());
    EXPECT_EQ(frame * FRAME_MS * 200 / 2000, TrackbarPosition());
    char text[32];
    wsprintfA(text, "00:%02d/00:02", frame * FRAME_MS / 1000);
    EXPECT_EQ(text, StatusPart(2));
}

void OpenFrames() {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("frames.avi"));
    ASSERT_EQ(2000, movieWindow.GetLength());
}

TEST(FrameStep, StepsOneFrameEachWayAndStopsAtTheEnds) {
    ASSERT_NO_FATAL_FAILURE(OpenFrames());
    ASSERT_EQ(0, ShownFrame());
    EXPECT_FALSE(ItemGrayed(IDM_NEXTFRAME));
    EXPECT_FALSE(ItemGrayed(IDM_PREVFRAME));
    // Back at the first frame: nothing moves.
    Command(IDM_PREVFRAME);
    ExpectAtFrame(0);
    const int forward[] = {1, 2, 3};
    for (const int frame : forward) {
        Command(IDM_NEXTFRAME);
        ExpectAtFrame(frame);
    }
    Command(IDM_PREVFRAME);
    ExpectAtFrame(2);
    for (int frame = 3; frame <= LAST_FRAME; ++frame) {
        Command(IDM_NEXTFRAME);
    }
    ExpectAtFrame(LAST_FRAME);
    // At the last frame forward does nothing.
    Command(IDM_NEXTFRAME);
    ExpectAtFrame(LAST_FRAME);
    Command(IDM_PREVFRAME);
    ExpectAtFrame(LAST_FRAME - 1);
    EXPECT_EQ(MCI_MODE_STOP, playerState);
    // A stepped movie plays on from its frame.
    for (int frame = LAST_FRAME - 2; frame >= 10; --frame) {
        Command(IDM_PREVFRAME);
    }
    ExpectAtFrame(10);
    Command(IDM_PLAYPAUSE);
    EXPECT_EQ(MCI_MODE_PLAY, playerState);
    EXPECT_TRUE(PumpUntil([] { return MoviePosition() >= 1500; }, 1000));
}

TEST(FrameStep, AStepWhilePlayingPausesAndThePauseStepsToo) {
    ASSERT_NO_FATAL_FAILURE(OpenFrames());
    Command(IDM_PLAYPAUSE);
    ASSERT_TRUE(PumpUntil([] { return MoviePosition() >= 500; }, 3000));
    Command(IDM_NEXTFRAME);
    EXPECT_EQ(MCI_MODE_PAUSE, playerState);
    ExpectViewsOf(MCI_MODE_PAUSE);
    const int stepped = MoviePosition() / FRAME_MS;
    ASSERT_GE(stepped, 6);
    ExpectAtFrame(stepped);
    // Paused, the picture stays where the step left it, and steps move it.
    EXPECT_FALSE(PumpUntil([stepped] { return MoviePosition() != stepped * FRAME_MS; }, 600));
    Command(IDM_PREVFRAME);
    ExpectAtFrame(stepped - 1);
    EXPECT_EQ(MCI_MODE_PAUSE, playerState);
    // Play goes on from there, at normal speed.
    Command(IDM_PLAYPAUSE);
    EXPECT_EQ(MCI_MODE_PLAY, playerState);
    EXPECT_TRUE(PumpUntil([] { return playerState == MCI_MODE_STOP; }, 3000));
}

TEST(FrameStep, KeysStepAndNoMovieGraysTheItems) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    EXPECT_TRUE(ItemGrayed(IDM_NEXTFRAME));
    EXPECT_TRUE(ItemGrayed(IDM_PREVFRAME));
    ASSERT_NO_FATAL_FAILURE(OpenMovie("frames.avi"));
    HoldModifiers(true, false);
    MSG key = KeyDownMessage(Frame(), VK_RIGHT, false);
    EXPECT_NE(0, TranslateAcceleratorA(Frame(), startedAccelerators, &key));
    HoldModifiers(false, false);
    ExpectAtFrame(1);
    Command(IDM_CLOSE);
    EXPECT_TRUE(ItemGrayed(IDM_NEXTFRAME));
    // With no movie the command does nothing, as in full screen where no item grays it.
    Command(IDM_NEXTFRAME);
    ExpectNoMovie();
}

// ---- Volume and mute ------------------------------------------------------------------------

struct VolumeCase {
    int startPercent;
    bool startMuted;
    int command;
    const char* text;
    int percent;
    bool muted;
};

const VolumeCase VOLUME_CASES[] = {
    {47, false, IDM_VOLUMEUP, "Volume 50%", 50, false},
    {47, false, IDM_VOLUMEDOWN, "Volume 45%", 45, false},
    {100, false, IDM_VOLUMEUP, "Volume 100%", 100, false},
    {0, false, IDM_VOLUMEDOWN, "Volume 0%", 0, false},
    {45, true, IDM_VOLUMEUP, "Volume 50%", 50, false},
    {45, true, IDM_VOLUMEDOWN, "Volume 40%", 40, false},
    {100, true, IDM_VOLUMEUP, "Muted", 100, true},
    {45, false, IDM_MUTE, "Muted", 45, true},
    {45, true, IDM_MUTE, "Volume 45%", 45, false},
};

bool MuteChecked() {
    return (GetMenuState(PlayerMenu(), IDM_MUTE, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

TEST(Volume, CommandsSetTheMixerAndSayWhatTheSoundNowIs) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    int percent = 0;
    bool muted = false;
    if (!soundVolume.Read(&percent, &muted)) {
        GTEST_SKIP() << "no sound device: the sound suite covers this case";
    }
    for (const VolumeCase& c : VOLUME_CASES) {
        SCOPED_TRACE(std::to_string(c.startPercent) + (c.startMuted ? " muted, " : ", ") +
                     std::to_string(c.command));
        // As the user would set it in the system's mixer.
        ASSERT_TRUE(soundVolume.SetPercent(c.startPercent));
        ASSERT_TRUE(soundVolume.SetMuted(c.startMuted));
        Command(c.command);
        EXPECT_EQ(c.text, StatusPart(0));
        ASSERT_TRUE(soundVolume.Read(&percent, &muted));
        EXPECT_EQ(c.percent, percent);
        EXPECT_EQ(c.muted, muted);
        EXPECT_EQ(c.muted, MuteChecked());
    }
}

TEST(Volume, TheMuteMarkFollowsTheMixerWhenThePlayMenuOpens) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    int percent = 0;
    bool muted = false;
    if (!soundVolume.Read(&percent, &muted)) {
        GTEST_SKIP() << "no sound device";
    }
    const HMENU play = GetSubMenu(GetMenu(Frame()), 1);
    for (const bool outside : {true, false, true}) {
        ASSERT_TRUE(soundVolume.SetMuted(outside));
        SendMessageA(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(play), 1);
        EXPECT_EQ(outside, MuteChecked());
    }
    // The context menu is the same popup, in full screen too.
    Command(IDM_FULLSCREEN);
    ASSERT_TRUE(soundVolume.SetMuted(false));
    const PopupSeen seen = ContextMenuAt(200, 200);
    ASSERT_TRUE(seen.seen);
    EXPECT_FALSE(MuteChecked());
    // The keys reach the command in full screen, where no menu bar holds them.
    MSG key = KeyDownMessage(Frame(), 'M', false);
    EXPECT_NE(0, TranslateAcceleratorA(Frame(), startedAccelerators, &key));
    EXPECT_EQ("Muted", StatusPart(0));
    EXPECT_TRUE(MuteChecked());
    ASSERT_TRUE(soundVolume.SetMuted(false));
}

// ---- Media keys -----------------------------------------------------------------------------

LRESULT AppCommand(HWND target, int appCommand) {
    return SendMessageA(target, WM_APPCOMMAND, reinterpret_cast<WPARAM>(target),
                        MAKELPARAM(0, static_cast<WORD>(appCommand)));
}

TEST(MediaKeys, EveryChildPassesThemUpToThePlayer) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip320.avi"));
    const HWND targets[] = {Frame(),
                            Movie(),
                            Host(),
                            transportToolbar.GetWindow(),
                            positionTrackbar.GetWindow(),
                            statusBar.GetWindow()};
    const struct {
        int appCommand;
        PlayerState before;
        PlayerState after;
    } steps[] = {
        {APPCOMMAND_MEDIA_PLAY_PAUSE, MCI_MODE_STOP, MCI_MODE_PLAY},
        {APPCOMMAND_MEDIA_PLAY, MCI_MODE_PLAY, MCI_MODE_PLAY},
        {APPCOMMAND_MEDIA_PAUSE, MCI_MODE_PLAY, MCI_MODE_PAUSE},
        {APPCOMMAND_MEDIA_PAUSE, MCI_MODE_PAUSE, MCI_MODE_PAUSE},
        {APPCOMMAND_MEDIA_PLAY, MCI_MODE_PAUSE, MCI_MODE_PLAY},
        {APPCOMMAND_MEDIA_PLAY_PAUSE, MCI_MODE_PLAY, MCI_MODE_PAUSE},
        {APPCOMMAND_MEDIA_STOP, MCI_MODE_PAUSE, MCI_MODE_STOP},
        {APPCOMMAND_MEDIA_STOP, MCI_MODE_STOP, MCI_MODE_STOP},
    };
    for (const bool full : {false, true}) {
        if (full) {
            Command(IDM_FULLSCREEN);
        }
        for (const HWND target : targets) {
            SCOPED_TRACE(ClassOf(target) + (full ? " in full screen" : ""));
            for (const auto& step : steps) {
                ASSERT_EQ(step.before, playerState) << step.appCommand;
                // A child's default handling passes the command up and answers 0 itself.
                const LRESULT answer = AppCommand(target, step.appCommand);
                EXPECT_EQ(target == Frame() ? TRUE : FALSE, answer) << step.appCommand;
                EXPECT_EQ(step.after, playerState) << step.appCommand;
            }
            // The volume keys are the system's: not answered, and the player does nothing.
            EXPECT_EQ(FALSE, AppCommand(target, APPCOMMAND_VOLUME_UP));
            EXPECT_EQ(MCI_MODE_STOP, playerState);
        }
    }
}

// ---- The power request ----------------------------------------------------------------------

// Wine keeps the flags of the last request and returns them to a call with none.
DWORD Requested() {
    return SetThreadExecutionState(0);
}

const DWORD AWAKE = ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED;

TEST(PowerRequest, HeldExactlyWhilePlaying) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    EXPECT_EQ(static_cast<DWORD>(ES_CONTINUOUS), Requested());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip160.avi"));
    const struct {
        int command;
        DWORD flags;
    } steps[] = {{IDM_PLAYPAUSE, AWAKE}, {IDM_PLAYPAUSE, ES_CONTINUOUS},
                 {IDM_PLAYPAUSE, AWAKE}, {IDM_STOP, ES_CONTINUOUS},
                 {IDM_PLAYPAUSE, AWAKE}, {IDM_NEXTFRAME, ES_CONTINUOUS},
                 {IDM_PLAYPAUSE, AWAKE}, {IDM_CLOSE, ES_CONTINUOUS}};
    for (const auto& step : steps) {
        Command(step.command);
        EXPECT_EQ(step.flags, Requested()) << step.command;
    }
    // The end of the movie without Repeat lets the display rest; with it, every loop plays on.
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip160.avi"));
    Command(IDM_PLAYPAUSE);
    ASSERT_TRUE(PumpUntil([] { return playerState == MCI_MODE_STOP; }, 4000));
    EXPECT_EQ(static_cast<DWORD>(ES_CONTINUOUS), Requested());
    Command(IDM_REPEAT);
    Command(IDM_PLAYPAUSE);
    ASSERT_TRUE(PumpUntil([] { return MoviePosition() >= 1500; }, 4000));
    ASSERT_TRUE(PumpUntil([] { return MoviePosition() < 1000; }, 4000));
    EXPECT_EQ(MCI_MODE_PLAY, playerState);
    EXPECT_EQ(AWAKE, Requested());
    // Exit withdraws it too.
    DestroyWindow(Frame());
    EXPECT_EQ(static_cast<DWORD>(ES_CONTINUOUS), Requested());
}

// ---- The pointer in full screen -------------------------------------------------------------

bool PointerShowing() {
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    return GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING) != 0;
}

// The pointer's display count, read without changing it: 0 when every hide was undone.
int ShowCount() {
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
}

POINT FrameCentre() {
    const RECT frame = OuterRect(Frame());
    return {(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
}

TEST(Pointer, HidesOverTheStillFullScreenPictureAndComesBackWithAnyUse) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip320.avi"));
    Command(IDM_FULLSCREEN);
    POINT centre = FrameCentre();
    SetCursorPos(centre.x, centre.y);
    DWORD still = GetTickCount();
    ASSERT_TRUE(PumpUntil([] { return !PointerShowing(); }, 4000));
    EXPECT_GE(GetTickCount() - still, 2000u);
    EXPECT_EQ(-1, ShowCount());
    // A move shows it at once.
    SetCursorPos(centre.x + 5, centre.y + 5);
    EXPECT_TRUE(PumpUntil(PointerShowing, 400));
    EXPECT_EQ(0, ShowCount());
    // So does a menu: the context menu, seen from inside its loop.
    ASSERT_TRUE(PumpUntil([] { return !PointerShowing(); }, 4000));
    ASSERT_TRUE(WatchPopupMenu([] { videoHost.ShowContextMenuAtArea(); }, {}, {VK_ESCAPE}).seen);
    EXPECT_TRUE(PointerShowing());
    // A press shows it.
    ASSERT_TRUE(PumpUntil([] { return !PointerShowing(); }, 4000));
    SendMessageA(Host(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Host()),
                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_TRUE(PointerShowing());
    // Leaving full screen shows it, and windowed it never hides.
    ASSERT_TRUE(PumpUntil([] { return !PointerShowing(); }, 4000));
    Command(IDM_FULLSCREEN);
    EXPECT_TRUE(PointerShowing());
    EXPECT_EQ(0, ShowCount());
    centre = FrameCentre();
    SetCursorPos(centre.x, centre.y);
    EXPECT_FALSE(PumpUntil([] { return !PointerShowing(); }, 3000));
    // Exit in full screen with the pointer hidden leaves it showing.
    Command(IDM_FULLSCREEN);
    ASSERT_TRUE(PumpUntil([] { return !PointerShowing(); }, 4000));
    DestroyWindow(Frame());
    EXPECT_EQ(0, ShowCount());
}

TEST(Pointer, ADialogShowsIt) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    Command(IDM_FULLSCREEN);
    const POINT centre = FrameCentre();
    SetCursorPos(centre.x, centre.y);
    ASSERT_TRUE(PumpUntil([] { return !PointerShowing(); }, 4000));
    bool showingInDialog = false;
    DialogAnswerer answer([&](HWND dialog) {
        showingInDialog = PointerShowing();
        PressDialogButton(dialog, IDOK);
    });
    Command(IDM_ABOUT);
    EXPECT_EQ(1, answer.AnsweredCount());
    EXPECT_TRUE(showingInDialog);
    EXPECT_EQ(0, ShowCount());
}

} // namespace
