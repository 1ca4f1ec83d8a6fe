// The threads a movie driver starts for itself, which the player must outlast.
//
// Wine's AVI driver (mciavi32) plays each movie on a thread of its own, which runs on for up to
// a frame after a stop or a pause has returned. Windows' driver is not known to do so, and may
// keep threads of its own for as long as a device is open: only under Wine does the player
// wait for them.
#pragma once

#include <windows.h>

// Whether the driver's threads must be waited for: true under Wine.
bool DriverThreadsOutliveStop();

// The running threads of this process that started inside the named driver module.
int CountDriverThreads(const char* driverModule);

// Waits, handling messages sent from other threads meanwhile, until no thread of this process
// that started inside the named driver module is still running, or until timeoutMs has passed.
// True when none is left (or the driver is not loaded).
bool WaitForDriverThreads(const char* driverModule, DWORD timeoutMs);
