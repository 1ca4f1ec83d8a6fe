// The module instance and the one operation that changes the player state.
#include <windows.h>

#include "shell/Application.h"
#include "core/Rules.h"
#include "shell/MainFrame.h"
#include "shell/TransportToolbar.h"
#include "shell/StatusBar.h"
#include "shell/PositionTrackbar.h"

Application::Application() : instance(nullptr) {}

bool Application::SetInstance(HINSTANCE moduleInstance) {
    instance = moduleInstance;
    return true;
}

bool Application::SetPlayerState(PlayerState state) {
    playerState = state;
    // A playing movie keeps the display and the system awake; any other state lets them rest.
    SetThreadExecutionState(static_cast<EXECUTION_STATE>(ExecutionStateOf(state)));
    // Each view refreshes itself only if its window exists; their results do not matter here.
    mainFrame.RefreshMenu();
    transportToolbar.RefreshButtons();
    statusBar.RefreshStatus();
    positionTrackbar.RefreshTrackbar();
    return true;
}
