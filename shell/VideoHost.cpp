// The black video area (class "ChildWnd"): parent of the movie window, receiver of its and the
// trackbar's notifications.
#include <windows.h>
#include <vfw.h>

#include "shell/VideoHost.h"
#include "core/PlayerState.h"
#include "core/Transport.h"
#include "movie/MovieWindow.h"
#include "res/resource.h"
#include "shell/Application.h"
#include "shell/FrameGeometry.h"
#include "shell/FullScreenController.h"
#include "shell/MainFrame.h"
#include "shell/Profile.h"
#include "shell/ScrollGeometry.h"
#include "shell/StatusBar.h"
#include "shell/TransportToolbar.h"
#include "shell/WindowMetrics.h"

namespace {

const char HOST_CLASS[] = "ChildWnd";

// WS_CHILD, WS_VISIBLE and WS_CLIPSIBLINGS; the client edge comes and goes with full screen.
const DWORD HOST_STYLE = 0x54000000;
static_assert(HOST_STYLE == (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS), "host style");

// The movie window's notifications to its parent.
static_assert(MCIWNDM_NOTIFYMODE == 1224, "mode notification");
static_assert(MCIWNDM_NOTIFYPOS == 1225, "position notification");
static_assert(MCIWNDM_NOTIFYSIZE == 1226, "size notification");

const int CONTEXT_SUBMENU = 1; // the Play menu

// The margin around a movie at its own size, at the frame's DPI (the movie itself is not
// scaled: one of its pixels is one of the screen's at 100 %).
int32_t MovieRoom() {
    return Scaled(MOVIE_ROOM, mainFrame.Dpi());
}

} // namespace

// The movie window's own procedure, which the host's press watch passes every message on to.
WNDPROC movieProcedure = nullptr;

VideoHost::VideoHost() : window(nullptr), lastPress{false, 0, 0, 0} {}

bool VideoHost::Create() {
    const HINSTANCE instance = application.GetInstance();
    const HWND frame = mainFrame.GetWindow();
    const HWND toolbar = transportToolbar.GetWindow();
    const HWND status = statusBar.GetWindow();
    if (instance == nullptr || frame == nullptr || toolbar == nullptr || status == nullptr ||
        window != nullptr) {
        return false;
    }

    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    // A double click on the area itself arrives as one.
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = ChildWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // The platform's default erase paints the area black; the host draws nothing itself.
    const HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    windowClass.hbrBackground = black;
    windowClass.lpszClassName = HOST_CLASS;
    if (RegisterClassExA(&windowClass) == 0) {
        DeleteObject(black);
        return false;
    }

    const WindowMetrics metrics;
    const Placement place =
        HostPlacement(Windowed, metrics.ClientWidth(frame), metrics.ClientHeight(frame),
                      metrics.Height(toolbar), metrics.Height(status));
    // No movie window yet, so the size message of the creation hides both scroll bars.
    window = CreateWindowExA(
        WS_EX_CLIENTEDGE, HOST_CLASS, "", HOST_STYLE, place.x, place.y, place.width, place.height,
        frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_VIDEOHOST)), instance, this);
    if (window == nullptr) {
        return false;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return true;
}

LRESULT CALLBACK ChildWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const CREATESTRUCTA* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    VideoHost* host = reinterpret_cast<VideoHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (host == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return host->HandleMessage(window, message, wParam, lParam);
}

LRESULT VideoHost::HandleMessage(HWND host, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        // The size message arrives before CreateWindowExA returns; it needs the handle.
        window = host;
        return DefWindowProcA(host, message, wParam, lParam);
    case WM_SIZE:
        UpdateScrollBars();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(host, &paint);
        if (movieWindow.GetWindow() != nullptr) {
            CentreMovie();
        }
        EndPaint(host, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        POINT point = {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
        ClientToScreen(host, &point);
        OnLeftPress(static_cast<uint32_t>(GetMessageTime()), point.x, point.y);
        return 0;
    }
    case WM_CONTEXTMENU:
        // Screen coordinates as signed words: a second monitor can lie left of or above 0.
        ShowContextMenu(static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)));
        return 0;
    case WM_HSCROLL:
        // lParam is the control that scrolls: the trackbar, whose notifications come here;
        // 0 is the host's own bar.
        if (lParam != 0) {
            OnTrackbarScroll(LOWORD(wParam), HIWORD(wParam));
        } else {
            OnScroll(SB_HORZ, wParam);
        }
        return 0;
    case WM_VSCROLL:
        OnScroll(SB_VERT, wParam);
        return 0;
    case MCIWNDM_NOTIFYMODE:
        OnMovieMode(static_cast<int32_t>(lParam));
        return 0;
    case MCIWNDM_NOTIFYPOS:
        OnMoviePosition(static_cast<int32_t>(lParam));
        return 0;
    case MCIWNDM_NOTIFYSIZE:
        OnMovieSize(reinterpret_cast<HWND>(wParam));
        return 0;
    default:
        return DefWindowProcA(host, message, wParam, lParam);
    }
}

bool VideoHost::OnFrameSize(HWND frame, int32_t newClientWidth, int32_t newClientHeight) {
    const HWND toolbar = transportToolbar.GetWindow();
    const HWND status = statusBar.GetWindow();
    if (frame == nullptr || toolbar == nullptr || status == nullptr || window == nullptr) {
        return false;
    }
    const WindowMetrics metrics;
    const Placement place =
        HostPlacement(fullScreenController.mode, newClientWidth, newClientHeight,
                      metrics.Height(toolbar), metrics.Height(status));
    // A change of size brings the host its own size message, and so its scroll bars.
    MoveWindow(window, place.x, place.y, place.width, place.height, TRUE);
    return true;
}

bool VideoHost::UpdateScrollBars() {
    if (window == nullptr) {
        return false;
    }
    const HWND movie = movieWindow.GetWindow();
    if (movie == nullptr) {
        ShowScrollBar(window, SB_BOTH, FALSE);
        return true;
    }
    if (zoomFit) {
        // A fitted picture never needs scrolling; back at a zoom the bars start at 0.
        SetScrollPos(window, SB_HORZ, 0, FALSE);
        SetScrollPos(window, SB_VERT, 0, FALSE);
        ShowScrollBar(window, SB_BOTH, FALSE);
        return FitMovie();
    }
    const WindowMetrics metrics;
    // The style is read each time: full screen takes the edge away.
    const bool clientEdge = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
    const SystemSizes sizes = {GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE),
                               GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
    const ScrollBarsLayout layout =
        ComputeScrollBars(metrics.Width(window), metrics.Height(window), clientEdge, sizes,
                          metrics.Width(movie), metrics.Height(movie), MovieRoom());

    // Positions are left to the platform, which keeps them within the new range and page.
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = layout.hMax;
    info.nPage = static_cast<UINT>(layout.hPage);
    SetScrollInfo(window, SB_HORZ, &info, TRUE);
    ShowScrollBar(window, SB_HORZ, layout.hbar ? TRUE : FALSE);

    info.nMax = layout.vMax;
    info.nPage = static_cast<UINT>(layout.vPage);
    SetScrollInfo(window, SB_VERT, &info, TRUE);
    ShowScrollBar(window, SB_VERT, layout.vbar ? TRUE : FALSE);

    CentreMovie();
    return true;
}

bool VideoHost::CentreMovie() {
    const HWND movie = movieWindow.GetWindow();
    if (window == nullptr || movie == nullptr) {
        return false;
    }
    if (zoomFit) {
        return FitMovie();
    }
    const WindowMetrics metrics;
    const int32_t x = CentreCoordinate(metrics.Width(movie), metrics.ClientWidth(window),
                                       GetScrollPos(window, SB_HORZ), MovieRoom());
    const int32_t y = CentreCoordinate(metrics.Height(movie), metrics.ClientHeight(window),
                                       GetScrollPos(window, SB_VERT), MovieRoom());
    RECT was = {0, 0, 0, 0};
    GetWindowRect(movie, &was);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&was), 2);
    SetWindowPos(movie, HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
    if (was.left != x || was.top != y) {
        // The platform carries the moved window's old pixels along, and keeps those of parts the
        // smaller host had hidden; a stopped or paused movie draws only when asked to.
        InvalidateRect(movie, nullptr, FALSE);
    }
    return true;
}

bool VideoHost::FitMovie() {
    int32_t sourceWidth = 0;
    int32_t sourceHeight = 0;
    movieWindow.GetSourceSize(&sourceWidth, &sourceHeight);
    const WindowMetrics metrics;
    const Placement picture = FitPicture(metrics.ClientWidth(window), metrics.ClientHeight(window),
                                         sourceWidth, sourceHeight);
    movieWindow.ShowPictureAt(picture.x, picture.y, picture.width, picture.height);
    return true;
}

bool VideoHost::OnScroll(int bar, WPARAM wParam) {
    // A fitted picture has no scroll bars; what they held before must not move it.
    if (window == nullptr || zoomFit) {
        return false;
    }
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (!GetScrollInfo(window, bar, &info)) {
        return false;
    }
    const int32_t change = ScrollChange(LOWORD(wParam), HIWORD(wParam), info.nPos);
    const int32_t d = ClampScrollChange(change, info.nMin, info.nMax,
                                        static_cast<int32_t>(info.nPage), info.nPos);
    if (d == 0) {
        return true;
    }
    // Scrolling the whole client area moves the movie window with the picture.
    if (bar == SB_HORZ) {
        ScrollWindow(window, -d, 0, nullptr, nullptr);
    } else {
        ScrollWindow(window, 0, -d, nullptr, nullptr);
    }
    SetScrollPos(window, bar, info.nPos + d, TRUE);
    return true;
}

bool VideoHost::ShowContextMenu(int32_t x, int32_t y) {
    const HWND frame = mainFrame.GetWindow();
    if (frame == nullptr) {
        return false;
    }
    // Full screen takes the menu bar away and keeps it aside.
    const HMENU menu =
        fullScreenController.mode == FullScreen ? fullScreenController.savedMenu : GetMenu(frame);
    if (menu == nullptr) {
        return false;
    }
    const HMENU playMenu = GetSubMenu(menu, CONTEXT_SUBMENU);
    if (playMenu == nullptr) {
        return false;
    }
    // A request from the keyboard carries (-1, -1).
    TrackPopupMenu(playMenu, 0, ContextMenuCoordinate(x), ContextMenuCoordinate(y), 0, frame,
                   nullptr);
    return true;
}

bool VideoHost::ShowContextMenuAtArea() {
    if (window == nullptr) {
        return false;
    }
    POINT corner = {0, 0};
    ClientToScreen(window, &corner);
    return ShowContextMenu(corner.x, corner.y);
}

namespace {

// In front of the movie window's procedure: the window covers the picture and takes its clicks,
// which its own procedure keeps to itself. Its class asks for double clicks on Wine (on Windows
// it may not), so both forms of a press are taken, and the host decides on its own.
LRESULT CALLBACK MoviePressProc(HWND movie, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC original = movieProcedure;
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        POINT point = {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
        ClientToScreen(movie, &point);
        // The press may switch full screen, which moves the movie window but keeps it.
        videoHost.OnLeftPress(static_cast<uint32_t>(GetMessageTime()), point.x, point.y);
    }
    return CallWindowProcA(original, movie, message, wParam, lParam);
}

} // namespace

bool VideoHost::WatchMovieClicks(HWND movie) {
    if (movie == nullptr) {
        return false;
    }
    const WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(movie, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MoviePressProc)));
    // Every movie window is of the same class and has the same procedure.
    if (previous != nullptr && previous != MoviePressProc) {
        movieProcedure = previous;
    }
    return previous != nullptr;
}

bool VideoHost::OnLeftPress(uint32_t time, int32_t screenX, int32_t screenY) {
    const Press press = {true, time, screenX, screenY};
    const bool second =
        IsDoubleClick(lastPress, press, GetDoubleClickTime(), GetSystemMetrics(SM_CXDOUBLECLK),
                      GetSystemMetrics(SM_CYDOUBLECLK));
    if (!second) {
        lastPress = press;
        return false;
    }
    // A third press starts anew.
    lastPress.valid = false;
    // Exactly what Alt+Enter does: the command, whose handler refreshes the menu.
    SendMessageA(mainFrame.GetWindow(), WM_COMMAND, IDM_FULLSCREEN, 0);
    return true;
}

bool VideoHost::OnMovieSize(HWND movie) {
    if (mainFrame.GetWindow() == nullptr || movie == nullptr) {
        return false;
    }
    // The handle comes from the notification: it can arrive before MovieWindow holds it.
    ProfileStep("movie size reported");
    const WindowMetrics metrics;
    mainFrame.FitToMovie(metrics.Width(movie), metrics.Height(movie));
    ProfileStep("frame fitted to the movie");
    // A zoom in full screen, or a fit that leaves the frame as it was, changes the movie but
    // not the host, and so brings the host no size message of its own.
    UpdateScrollBars();
    return true;
}
