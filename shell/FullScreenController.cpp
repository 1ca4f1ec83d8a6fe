// STUB: to be replaced
#include <windows.h>
#include "shell/FullScreenController.h"
FullScreenController::FullScreenController()
    : mode(Windowed), savedRect{0, 0, 0, 0}, savedStyle(0), savedMenu(nullptr), savedHostExStyle(0) {}
bool FullScreenController::Enter() { return false; }
bool FullScreenController::Leave() { return false; }
