// Opening a movie (from the command line and from the open-file dialog) and closing it: the
// title, the frame fitted around the movie, the state and its views, and the files that are
// not movies.
#include <windows.h>
#include <vfw.h>

#include "PlayerSupport.h"
#include "movie/DriverThreads.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace playertest;

namespace {

// The host's client area is the movie window plus the 4-pixel margin on each side.
void ExpectFrameFitsMovie() {
    const SIZE movie = OuterSize(movieWindow.GetWindow());
    const SIZE host = ClientSize(videoHost.GetWindow());
    EXPECT_EQ(movie.cx + 8, host.cx);
    EXPECT_EQ(movie.cy + 8, host.cy);
}

void ExpectStoppedAtStart(const char* title, const char* length) {
    ASSERT_NE(nullptr, movieWindow.GetWindow());
    EXPECT_EQ(title, Title());
    ExpectViewsOf(MCI_MODE_STOP);
    EXPECT_EQ(std::string("00:00/") + length, StatusPart(2));
    EXPECT_EQ(0, TrackbarPosition());
    EXPECT_EQ(0, MoviePosition());
}

} // namespace

TEST(OpenClose, QuotedCommandLinePathWithSpaceAndAccentOpens) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    // The e acute is two bytes: the manifest makes the 8-bit functions carry UTF-8.
    OpenThroughCommandLine("\"" + FixturePath("my clip \xC3\xA9.avi") + "\"");
    EXPECT_EQ(nullptr, pendingPath);
    ExpectStoppedAtStart("my clip \xC3\xA9.avi - Quillotrope", "00:02");
    // 160 x 120 is smaller than the smallest frame.
    const SIZE frame = OuterSize(Frame());
    EXPECT_EQ(400, frame.cx);
    EXPECT_EQ(320, frame.cy);
    EXPECT_EQ(162, OuterSize(movieWindow.GetWindow()).cx);
}

TEST(OpenClose, UnquotedCommandLinePathWithSpacesIsOnePath) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenThroughCommandLine(FixturePath("my clip \xC3\xA9.avi"));
    ExpectStoppedAtStart("my clip \xC3\xA9.avi - Quillotrope", "00:02");
}

TEST(OpenClose, FrameFitsAMovieLargerThanTheSmallestFrame) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    const RECT before = OuterRect(Frame());
    OpenFixture("clip640.avi");
    ExpectStoppedAtStart("clip640.avi - Quillotrope", "00:03");
    ExpectFrameFitsMovie();
    // Fitted at the same top-left corner, the movie centred (it fits exactly: 4 pixels in).
    const RECT after = OuterRect(Frame());
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    RECT movie = OuterRect(movieWindow.GetWindow());
    MapWindowPoints(nullptr, videoHost.GetWindow(), reinterpret_cast<POINT*>(&movie), 2);
    EXPECT_EQ(4, movie.left);
    EXPECT_EQ(4, movie.top);
}

TEST(OpenClose, MovieIsCentredInTheHost) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip160.avi");
    const SIZE host = ClientSize(videoHost.GetWindow());
    const SIZE size = OuterSize(movieWindow.GetWindow());
    RECT movie = OuterRect(movieWindow.GetWindow());
    MapWindowPoints(nullptr, videoHost.GetWindow(), reinterpret_cast<POINT*>(&movie), 2);
    EXPECT_EQ((host.cx - size.cx) / 2, movie.left);
    EXPECT_EQ((host.cy - size.cy) / 2, movie.top);
}

TEST(OpenClose, OpenFileDialogOpensTheChosenFile) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    const std::string path = FixturePath("clip320.avi");
    std::string filter;
    bool readOnlyBox = false;
    DialogAnswerer answerer([&](HWND dialog) {
        // The one filter entry, and the read-only check box that the flags leave shown.
        const HWND types = GetDlgItem(dialog, 0x470); // cmb1
        char text[128] = {};
        SendMessageA(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
        filter = text;
        readOnlyBox = IsWindowVisible(GetDlgItem(dialog, 0x410)) != FALSE; // chx1
        const HWND edit = FindDescendant(dialog, "Edit");
        ASSERT_NE(nullptr, edit);
        SetWindowTextA(edit, path.c_str());
        PressDialogButton(dialog, IDOK);
    });
    Command(IDM_OPEN);
    EXPECT_EQ(1, answerer.AnsweredCount());
    EXPECT_EQ("Avi files to play(*.avi)", filter);
    EXPECT_TRUE(readOnlyBox);
    ExpectStoppedAtStart("clip320.avi - Quillotrope", "00:05");
}

// The open-file dialog's DLL, with the shell libraries it brings, is loaded only once the
// dialog is wanted: not at start-up, not for a movie named on the command line.
TEST(OpenClose, TheDialogsLibraryIsLoadedWhenTheDialogIsFirstWanted) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip320.avi");
    Command(IDM_CLOSE);
    EXPECT_EQ(nullptr, GetModuleHandleA("comdlg32.dll"));
    for (int time = 0; time < 2; ++time) {
        DialogAnswerer answerer([](HWND dialog) { PressDialogButton(dialog, IDCANCEL); });
        Command(IDM_OPEN);
        EXPECT_EQ(1, answerer.AnsweredCount()) << "dialog " << time;
        EXPECT_NE(nullptr, GetModuleHandleA("comdlg32.dll"));
    }
}

TEST(OpenClose, CancelledDialogChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip320.avi");
    Command(IDM_PLAYPAUSE);
    const HWND movie = movieWindow.GetWindow();
    const RECT frame = OuterRect(Frame());
    {
        DialogAnswerer answerer([](HWND dialog) { PressDialogButton(dialog, IDCANCEL); });
        Command(IDM_OPEN);
        EXPECT_EQ(1, answerer.AnsweredCount());
    }
    EXPECT_EQ(movie, movieWindow.GetWindow());
    EXPECT_EQ("clip320.avi - Quillotrope", Title());
    ExpectViewsOf(MCI_MODE_PLAY);
    EXPECT_EQ(MCI_MODE_PLAY, MovieMode());
    const RECT now = OuterRect(Frame());
    EXPECT_TRUE(EqualRect(&frame, &now));

    // And without a movie: still none.
    Command(IDM_CLOSE);
    {
        DialogAnswerer answerer([](HWND dialog) { PressDialogButton(dialog, IDCANCEL); });
        Command(IDM_OPEN);
        EXPECT_EQ(1, answerer.AnsweredCount());
    }
    ExpectNoMovie();
}

TEST(OpenClose, SecondMovieWhilePlayingGoesThroughClose) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip640.avi");
    Command(IDM_PLAYPAUSE);
    ASSERT_EQ(MCI_MODE_PLAY, playerState);
    const HWND first = movieWindow.GetWindow();
    FrameCommandCounter counter;
    OpenFixture("clip160.avi");
    EXPECT_EQ(1, counter.Count(IDM_CLOSE));
    EXPECT_FALSE(IsWindow(first));
    const HWND only = FindWindowExA(videoHost.GetWindow(), nullptr, "MCIWndClass", nullptr);
    EXPECT_EQ(movieWindow.GetWindow(), only);
    EXPECT_EQ(nullptr, FindWindowExA(videoHost.GetWindow(), only, "MCIWndClass", nullptr));
    ExpectStoppedAtStart("clip160.avi - Quillotrope", "00:02");
    // The closed frame (400 x 320) is what the small movie fits into.
    EXPECT_EQ(400, OuterSize(Frame()).cx);
    EXPECT_EQ(320, OuterSize(Frame()).cy);
}

TEST(OpenClose, CloseReturnsToTheStartUpViewsAndTheSmallestFrame) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip640.avi");
    Command(IDM_PLAYPAUSE);
    MoveWindow(Frame(), 30, 20, OuterSize(Frame()).cx, OuterSize(Frame()).cy, TRUE);
    ASSERT_GT(OuterSize(Frame()).cx, 400);
    const HWND movie = movieWindow.GetWindow();
    Command(IDM_CLOSE);
    EXPECT_FALSE(IsWindow(movie));
    ExpectNoMovie();
    const RECT frame = OuterRect(Frame());
    EXPECT_EQ(30, frame.left);
    EXPECT_EQ(20, frame.top);
    EXPECT_EQ(400, frame.right - frame.left);
    EXPECT_EQ(320, frame.bottom - frame.top);
    // Nothing arrives later from the closed movie.
    PumpUntil([] { return false; }, 600);
    ExpectNoMovie();
}

TEST(OpenClose, CloseOfAMovieWiderThanTheScreenKeepsTheFramesPlace) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip640.avi");
    Command(IDM_ZOOM200);
    ASSERT_TRUE(PumpUntil([] { return OuterSize(movieWindow.GetWindow()).cx == 1282; }, 5000));
    // The fit took the whole width; the user then moves the frame off the screen's left edge.
    MoveWindow(Frame(), 50, 40, OuterSize(Frame()).cx, OuterSize(Frame()).cy, TRUE);
    Command(IDM_CLOSE);
    const RECT frame = OuterRect(Frame());
    EXPECT_EQ(50, frame.left);
    EXPECT_EQ(40, frame.top);
    EXPECT_EQ(400, frame.right - frame.left);
    EXPECT_EQ(320, frame.bottom - frame.top);
}

// Pausing and playing again quickly leaves the AVI driver with more than one player thread;
// none of them may outlive the device that Close frees, however the play was left.
TEST(OpenClose, NoDriverThreadOutlivesClose) {
    // Kept loaded, so that its threads can still be found after the last device closed.
    ASSERT_NE(nullptr, LoadLibraryA("mciavi32.dll"));
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    for (int round = 0; round < 12; ++round) {
        OpenFixture(round % 2 == 0 ? "clip320.avi" : "clip160.avi");
        ASSERT_EQ(MCI_MODE_STOP, playerState) << "round " << round;
        for (int toggle = 0; toggle <= round % 4; ++toggle) {
            Command(IDM_PLAYPAUSE); // play
            Command(IDM_PLAYPAUSE); // pause
        }
        if (round % 3 != 0) {
            Command(IDM_PLAYPAUSE); // and play once more
        }
        if (round % 2 == 0) {
            Command(IDM_CLOSE);
        }
        // An odd round goes on to open the next movie over this one, or ends with the frame.
        if (round % 2 == 0) {
            EXPECT_EQ(0, CountDriverThreads("mciavi32.dll")) << "round " << round;
            ExpectNoMovie();
        }
    }
    ASSERT_NE(nullptr, movieWindow.GetWindow());
    Command(IDM_PLAYPAUSE);
    DestroyWindow(Frame());
    EXPECT_EQ(nullptr, movieWindow.GetWindow());
    EXPECT_EQ(0, CountDriverThreads("mciavi32.dll"));
}

TEST(OpenClose, CloseInFullScreenKeepsTheFrameSize) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip320.avi");
    Command(IDM_FULLSCREEN);
    ASSERT_EQ(FullScreen, fullScreenController.mode);
    const RECT before = OuterRect(Frame());
    Command(IDM_CLOSE);
    const RECT after = OuterRect(Frame());
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(nullptr, movieWindow.GetWindow());
    EXPECT_EQ(MCI_MODE_NOT_READY, playerState);
    EXPECT_EQ("Quillotrope", Title());
}

TEST(OpenClose, CloseWithoutAMovieDoesNothing) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    MoveWindow(Frame(), 60, 40, 640, 480, TRUE);
    SetWindowTextA(Frame(), "untouched");
    Command(IDM_CLOSE);
    EXPECT_EQ("untouched", Title());
    EXPECT_EQ(640, OuterSize(Frame()).cx);
    EXPECT_EQ(480, OuterSize(Frame()).cy);
}

// A file the movie window cannot open: its own error box is answered, and the player is left
// as a refused creation leaves it.
struct BadFileCase {
    const char* file;
    bool movieOpenBefore;
};

class OpenBadFile : public testing::TestWithParam<BadFileCase> {};

TEST_P(OpenBadFile, EndsInTheNoMovieState) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    if (GetParam().movieOpenBefore) {
        OpenFixture("clip640.avi");
        Command(IDM_PLAYPAUSE);
    } else {
        // A frame the user made larger: a refused movie must not shrink it.
        MoveWindow(Frame(), 50, 30, 700, 500, TRUE);
    }
    const RECT before = OuterRect(Frame());
    {
        DialogAnswerer answerer([](HWND dialog) { PressDialogButton(dialog, IDOK); });
        OpenFixture(GetParam().file);
        EXPECT_EQ(1, answerer.AnsweredCount());
        EXPECT_EQ("MCI Error", answerer.LastCaption());
    }
    ExpectNoMovie();
    const RECT after = OuterRect(Frame());
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    if (GetParam().movieOpenBefore) {
        EXPECT_EQ(400, after.right - after.left);
        EXPECT_EQ(320, after.bottom - after.top);
    } else {
        EXPECT_EQ(700, after.right - after.left);
        EXPECT_EQ(500, after.bottom - after.top);
    }
    // The commands that need a movie find none, and a good movie still opens.
    Command(IDM_PLAYPAUSE);
    Command(IDM_END);
    ExpectNoMovie();
    OpenFixture("clip160.avi");
    ExpectStoppedAtStart("clip160.avi - Quillotrope", "00:02");
}

INSTANTIATE_TEST_SUITE_P(Files, OpenBadFile,
                         testing::Values(BadFileCase{"notmovie.avi", false},
                                         BadFileCase{"notmovie.avi", true},
                                         BadFileCase{"cut4k.avi", false},
                                         BadFileCase{"cut4k.avi", true}),
                         [](const testing::TestParamInfo<BadFileCase>& info) {
                             std::string name = info.param.file;
                             name = name.substr(0, name.find('.'));
                             return name + (info.param.movieOpenBefore ? "AfterMovie" : "Alone");
                         });

// A path of 259 characters is the most the buffer holds: it reaches the movie window (which
// finds no such file and says so in its error box); one more character and Open refuses it
// without asking the movie window, in a box of its own.
struct LongPathCase {
    size_t length;
    bool quoted;
    bool reachesMovieWindow;
};

class OpenLongPath : public testing::TestWithParam<LongPathCase> {};

TEST_P(OpenLongPath, OnlyAPathThatFitsTheBufferIsTried) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    std::string path = FixturePath("");
    path += std::string(GetParam().length - path.size() - 4, 'x') + ".avi";
    ASSERT_EQ(GetParam().length, path.size());
    const std::string text = GetParam().quoted ? "\"" + path + "\"" : path;
    {
        DialogAnswerer answerer([](HWND dialog) { PressDialogButton(dialog, IDOK); }, 5000);
        OpenThroughCommandLine(text);
        EXPECT_EQ(1, answerer.AnsweredCount());
        if (GetParam().reachesMovieWindow) {
            EXPECT_EQ("MCI Error", answerer.LastCaption());
        } else {
            EXPECT_EQ("Quillotrope", answerer.LastCaption());
            // The name is the part after the last separator, without the quotes.
            const std::string name = path.substr(path.find_last_of('\\') + 1);
            EXPECT_EQ((name.size() > 100 ? name.substr(0, 100) + "..." : name) +
                          "\nThe path of this file is longer than 259 bytes.",
                      answerer.LastText());
        }
    }
    EXPECT_EQ(nullptr, pendingPath);
    ExpectNoMovie();
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, OpenLongPath,
    testing::Values(LongPathCase{259, true, true}, LongPathCase{260, true, false},
                    LongPathCase{259, false, true}, LongPathCase{260, false, false},
                    LongPathCase{1000, true, false}),
    [](const testing::TestParamInfo<LongPathCase>& info) {
        return std::to_string(info.param.length) + (info.param.quoted ? "Quoted" : "Bare");
    });

TEST(OpenClose, CommandLineFromStartUpOpensAndPlays) {
    const std::string commandLine = "\"" + FixturePath("clip320.avi") + "\"";
    ASSERT_NO_FATAL_FAILURE(StartPlayer(commandLine.c_str()));
    EXPECT_EQ(nullptr, pendingPath);
    EXPECT_EQ("clip320.avi - Quillotrope", Title());
    ExpectViewsOf(MCI_MODE_PLAY);
    EXPECT_EQ(MCI_MODE_PLAY, MovieMode());
    EXPECT_TRUE(PumpUntil([] { return TrackbarPosition() > 0; }, 5000));
    EXPECT_TRUE(PumpUntil([] { return StatusPart(2) == "00:01/00:05"; }, 5000));
}

TEST(OpenClose, CommandLineOfABadFileLeavesNoMovieAndPlayDoesNothing) {
    DialogAnswerer answerer([](HWND dialog) { PressDialogButton(dialog, IDOK); });
    const std::string commandLine = FixturePath("notmovie.avi");
    ASSERT_NO_FATAL_FAILURE(StartPlayer(commandLine.c_str()));
    EXPECT_EQ(1, answerer.AnsweredCount());
    ExpectNoMovie();
}

TEST(OpenClose, ZoomWithAMovieOpenRefitsTheFrame) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    OpenFixture("clip320.avi");
    Command(IDM_ZOOM200);
    EXPECT_TRUE(PumpUntil([] { return OuterSize(movieWindow.GetWindow()).cx == 642; }, 5000));
    EXPECT_EQ(482, OuterSize(movieWindow.GetWindow()).cy);
    ExpectFrameFitsMovie();
    // Back to 100: the frame shrinks to fit again (the height; the width is held at 400).
    Command(IDM_ZOOM100);
    EXPECT_TRUE(PumpUntil([] { return OuterSize(movieWindow.GetWindow()).cx == 322; }, 5000));
    EXPECT_EQ(242 + 8, ClientSize(videoHost.GetWindow()).cy);
    EXPECT_EQ(400, OuterSize(Frame()).cx);
}

TEST(OpenClose, ZoomWithoutAMovieAppliesToTheNextOne) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    Command(IDM_ZOOM50);
    EXPECT_EQ(400, OuterSize(Frame()).cx);
    OpenFixture("clip320.avi");
    const SIZE movie = OuterSize(movieWindow.GetWindow());
    EXPECT_EQ(162, movie.cx);
    EXPECT_EQ(122, movie.cy);
    EXPECT_EQ(50, SendMessageA(movieWindow.GetWindow(), MCIWNDM_GETZOOM, 0, 0));
}

// ---- Names in any script ---------------------------------------------------------------------

// The manifest's code page makes the 8-bit functions carry UTF-8: every name below opens and
// titles the frame, read back as UTF-16 so that no code page stands between. The paths of 259
// and 260 bytes (two-byte letters, scripts/make-fixtures) are the longest that fits and one
// that is refused whole.
namespace {

std::string LambdaPath(size_t total) {
    const std::string head = FixturePath("long\\");
    const size_t count = total - head.size() - 4;
    std::string name = count % 2 == 1 ? "x" : "";
    for (size_t i = 0; i < count / 2; ++i) {
        name += "\xCE\xBB";
    }
    return "long\\" + name + ".avi";
}

std::wstring Wide(const std::string& utf8) {
    wchar_t wide[600] = {};
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide, 600);
    return wide;
}

const char* const NAMES[] = {
    "my clip \xC3\xA9.avi",                                                 // e acute: two bytes
    "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC.avi", // Greek
    "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9.avi",         // Cyrillic
    "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE6\x98\xA0\xE7\x94\xBB.avi", // CJK
    "\xF0\x9F\x8E\xAC clip.avi", // outside the Basic Multilingual Plane: four bytes
    "e\xCC\x81te\xCC\x81.avi",   // combining acute accents
    "259",
    "260", // the paths of 259 and 260 bytes
};

// The player's box for a path too long: the start of the file name (cut before a letter that
// would pass 100 bytes), "...", and the reason.
std::string TooLongText(const std::string& name) {
    std::string shown = name.substr(name.find_last_of('\\') + 1);
    if (shown.size() > 100) {
        size_t cut = 100;
        while ((static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        shown = shown.substr(0, cut) + "...";
    }
    return shown + "\nThe path of this file is longer than 259 bytes.";
}

class Names : public ::testing::TestWithParam<std::tuple<size_t, bool>> {};

TEST_P(Names, OpenAndTitleTheFrame) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    const std::string which = NAMES[std::get<0>(GetParam())];
    const bool throughDialog = std::get<1>(GetParam());
    const std::string name = which == "259"   ? LambdaPath(259)
                             : which == "260" ? LambdaPath(260)
                                              : which;
    const std::string path = FixturePath(name.c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(Wide(path).c_str()))
        << "run scripts/make-fixtures";
    const bool fits = path.size() <= 259;
    if (throughDialog) {
        bool typed = false;
        std::string box;
        DialogAnswerer answerer([&](HWND dialog) {
            const HWND edit = FindDescendant(dialog, "Edit");
            if (edit == nullptr) { // the dialog's own message box
                box = WindowText(GetDlgItem(dialog, 0xFFFF));
                PressDialogButton(dialog, IDOK);
            } else if (typed) { // the dialog again, after its box
                PressDialogButton(dialog, IDCANCEL);
            } else {
                typed = true;
                SetWindowTextA(edit, path.c_str());
                PressDialogButton(dialog, IDOK);
            }
        });
        Command(IDM_OPEN);
        EXPECT_TRUE(typed);
        // Wine's dialog hands over a path of 260 bytes without complaint (and without its
        // terminator, in a buffer of 260): the player refuses it itself, in its own box.
        EXPECT_EQ(fits ? "" : TooLongText(name), box);
    } else {
        std::string box;
        DialogAnswerer answerer([&](HWND dialog) {
            box = WindowText(GetDlgItem(dialog, 0xFFFF));
            PressDialogButton(dialog, IDOK);
        });
        OpenThroughCommandLine("\"" + path + "\"");
        EXPECT_EQ(fits ? "" : TooLongText(name), box);
    }
    wchar_t title[600] = {};
    GetWindowTextW(Frame(), title, 600);
    const std::string fileTitle = name.substr(name.find_last_of('\\') + 1);
    if (fits) {
        ASSERT_NE(nullptr, movieWindow.GetWindow());
        EXPECT_EQ(Wide(fileTitle + " - Quillotrope"), title);
    } else {
        EXPECT_EQ(nullptr, movieWindow.GetWindow());
        EXPECT_EQ(std::wstring(L"Quillotrope"), title);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Names,
    ::testing::Combine(::testing::Range<size_t>(0, sizeof NAMES / sizeof NAMES[0]),
                       ::testing::Bool()),
    [](const ::testing::TestParamInfo<std::tuple<size_t, bool>>& info) {
        return std::string(std::get<1>(info.param) ? "Dialog" : "CommandLine") +
               std::to_string(std::get<0>(info.param));
    });

} // namespace
