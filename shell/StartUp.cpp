// STUB: to be replaced
#include <windows.h>
#include "shell/StartUp.h"
bool StartUp(HINSTANCE, const char*, HACCEL* accelerators) { *accelerators = nullptr; return false; }
int RunMessageLoop(HACCEL) { return 0; }
