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

    ScreenMode mode;
    RECT savedRect;
    LONG savedStyle;
    HMENU savedMenu;
    LONG savedHostExStyle;
};

extern FullScreenController fullScreenController;
