// The About box: shown by the About command, ended by OK, Escape or its close box, answered
// from a timer inside its own modal loop.
#include <windows.h>

#include "PlayerSupport.h"
#include "res/resource.h"
#include "shell/AboutDialog.h"
#include "shell/Application.h"
#include "shell/MainFrame.h"

#include <gtest/gtest.h>

#include <ostream>

#include <functional>
#include <string>
#include <vector>

using playertest::StartFrame;

namespace {

const uint32_t FALLBACK_MS = 20000;

// A page that cannot be read, for the bound-object check.
void* UnreadablePage() {
    return VirtualAlloc(nullptr, 4096, MEM_COMMIT, PAGE_NOACCESS);
}

HWND PlainWindow() {
    return CreateWindowExA(0, "STATIC", "plain", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

} // namespace

TEST(About, CommandShowsTheModalBoxAndLeavesTheFrameUnchanged) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    const RECT rectBefore = OuterRect(frame);
    const LONG styleBefore = GetWindowLongA(frame, GWL_STYLE);
    const HMENU menuBefore = GetMenu(frame);

    struct Seen {
        std::string caption;
        bool okHasFocus = false;
        bool frameEnabled = true;
        HWND owner = nullptr;
        LONG_PTR bound = 0;
        POINT corner = {-1, -1};
    } seen;
    DialogAnswerer answerer(
        [&seen](HWND dialog) {
            seen.caption = WindowText(dialog);
            seen.okHasFocus = GetFocus() == GetDlgItem(dialog, IDOK);
            seen.frameEnabled = IsWindowEnabled(mainFrame.GetWindow()) != FALSE;
            seen.owner = GetWindow(dialog, GW_OWNER);
            seen.bound = GetWindowLongPtrA(dialog, GWLP_USERDATA);
            seen.corner = {0, 0};
            ClientToScreen(dialog, &seen.corner);
            PressDialogButton(dialog, IDOK);
        },
        FALLBACK_MS);
    const DWORD start = GetTickCount();
    EXPECT_EQ(0, SendMessageA(frame, WM_COMMAND, IDM_ABOUT, 0));
    EXPECT_LT(GetTickCount() - start, FALLBACK_MS / 2); // ended by OK, not by the fallback

    EXPECT_EQ(1, answerer.AnsweredCount());
    EXPECT_EQ("Player", seen.caption);
    EXPECT_TRUE(seen.okHasFocus);
    EXPECT_FALSE(seen.frameEnabled); // modal: the owner is disabled while it is open
    EXPECT_EQ(frame, seen.owner);
    EXPECT_NE(0, seen.bound);
    // No centring: the box opens at the top-left corner of the frame's client area. Measured
    // here: the platform puts the box's client origin there, its border and caption outside.
    POINT clientCorner = {0, 0};
    ClientToScreen(frame, &clientCorner);
    EXPECT_EQ(clientCorner.x, seen.corner.x);
    EXPECT_EQ(clientCorner.y, seen.corner.y);

    EXPECT_TRUE(IsWindow(frame));
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_TRUE(SameRect(rectBefore, OuterRect(frame)));
    EXPECT_EQ(styleBefore, GetWindowLongA(frame, GWL_STYLE));
    EXPECT_EQ(menuBefore, GetMenu(frame));
    EXPECT_EQ("Quillotrope", WindowText(frame));
    EXPECT_EQ(nullptr, FindOwnWindow("#32770"));
}

namespace {

struct EndingCase {
    const char* name;
    std::function<void(HWND)> end;
    INT_PTR result;
};

// Readable test names in the test list.
void PrintTo(const EndingCase& c, std::ostream* out) {
    *out << c.name;
}

} // namespace

class AboutEnding : public testing::TestWithParam<EndingCase> {};

// Show's own DialogBoxParamA call, made here so that its result can be read.
TEST_P(AboutEnding, EndsWithItsResult) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    const RECT rectBefore = OuterRect(frame);
    const EndingCase c = GetParam();
    DialogAnswerer answerer(c.end, FALLBACK_MS);
    AboutDialog about;
    const DWORD start = GetTickCount();
    const INT_PTR result = DialogBoxParamA(application.GetInstance(), MAKEINTRESOURCEA(IDD_ABOUT),
                                           frame, AboutDlgProc, reinterpret_cast<LPARAM>(&about));
    EXPECT_LT(GetTickCount() - start, FALLBACK_MS / 2); // not the fallback's IDCANCEL
    EXPECT_EQ(1, answerer.AnsweredCount());
    EXPECT_EQ(c.result, result);
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_TRUE(SameRect(rectBefore, OuterRect(frame)));
}

void PostKey(HWND dialog, WPARAM key) {
    // To the focused control, as the keyboard would; the dialog's loop turns it into a command.
    HWND target = GetFocus();
    if (target == nullptr) {
        target = dialog;
    }
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, AboutEnding,
    testing::Values(
        EndingCase{"OkButton", [](HWND d) { PressDialogButton(d, IDOK); }, 1},
        EndingCase{"EnterKey", [](HWND d) { PostKey(d, VK_RETURN); }, 1},
        EndingCase{"CancelCommand",
                   [](HWND d) { PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); }, 2},
        EndingCase{"EscapeKey", [](HWND d) { PostKey(d, VK_ESCAPE); }, 2},
        EndingCase{"CloseBox", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, 2},
        EndingCase{"CloseMessage", [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); }, 2}),
    [](const testing::TestParamInfo<EndingCase>& info) { return info.param.name; });

TEST(AboutShow, NeedsAnInstanceAndAnOwner) {
    StartFrame();
    DialogAnswerer answerer([](HWND d) { PressDialogButton(d, IDCANCEL); }, 3000);
    AboutDialog about;
    EXPECT_FALSE(about.Show(nullptr, mainFrame.GetWindow()));
    EXPECT_FALSE(about.Show(application.GetInstance(), nullptr));
    EXPECT_EQ(0, answerer.AnsweredCount());
}

TEST(AboutShow, ReturnsTrueWhateverTheDialogReturned) {
    StartFrame();
    // A module without the dialog resource: DialogBoxParamA fails at once.
    AboutDialog about;
    EXPECT_TRUE(about.Show(GetModuleHandleA("kernel32.dll"), mainFrame.GetWindow()));
    EXPECT_TRUE(IsWindowEnabled(mainFrame.GetWindow()));
}

TEST(AboutProc, BindsAtInitDialogAndAnswersTrue) {
    const HWND window = PlainWindow();
    ASSERT_NE(nullptr, window);
    AboutDialog about;
    EXPECT_EQ(TRUE, AboutDlgProc(window, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&about)));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&about), GetWindowLongPtrA(window, GWLP_USERDATA));
    // Bound: a command that is not OK or Cancel is not handled.
    EXPECT_EQ(FALSE, AboutDlgProc(window, WM_COMMAND, MAKEWPARAM(1000, 0), 0));
    EXPECT_EQ(FALSE, AboutDlgProc(window, WM_PAINT, 0, 0));
    DestroyWindow(window);
}

namespace {

struct UnboundCase {
    const char* name;
    bool unreadable; // false: nothing bound, true: an address that cannot be read
};

// Readable test names in the test list.
void PrintTo(const UnboundCase& c, std::ostream* out) {
    *out << c.name;
}

} // namespace

class AboutProcUnbound : public testing::TestWithParam<UnboundCase> {};

TEST_P(AboutProcUnbound, AnswersFalseToEverything) {
    const HWND window = PlainWindow();
    ASSERT_NE(nullptr, window);
    const UnboundCase c = GetParam();
    void* address = c.unreadable ? UnreadablePage() : nullptr;
    if (c.unreadable) {
        ASSERT_NE(nullptr, address);
    }
    EXPECT_EQ(FALSE, AboutDlgProc(window, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(address)));
    for (WPARAM id : {WPARAM{IDOK}, WPARAM{IDCANCEL}}) {
        EXPECT_EQ(FALSE, AboutDlgProc(window, WM_COMMAND, id, 0)) << id;
    }
    EXPECT_TRUE(IsWindow(window));
    DestroyWindow(window);
}

INSTANTIATE_TEST_SUITE_P(Cases, AboutProcUnbound,
                         testing::Values(UnboundCase{"Null", false},
                                         UnboundCase{"Unreadable", true}),
                         [](const testing::TestParamInfo<UnboundCase>& info) {
                             return info.param.name;
                         });

// A window that never saw WM_INITDIALOG has nothing bound either.
TEST(AboutProc, WithoutInitDialogAnswersFalse) {
    const HWND window = PlainWindow();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(FALSE, AboutDlgProc(window, WM_COMMAND, IDOK, 0));
    EXPECT_EQ(FALSE, AboutDlgProc(window, WM_COMMAND, IDCANCEL, 0));
    DestroyWindow(window);
}
