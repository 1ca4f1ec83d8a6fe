// Files dropped on the frame, in blocks built as the shell builds them: the first opens and
// plays as a movie named on the command line does; bad paths end as Open ends them.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "PlayerSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace playertest;

namespace {

// A block of dropped files in movable memory, as the shell hands it over (DROPFILES, then the
// names, each with its terminator, then one more); the receiver frees it.
HDROP DropBlock(const std::vector<std::wstring>& names, bool wide) {
    std::vector<char> list;
    for (const std::wstring& name : names) {
        if (wide) {
            const char* bytes = reinterpret_cast<const char*>(name.c_str());
            list.insert(list.end(), bytes, bytes + (name.size() + 1) * sizeof(wchar_t));
        } else {
            char narrow[1024] = {};
            WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, narrow, sizeof narrow, nullptr,
                                nullptr);
            list.insert(list.end(), narrow, narrow + std::strlen(narrow) + 1);
        }
    }
    list.insert(list.end(), wide ? 2 : 1, '\0');
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->pt = {40, 40};
    header->fNC = FALSE;
    header->fWide = wide ? TRUE : FALSE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

std::wstring Wide(const std::string& text) {
    wchar_t wide[1024] = {};
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 1024);
    return wide;
}

std::wstring Fixture(const char* name) {
    return Wide(FixturePath(name));
}

// A drop as the platform delivers it: posted to the frame and handled by the loop.
void Drop(const std::vector<std::wstring>& names, bool wide = true) {
    PostMessageA(Frame(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropBlock(names, wide)), 0);
    PumpPending();
}

void ExpectPlaying(const char* title) {
    ASSERT_NE(nullptr, Movie());
    EXPECT_EQ(title, Title());
    ExpectViewsOf(MCI_MODE_PLAY);
    EXPECT_EQ(MCI_MODE_PLAY, MovieMode());
    EXPECT_EQ(1, MovieWindowsInHost());
    EXPECT_EQ(nullptr, pendingPath);
}

} // namespace

TEST(Drop, TheFrameAcceptsFilesFromStartUp) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    EXPECT_NE(0, GetWindowLongA(Frame(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

struct GoodDropCase {
    const char* name;
    std::vector<const char*> files;
    bool wide;
    const char* title;
};

class GoodDrop : public testing::TestWithParam<GoodDropCase> {};

TEST_P(GoodDrop, OpensTheFirstAndPlaysIt) {
    const GoodDropCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    std::vector<std::wstring> names;
    for (const char* file : c.files) {
        names.push_back(Fixture(file));
    }
    FrameCommandCounter commands;
    Drop(names, c.wide);
    ExpectPlaying(c.title);
    EXPECT_EQ(1, commands.Count(IDM_OPEN));
    EXPECT_EQ(1, commands.Count(IDM_PLAYPAUSE));
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, GoodDrop,
    testing::Values(GoodDropCase{"OneWide", {"clip320.avi"}, true, "clip320.avi - Quillotrope"},
                    GoodDropCase{"OneNarrow", {"clip320.avi"}, false, "clip320.avi - Quillotrope"},
                    GoodDropCase{"ThreeTheFirstOpens",
                                 {"clip160.avi", "clip320.avi", "clip640.avi"},
                                 true,
                                 "clip160.avi - Quillotrope"},
                    GoodDropCase{"AccentedNarrow",
                                 {"my clip \xC3\xA9.avi"},
                                 false,
                                 "my clip \xC3\xA9.avi - Quillotrope"},
                    GoodDropCase{"AccentedWide",
                                 {"my clip \xC3\xA9.avi"},
                                 true,
                                 "my clip \xC3\xA9.avi - Quillotrope"}),
    [](const testing::TestParamInfo<GoodDropCase>& info) { return std::string(info.param.name); });

// Dropping while a movie plays replaces it, as a second open does.
TEST(Drop, ADropWhileAMoviePlaysReplacesIt) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    Drop({Fixture("clip320.avi")});
    ASSERT_NO_FATAL_FAILURE(ExpectPlaying("clip320.avi - Quillotrope"));
    Drop({Fixture("clip160.avi")});
    ExpectPlaying("clip160.avi - Quillotrope");
}

TEST(Drop, ADropInFullScreenPlaysThereAndKeepsTheScreen) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    Command(IDM_FULLSCREEN);
    ASSERT_EQ(FullScreen, fullScreenController.mode);
    Drop({Fixture("clip640.avi")});
    ExpectPlaying("clip640.avi - Quillotrope");
    EXPECT_EQ(FullScreen, fullScreenController.mode);
    EXPECT_TRUE(SameRect(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                         OuterRect(Frame())));
}

// What the movie window cannot open ends as an Open of it ends: its error box, then no movie.
struct BadDropCase {
    const char* name;
    std::wstring path;
};

class BadDrop : public testing::TestWithParam<BadDropCase> {};

TEST_P(BadDrop, EndsAsOpenEndsWithTheMovieWindowsErrorBox) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    const RECT frame = OuterRect(Frame());
    DialogAnswerer answerer([](HWND dialog) { PressDialogButton(dialog, IDOK); });
    Drop({GetParam().path});
    EXPECT_EQ(1, answerer.AnsweredCount());
    ExpectNoMovie();
    EXPECT_TRUE(SameRect(frame, OuterRect(Frame())));
}

INSTANTIATE_TEST_SUITE_P(Paths, BadDrop,
                         testing::Values(BadDropCase{"Folder", Wide(FixturePath("long"))},
                                         BadDropCase{"TextFileNamedAvi", Fixture("notmovie.avi")},
                                         BadDropCase{"MissingFile", Fixture("no such movie.avi")}),
                         [](const testing::TestParamInfo<BadDropCase>& info) {
                             return std::string(info.param.name);
                         });

// A name that does not fit the path buffer, or that the process's code page cannot carry, is
// refused whole: nothing opens, a box says why, and a movie that plays plays on.
TEST(Drop, ANameThatDoesNotFitIsRefusedAndThePlayingMovieStays) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    Drop({Fixture("clip320.avi")});
    ASSERT_NO_FATAL_FAILURE(ExpectPlaying("clip320.avi - Quillotrope"));
    const std::string tooLong = "\nThe path of this file is longer than 259 bytes.";
    DialogAnswerer answerer([](HWND dialog) { PressDialogButton(dialog, IDOK); }, 3000);
    FrameCommandCounter commands;
    for (const bool wide : {true, false}) {
        Drop({Wide(FixturePath("long") + "\\" + std::string(300, 'x') + ".avi")}, wide);
        EXPECT_EQ("Quillotrope", answerer.LastCaption());
        // The box shows the start of a name too long to show whole.
        EXPECT_EQ(std::string(100, 'x') + "..." + tooLong, answerer.LastText()) << wide;
    }
    // 259 characters fit, 260 do not (the fixtures' folder).
    const std::string folder = FixturePath("long") + "\\";
    const size_t name260 = 260 - folder.size() - 4;
    Drop({Wide(folder + std::string(name260, 'x') + ".avi")});
    EXPECT_EQ(0, commands.Count(IDM_OPEN));
    EXPECT_EQ(0, commands.Count(IDM_PLAYPAUSE));
    EXPECT_EQ(3, answerer.AnsweredCount());
    const std::string name = std::string(name260, 'x') + ".avi";
    EXPECT_EQ((name.size() > 100 ? name.substr(0, 100) + "..." : name) + tooLong,
              answerer.LastText());
    ExpectPlaying("clip320.avi - Quillotrope");
    Drop({Wide(folder + std::string(name260 - 1, 'x') + ".avi")});
    ExpectPlaying((std::string(name260 - 1, 'x') + ".avi - Quillotrope").c_str());
}

TEST(Drop, ANameOutsideTheCodePageOpensOnlyWhereTheCodePageCarriesIt) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    // A copy of a clip named in Greek, in this process's temporary folder.
    wchar_t folder[MAX_PATH] = {};
    ASSERT_NE(0u, GetTempPathW(MAX_PATH, folder));
    const std::wstring name = L"\x0395\x03bb\x03bb\x03b7\x03bd\x03b9\x03ba\x03ac.avi";
    const std::wstring path = std::wstring(folder) + name;
    ASSERT_TRUE(CopyFileW(Fixture("clip160.avi").c_str(), path.c_str(), FALSE));
    DialogAnswerer answerer([](HWND dialog) { PressDialogButton(dialog, IDOK); }, 3000);
    FrameCommandCounter commands;
    Drop({path});
    if (GetACP() == CP_UTF8) {
        ExpectPlaying("\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC.avi - "
                      "Quillotrope");
    } else {
        // Code page 1252 has no Greek: refused whole, not opened as "????????.avi".
        EXPECT_EQ(0, commands.Count(IDM_OPEN));
        EXPECT_EQ(1, answerer.AnsweredCount());
        EXPECT_EQ("????????.avi\nThe name of this file has letters this system cannot pass on.",
                  answerer.LastText());
        ExpectNoMovie();
    }
    DeleteFileW(path.c_str());
}

// The dropped names are read from the block itself: no shell library is loaded for them.
TEST(Drop, NoShellLibraryIsLoadedForADrop) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    const bool before = GetModuleHandleA("shell32.dll") != nullptr;
    Drop({Fixture("clip160.avi")});
    ASSERT_NO_FATAL_FAILURE(ExpectPlaying("clip160.avi - Quillotrope"));
    EXPECT_EQ(before, GetModuleHandleA("shell32.dll") != nullptr);
}

// A block without a name, or not well formed, opens nothing.
TEST(Drop, AnEmptyOrBrokenBlockOpensNothing) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    FrameCommandCounter commands;
    Drop({});
    const HGLOBAL broken = GlobalAlloc(GHND, 8);
    PostMessageA(Frame(), WM_DROPFILES, reinterpret_cast<WPARAM>(broken), 0);
    PumpPending();
    EXPECT_EQ(0, commands.Count(IDM_OPEN));
    ExpectNoMovie();
}
