// The main frame window (class "MainWnd") and its message handling.
#include <windows.h>
#include <commctrl.h>

#include "shell/MainFrame.h"
#include "core/CommandLine.h"
#include "core/CommandTable.h"
#include "core/OpenClose.h"
#include "core/PlayerState.h"
#include "core/Rules.h"
#include "core/Seeking.h"
#include "core/Transport.h"
#include "core/Volume.h"
#include "movie/SoundVolume.h"
#include "movie/MovieWindow.h"
#include "res/resource.h"
#include "shell/AboutDialog.h"
#include "shell/Application.h"
#include "shell/FrameGeometry.h"
#include "shell/FullScreenController.h"
#include "shell/PositionTrackbar.h"
#include "shell/StatusBar.h"
#include "shell/TransportToolbar.h"
#include "shell/VideoHost.h"
#include "shell/WindowMetrics.h"

namespace {

const char FRAME_CLASS[] = "MainWnd";

// An overlapped window; the platform adds its caption.
const DWORD FRAME_STYLE =
    WS_VISIBLE | WS_CLIPCHILDREN | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
static_assert(FRAME_STYLE == 0x120F0000, "frame style");

// Flags and menu handle of WM_MENUSELECT when the menu has been closed.
const UINT MENU_CLOSED_FLAGS = 0xFFFF;

// Posted by a press in a child window: gives the frame the keyboard focus back once the press
// has been handled.
const UINT WM_FOCUS_FRAME = WM_APP;

static_assert(RULE_APPCOMMAND_MEDIA_STOP == APPCOMMAND_MEDIA_STOP &&
                  RULE_APPCOMMAND_MEDIA_PLAY_PAUSE == APPCOMMAND_MEDIA_PLAY_PAUSE &&
                  RULE_APPCOMMAND_MEDIA_PLAY == APPCOMMAND_MEDIA_PLAY &&
                  RULE_APPCOMMAND_MEDIA_PAUSE == APPCOMMAND_MEDIA_PAUSE,
              "app commands");
static_assert(RULE_ES_CONTINUOUS == ES_CONTINUOUS &&
                  RULE_ES_DISPLAY_REQUIRED == ES_DISPLAY_REQUIRED &&
                  RULE_ES_SYSTEM_REQUIRED == ES_SYSTEM_REQUIRED,
              "execution state flags");

// A context-menu request from the keyboard carries the point (-1, -1).
bool FromKeyboard(LPARAM lParam) {
    return LOWORD(lParam) == 0xFFFF && HIWORD(lParam) == 0xFFFF;
}

} // namespace

MainFrame::MainFrame() : window(nullptr), dpi(DEFAULT_DPI), wheelRemainder(0) {}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainFrame* frame = nullptr;
    if (message == WM_NCCREATE) {
        const CREATESTRUCTA* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        frame = static_cast<MainFrame*>(creation->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
    } else {
        frame = reinterpret_cast<MainFrame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    if (frame == nullptr) {
        // Messages before WM_NCCREATE, such as WM_GETMINMAXINFO, have no object yet.
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return frame->HandleMessage(window, message, wParam, lParam);
}

bool MainFrame::Create() {
    const HINSTANCE instance = application.GetInstance();
    if (instance == nullptr || window != nullptr) {
        return false;
    }

    WNDCLASSEXA frameClass = {};
    frameClass.cbSize = sizeof frameClass;
    frameClass.style = 0;
    frameClass.lpfnWndProc = MainWndProc;
    frameClass.cbClsExtra = 0;
    frameClass.cbWndExtra = 0;
    frameClass.hInstance = instance;
    frameClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    frameClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    frameClass.lpszMenuName = nullptr;
    frameClass.lpszClassName = FRAME_CLASS;
    frameClass.hIconSm = nullptr; // the platform derives the small icon from the large one
    if (RegisterClassExA(&frameClass) == 0) {
        return false;
    }

    const HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINMENU));
    if (menu == nullptr) {
        return false;
    }

    // Until the frame exists, the screen's DPI.
    dpi = WindowDpi(nullptr);
    // The frame's messages reach HandleMessage from WM_NCCREATE on, before this returns and
    // the handle is stored: everything they reach must cope with the frame not being held yet.
    // Files dropped on the frame or any of its children come to the frame from start-up on,
    // without the shell library that DragAcceptFiles would bring.
    window =
        CreateWindowExA(WS_EX_ACCEPTFILES, FRAME_CLASS, APP_TITLE, FRAME_STYLE,
                        Scaled(FRAME_X, dpi), Scaled(FRAME_Y, dpi), Scaled(MIN_FRAME_WIDTH, dpi),
                        Scaled(MIN_FRAME_HEIGHT, dpi), nullptr, menu, instance, this);
    if (window == nullptr) {
        return false;
    }
    dpi = WindowDpi(window);

    // The show state handed to WinMain is deliberately not used.
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return true;
}

LRESULT MainFrame::HandleMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        // Before the movie window goes with its parent, so that its device closes only after
        // the driver's threads have ended.
        movieWindow.Destroy();
        SetThreadExecutionState(static_cast<EXECUTION_STATE>(ExecutionStateOf(MCI_MODE_NOT_READY)));
        fullScreenController.RevealPointer();
        PostQuitMessage(0);
        return 0;

    case WM_SIZE: {
        const int32_t clientWidth = LOWORD(lParam);
        const int32_t clientHeight = HIWORD(lParam);
        // The toolbar first: the trackbar's right edge follows the toolbar's new one.
        transportToolbar.OnFrameSize(frame, clientWidth, clientHeight);
        statusBar.OnFrameSize(frame, clientWidth, clientHeight);
        videoHost.OnFrameSize(frame, clientWidth, clientHeight);
        positionTrackbar.OnFrameSize(frame, clientWidth, clientHeight);
        return 0;
    }

    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header == nullptr) {
            break;
        }
        if (header->code == static_cast<UINT>(TTN_NEEDTEXTA)) {
            return OnToolTipText(frame, wParam, lParam);
        }
        if (header->code == static_cast<UINT>(NM_LDOWN)) {
            // A click on the toolbar must not leave the keyboard focus there, or the
            // frame's keys stop working.
            if (header->idFrom == IDC_TOOLBAR) {
                SetFocus(frame);
            }
            return 0;
        }
        break;
    }

    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            if (fullScreenController.mode == FullScreen) {
                fullScreenController.Leave();
                RefreshMenu();
            }
            return 0;
        }
        // Held down, the key repeats and each repeat seeks again.
        if (wParam == VK_LEFT || wParam == VK_RIGHT) {
            SeekSteps(wParam == VK_LEFT ? -1 : 1);
            return 0;
        }
        // The context-menu key: Wine's default handling ignores it (Shift+F10 it turns into
        // WM_CONTEXTMENU, below).
        if (wParam == VK_APPS) {
            videoHost.ShowContextMenuAtArea();
            return 0;
        }
        break;

    case WM_KEYUP:
        // Windows' default handling asks for the context menu on the key's release: it has
        // been shown on the press already.
        if (wParam == VK_APPS) {
            return 0;
        }
        break;

    case WM_MOUSEWHEEL:
        return OnMouseWheel(frame, wParam, lParam);

    case WM_CONTEXTMENU:
        // Shift+F10 and the context-menu key reach the window with the focus, the frame; a
        // mouse's request comes from the video host itself.
        if (FromKeyboard(lParam)) {
            videoHost.ShowContextMenuAtArea();
            return 0;
        }
        break;

    case WM_FOCUS_FRAME: {
        const HWND focus = GetFocus();
        if (focus != nullptr && focus != frame && IsChild(frame, focus)) {
            SetFocus(frame);
        }
        return 0;
    }

    case WM_COMMAND: {
        const WORD id = LOWORD(wParam);
        if (id >= IDM_FIRST && id <= IDM_LAST) {
            return OnCommand(frame, wParam, lParam);
        }
        break;
    }

    case WM_MENUSELECT:
        return OnMenuSelect(frame, wParam, lParam);

    case WM_INITMENUPOPUP: {
        // The Mute mark says what the mixer has as the Play popup opens: the user may have
        // changed it in the system's mixer. Only that popup opens the mixer.
        const HMENU popup = reinterpret_cast<HMENU>(wParam);
        if (GetMenuState(popup, IDM_MUTE, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
            int32_t percent = 0;
            bool muted = false;
            CheckMute(soundVolume.Read(&percent, &muted) && muted);
        }
        return 0;
    }

    case WM_APPCOMMAND: {
        // The keyboard's media keys; the rest (the volume keys among them) go on to the system.
        const MediaKeyAction action = MediaKeyActionOf(GET_APPCOMMAND_LPARAM(lParam), playerState);
        if (!action.handled) {
            break;
        }
        if (action.commandId != 0) {
            OnCommand(frame, static_cast<WPARAM>(action.commandId), 0);
        }
        return TRUE;
    }

    case WM_SETCURSOR:
        // Every mouse message over the frame and its children asks the frame first.
        fullScreenController.OnMouseMessage(HIWORD(lParam));
        break;

    case WM_TIMER:
        if (wParam == POINTER_TIMER) {
            fullScreenController.OnPointerTimer();
            return 0;
        }
        break;

    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
        fullScreenController.OnMenuLoop(message == WM_ENTERMENULOOP);
        break;

    case WM_ACTIVATE:
        // A dialog, a message box or another program took over: the pointer is theirs.
        if (LOWORD(wParam) == WA_INACTIVE) {
            fullScreenController.RevealPointer();
        }
        break;

    case WM_DROPFILES:
        OpenDroppedFile(frame, reinterpret_cast<HDROP>(wParam));
        return 0;

    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_LBUTTONDOWN) {
            SetFocus(frame);
            // The notification comes before the press itself, in which a control such as the
            // trackbar takes the focus: take it back after that.
            PostMessageA(frame, WM_FOCUS_FRAME, 0, 0);
        }
        return 0;

    case WM_SIZING:
        return OnSizing(frame, wParam, lParam);

    case WM_GETMINMAXINFO: {
        // A window manager resizes the frame itself and sends no WM_SIZING: the floor goes to
        // it as the minimum tracking size (Windows applies it to every sizing too).
        MINMAXINFO* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize.x = Scaled(MIN_FRAME_WIDTH, dpi);
        limits->ptMinTrackSize.y = Scaled(MIN_FRAME_HEIGHT, dpi);
        return 0;
    }

    case WM_DPICHANGED:
        return OnDpiChanged(frame, wParam, lParam);

    default:
        break;
    }
    return DefWindowProcA(frame, message, wParam, lParam);
}

LRESULT MainFrame::OnCommand(HWND frame, WPARAM wParam, LPARAM lParam) {
    // The low word alone: menu items (high word 0), accelerators (1) and toolbar buttons run
    // the same handler.
    switch (LOWORD(wParam)) {
    case IDM_PLAYPAUSE:
        PlayPause();
        break;
    case IDM_OPEN:
        OpenMovie(frame);
        break;
    case IDM_CLOSE:
        CloseMovie(frame);
        // In full screen the frame keeps its size, so the host gets no size message that
        // would take the closed movie's scroll bars away.
        videoHost.UpdateScrollBars();
        break;
    case IDM_EXIT:
        DestroyWindow(frame);
        break;
    case IDM_STOP:
        Stop();
        break;
    case IDM_BEGINNING:
        GoToBeginning();
        break;
    case IDM_REWIND:
        StepBack();
        break;
    case IDM_FORWARD:
        StepForward();
        break;
    case IDM_END:
        GoToEnd();
        break;
    case IDM_FULLSCREEN:
        if (fullScreenController.mode == Windowed) {
            fullScreenController.Enter();
        } else {
            fullScreenController.Leave();
        }
        RefreshMenu();
        break;
    case IDM_REPEAT:
        return ToggleRepeat(frame, wParam, lParam);
    case IDM_ABOUT:
        return ShowAbout(frame, wParam, lParam);
    case IDM_ZOOM50:
        return ZoomTo(frame, 50);
    case IDM_ZOOM100:
        return ZoomTo(frame, 100);
    case IDM_ZOOM200:
        return ZoomTo(frame, 200);
    case IDM_ZOOMFIT:
        return ZoomToFit(frame);
    case IDM_NEXTFRAME:
        StepFrame(1);
        break;
    case IDM_PREVFRAME:
        StepFrame(-1);
        break;
    case IDM_VOLUMEUP:
        return StepVolume(1);
    case IDM_VOLUMEDOWN:
        return StepVolume(-1);
    case IDM_MUTE:
        return ToggleMute();
    default:
        break;
    }
    return 0;
}

bool MainFrame::RefreshMenu() {
    if (window == nullptr) {
        return false;
    }
    const HMENU menu = CurrentMenu();
    if (menu == nullptr) {
        return false;
    }
    const auto apply = [menu](const MenuItemRule& rule) {
        const UINT id = static_cast<UINT>(rule.commandId);
        if (rule.isCheck) {
            CheckMenuItem(menu, id, MF_BYCOMMAND | rule.value);
        } else {
            EnableMenuItem(menu, id, MF_BYCOMMAND | rule.value);
        }
    };
    for (const MenuItemRule& rule :
         MenuRules(playerState, fullScreenController.mode, repeat, zoomPercent, zoomFit)) {
        apply(rule);
    }
    for (const MenuItemRule& rule : FrameStepRules(playerState)) {
        apply(rule);
    }
    return true;
}

HMENU MainFrame::CurrentMenu() const {
    // Full screen keeps the detached menu bar current, so it is right when it comes back and
    // when its Play popup serves as the context menu.
    return fullScreenController.mode == FullScreen ? fullScreenController.savedMenu
                                                   : GetMenu(window);
}

LRESULT MainFrame::StepVolume(int32_t direction) {
    int32_t percent = 0;
    bool muted = false;
    // At 100 % up and at 0 % down nothing changes, the mute included.
    if (soundVolume.Read(&percent, &muted)) {
        const int32_t stepped = SteppedVolume(percent, direction);
        if (stepped != percent) {
            soundVolume.SetPercent(stepped);
        }
    }
    ShowSound();
    return 0;
}

LRESULT MainFrame::ToggleMute() {
    int32_t percent = 0;
    bool muted = false;
    if (soundVolume.Read(&percent, &muted)) {
        soundVolume.SetMuted(!muted);
    }
    ShowSound();
    return 0;
}

void MainFrame::ShowSound() {
    int32_t percent = 0;
    bool muted = false;
    char text[VOLUME_TEXT_SIZE] = "";
    const bool known =
        soundVolume.Read(&percent, &muted) && VolumeText(percent, muted, text, sizeof text);
    statusBar.ShowHelpText(known ? text : NO_SOUND_DEVICE_TEXT);
    CheckMute(known && muted);
}

void MainFrame::CheckMute(bool muted) {
    const HMENU menu = CurrentMenu();
    if (menu != nullptr) {
        CheckMenuItem(menu, IDM_MUTE, MF_BYCOMMAND | (muted ? MF_CHECKED : MF_UNCHECKED));
    }
}

bool MainFrame::FitToMovie(int32_t movieWidth, int32_t movieHeight) {
    const HWND host = videoHost.GetWindow();
    if (window == nullptr || transportToolbar.GetWindow() == nullptr ||
        statusBar.GetWindow() == nullptr || host == nullptr ||
        fullScreenController.mode != Windowed || zoomFit) {
        // Fit to Window fits the picture to the frame, never the frame to the movie.
        return false;
    }
    const int32_t maxWidth = GetSystemMetrics(SM_CXMAXIMIZED);
    const int32_t maxHeight = GetSystemMetrics(SM_CYMAXIMIZED);

    const WindowMetrics metrics;
    const Placement current = {metrics.Left(window), metrics.Top(window), metrics.Width(window),
                               metrics.Height(window)};
    // The host's client area is measured with the scroll bars it shows now.
    const Placement fitted =
        FitFrame(current, metrics.ClientWidth(host), metrics.ClientHeight(host), movieWidth,
                 movieHeight, maxWidth, maxHeight, dpi);
    MoveWindow(window, fitted.x, fitted.y, fitted.width, fitted.height, TRUE);
    return true;
}

LRESULT MainFrame::ToggleRepeat(HWND, WPARAM, LPARAM) {
    repeat = !repeat;
    RefreshMenu();
    return 0;
}

LRESULT MainFrame::ZoomTo(HWND, int32_t percent) {
    const bool wasFit = zoomFit;
    zoomFit = false;
    zoomPercent = percent;
    // The movie window resizes itself and reports its new size; the host then fits the frame.
    const HWND movie = movieWindow.GetWindow();
    if (movie != nullptr) {
        movieWindow.SetZoom(percent);
        // A fitted picture that happened to have the zoomed size brings no size report.
        if (wasFit) {
            videoHost.OnMovieSize(movie);
        }
    }
    RefreshMenu();
    return 0;
}

LRESULT MainFrame::ZoomToFit(HWND) {
    zoomFit = true;
    // The frame keeps its size; the host lays the picture out in it.
    if (movieWindow.GetWindow() != nullptr) {
        videoHost.UpdateScrollBars();
    }
    RefreshMenu();
    return 0;
}

LRESULT MainFrame::ShowAbout(HWND frame, WPARAM, LPARAM) {
    AboutDialog about;
    about.Show(application.GetInstance(), frame);
    return 0;
}

LRESULT MainFrame::OnMenuSelect(HWND, WPARAM wParam, LPARAM lParam) {
    const UINT flags = HIWORD(wParam);
    const HMENU menu = reinterpret_cast<HMENU>(lParam);
    if (flags == MENU_CLOSED_FLAGS && menu == nullptr) {
        // Part 0 keeps the last help text; the state and time parts are rewritten.
        statusBar.RefreshStatus();
    } else if ((flags & (MF_SYSMENU | MF_POPUP)) != 0) {
        statusBar.ShowHelpText("");
    } else {
        statusBar.ShowHelpText(HelpText(LOWORD(wParam)));
    }
    return 0;
}

LRESULT MainFrame::OnToolTipText(HWND, WPARAM, LPARAM lParam) {
    TOOLTIPTEXTA* request = reinterpret_cast<TOOLTIPTEXTA*>(lParam);
    // For toolbar buttons idFrom is the command id; anything wider is no command.
    const UINT_PTR idFrom = request->hdr.idFrom;
    const int32_t commandId = idFrom <= 0xFFFF ? static_cast<int32_t>(idFrom) : 0;
    const char* text = ToolTipText(commandId);
    // The control shows szText: the text pointer and the other fields stay as it set them.
    size_t i = 0;
    for (; i + 1 < sizeof request->szText && text[i] != '\0'; ++i) {
        request->szText[i] = text[i];
    }
    request->szText[i] = '\0';
    return 0;
}

LRESULT MainFrame::OnMouseWheel(HWND, WPARAM wParam, LPARAM lParam) {
    // The wheel message goes to the window with the focus (or, on some systems, the one under
    // the mouse) and comes up to the frame from its children: only a wheel over the video area
    // and the picture in it seeks.
    const HWND host = videoHost.GetWindow();
    RECT area = {0, 0, 0, 0};
    POINT point = {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
    if (host == nullptr || !GetClientRect(host, &area) || !ScreenToClient(host, &point) ||
        !PtInRect(&area, point)) {
        return 0;
    }
    const WheelSteps steps = WheelStepsOf(wheelRemainder, static_cast<int16_t>(HIWORD(wParam)));
    wheelRemainder = steps.remainder;
    SeekSteps(steps.steps);
    return 0;
}

LRESULT MainFrame::OnSizing(HWND frame, WPARAM, LPARAM lParam) {
    RECT* proposed = reinterpret_cast<RECT*>(lParam);
    RECT current = {0, 0, 0, 0};
    if (proposed == nullptr || !GetWindowRect(frame, &current)) {
        return 0;
    }
    const Edges kept =
        SizingRule({proposed->left, proposed->top, proposed->right, proposed->bottom},
                   {current.left, current.top, current.right, current.bottom}, dpi);
    proposed->left = kept.left;
    proposed->top = kept.top;
    proposed->right = kept.right;
    proposed->bottom = kept.bottom;
    return 0;
}

LRESULT MainFrame::OnDpiChanged(HWND frame, WPARAM wParam, LPARAM lParam) {
    const int32_t newDpi = LOWORD(wParam);
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    if (newDpi <= 0 || suggested == nullptr) {
        return 0;
    }
    dpi = newDpi;
    // The controls take their new sizes and fonts first, so that the layout below, which the
    // frame's new size brings, measures them as they now are.
    transportToolbar.OnDpiChanged(newDpi);
    statusBar.OnDpiChanged(newDpi);
    positionTrackbar.OnDpiChanged(newDpi);
    RECT before = {0, 0, 0, 0};
    GetClientRect(frame, &before);
    // In full screen the frame keeps covering its monitor, whatever its scale.
    if (fullScreenController.mode == Windowed) {
        SetWindowPos(frame, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT after = {0, 0, 0, 0};
    GetClientRect(frame, &after);
    if (after.right == before.right && after.bottom == before.bottom) {
        SendMessageA(frame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(after.right, after.bottom));
    }
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
}
