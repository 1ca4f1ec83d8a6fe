// Switches the main frame between the captioned window and a borderless full-screen frame.
#pragma once

#include <windows.h>

#include "core/PlayerState.h"

class FullScreenController {
  public:
    FullScreenController();
    ~FullScreenController() {}
    bool Enter();
    bool Leave();

    // The pointer over the full-screen picture hides once the mouse has been still a while;
    // any use of the mouse, a menu, a dialog, leaving full screen or exit shows it again.
    void OnPointerTimer();
    // A mouse message that reached the frame or one of its children.
    void OnMouseMessage(UINT mouseMessage);
    void OnMenuLoop(bool entering);
    void RevealPointer();

    ScreenMode mode;
    RECT savedRect;
    LONG savedStyle;
    HMENU savedMenu;
    LONG savedHostExStyle;

  private:
    // Notes a use of the mouse, with the pointer's place then, and shows the pointer.
    void NoteMouseUse(POINT cursor);
    bool pointerHidden;
    bool menuOpen;
    POINT lastCursor;
    DWORD lastMouseUse;
};

// The frame's one timer: it runs only in full screen, for the pointer.
const UINT_PTR POINTER_TIMER = 1;

extern FullScreenController fullScreenController;
