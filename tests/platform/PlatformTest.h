// Helpers for tests that run on the platform: message pumping with deadlines, answering modal
// dialogs and popup menus from inside their own loop, finding and measuring windows, watching
// a window's messages, and the generated test movies.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

// Pumps this thread's messages until done() holds or timeoutMs passes; returns done().
bool PumpUntil(const std::function<bool()>& done, uint32_t timeoutMs);

// Pumps whatever is queued now (and what that brings) without waiting.
void PumpPending();

// Windows path of a generated movie or file in the fixtures folder.
std::string FixturePath(const char* name);

// Whether the program runs under Wine (only to mark a known deviation in a test).
bool RunningUnderWine();

// Answers the next modal dialog that appears on this thread while the caller is blocked in
// it: a timer (running inside the dialog's own modal loop) finds a visible top-level window
// of class "#32770" owned by this thread and calls answer(dialog). A fallback sends IDCANCEL
// after timeoutMs so that a test never waits for a person. Let it go out of scope when done.
class DialogAnswerer {
  public:
    DialogAnswerer(std::function<void(HWND)> answer, uint32_t timeoutMs = 10000);
    ~DialogAnswerer();
    int AnsweredCount() const;
    // The caption of the last dialog answered.
    std::string LastCaption() const;
    // The text of the last message box answered ("" for another dialog).
    std::string LastText() const;
};

// Posts a command to a dialog the way its button would.
void PressDialogButton(HWND dialog, int id);

// What a popup menu showed, seen from inside its own loop.
struct PopupSeen {
    bool seen = false;
    RECT rect = {};
    HMENU menu = nullptr;
    std::map<UINT, UINT> states; // by command id, of the ids asked for
    // The menu state of an item asked for, or 0xFFFFFFFF.
    UINT StateOf(UINT id) const;
};

// Calls show(), which is to open a popup menu, with a timer that runs inside the menu's loop:
// once this process's popup window is visible it notes where the window is, which menu it
// shows and the states of the items ids, then presses keys in it. A menu still open a few
// seconds later is ended, so that a test never waits for a person.
PopupSeen WatchPopupMenu(const std::function<void()>& show, const std::vector<UINT>& ids,
                         const std::vector<WPARAM>& keys);

// --- Windows ---------------------------------------------------------------------------------

std::string WindowText(HWND window);
std::string ClassOf(HWND window);

// This process's first top-level window of a class (only a visible one if asked). Every process
// in the Wine prefix shares one window list, so FindWindowA would also see other test
// processes' windows.
HWND FindOwnWindow(const char* className, bool visibleOnly = false);

// The first descendant of parent whose class is className, in any case.
HWND FindDescendant(HWND parent, const char* className);

// A visible 500 x 400 top-level window of a class registered here with this procedure; nullptr
// when the class cannot be registered.
HWND CreateTopLevelWindow(const char* className, WNDPROC procedure, const char* title);

RECT OuterRect(HWND window);
SIZE OuterSize(HWND window);
SIZE ClientSize(HWND window);
// A window's client pixels as the platform holds them (0xRRGGBB), row by row.
std::vector<DWORD> ClientPixels(HWND window, SIZE* size);
// The window's outer rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);
bool SameRect(const RECT& a, const RECT& b);
// A point as messages carry it in lParam.
LPARAM ScreenPoint(int x, int y);

// --- The real mouse ----------------------------------------------------------------------

// A click of the left button at a point of the screen, through the platform's input queue as
// a user's click comes: the pointer moves there (waited for), then the button goes down and
// up, stamped with time (0: the system's clock). The caller pumps to have it handled.
bool ClickAt(int x, int y, DWORD time = 0);

// --- Keys ------------------------------------------------------------------------------------

// Sets this thread's keyboard state to no key down but the modifiers named.
void HoldModifiers(bool control, bool alt, bool shift = false);

// A key press as the message loop meets it; with Alt held the platform reports a system key.
MSG KeyDownMessage(HWND window, WPARAM key, bool alt);

// --- Watching a window -----------------------------------------------------------------------

// Puts OnMessage in front of a window's own procedure for as long as the spy lives, one spy a
// window at a time. OnMessage passes a message on with CallOriginal.
class WindowSpy {
  public:
    explicit WindowSpy(HWND window);
    virtual ~WindowSpy();
    WindowSpy(const WindowSpy&) = delete;
    WindowSpy& operator=(const WindowSpy&) = delete;
    // Whether the window's procedure was replaced.
    bool Installed() const { return original != nullptr; }

  protected:
    virtual LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND spied = nullptr;
    WNDPROC original = nullptr;
};
