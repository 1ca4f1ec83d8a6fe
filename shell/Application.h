// The module instance and the one operation that changes the player state.
#pragma once

#include <windows.h>

#include "core/PlayerState.h"

class Application {
  public:
    Application();
    ~Application() {}
    bool SetInstance(HINSTANCE moduleInstance);
    HINSTANCE GetInstance() const { return instance; }
    // Stores the state, then refreshes the menu, the buttons, the status bar and the trackbar.
    bool SetPlayerState(PlayerState state);

  private:
    HINSTANCE instance;
};

extern Application application;
