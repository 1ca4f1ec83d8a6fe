// The threads a movie driver starts for itself, which the player must outlast.
#pragma once

#include <windows.h>

// Waits, handling messages sent from other threads meanwhile, until no thread of this process
// that started inside the named driver module is still running, or until timeoutMs has passed.
// True when none is left (or the driver is not loaded).
bool WaitForDriverThreads(const char* driverModule, DWORD timeoutMs);
