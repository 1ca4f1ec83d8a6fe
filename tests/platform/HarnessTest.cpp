// The platform itself, before any of the player: Wine's movie window opens a generated clip,
// reports milliseconds and tells its parent its size.
#include <windows.h>
#include <vfw.h>

#include "PlatformTest.h"

#include <gtest/gtest.h>

namespace {

HWND sizeNotifiedBy = nullptr;
int sizeNotifications = 0;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MCIWNDM_NOTIFYSIZE) {
        sizeNotifiedBy = reinterpret_cast<HWND>(wParam);
        ++sizeNotifications;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

TEST(Harness, MovieWindowOpensClipInMillisecondsAndNotifiesSize) {
    HWND parent = CreateTopLevelWindow("HarnessParent", ParentProc, "harness");
    ASSERT_NE(nullptr, parent);

    const std::string path = FixturePath("clip320.avi");
    HWND movie = MCIWndCreateA(parent, GetModuleHandleA(nullptr), 0x5000870A, path.c_str());
    ASSERT_NE(nullptr, movie);
    EXPECT_NE(0u, MCIWndGetDeviceID(movie)) << path;
    MCIWndSetTimeFormat(movie, "ms");

    EXPECT_EQ(0, MCIWndGetStart(movie));
    const LONG length = MCIWndGetLength(movie);
    EXPECT_NEAR(5000, length, 100); // one frame at 10 frames per second

    // The notification may come during creation or later; pump until it has.
    EXPECT_TRUE(PumpUntil([] { return sizeNotifications > 0; }, 5000));
    EXPECT_EQ(movie, sizeNotifiedBy);

    MCIWndDestroy(movie);
    DestroyWindow(parent);
}
