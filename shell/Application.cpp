// STUB: to be replaced
#include <windows.h>
#include "shell/Application.h"
Application::Application() : instance(nullptr) {}
bool Application::SetInstance(HINSTANCE moduleInstance) { instance = moduleInstance; return true; }
bool Application::SetPlayerState(PlayerState state) { playerState = state; return true; }
