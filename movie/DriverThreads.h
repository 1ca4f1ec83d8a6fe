// The threads a movie driver starts for itself, which the player must outlast.
//
// Wine's AVI driver (mciavi32) plays each movie on a thread of its own, which runs on for up to
// a frame after a stop or a pause has returned; the player waits for such threads. A driver may
// also keep threads of its own for as long as a device is open (Windows' is not known not to):
// those run already when the device has opened, before any play, and are never waited for.
#pragma once

#include <windows.h>

// The driver's threads that run while a device is open and not playing.
struct StandingThreads {
    static const DWORD MAX_COUNT = 8;
    DWORD ids[MAX_COUNT];
    DWORD count;
};

// Lists the running threads of this process that started inside the named driver module.
void ListStandingThreads(const char* driverModule, StandingThreads* standing);

// The running threads of this process that started inside the named driver module.
int CountDriverThreads(const char* driverModule);

// Waits, handling messages sent from other threads meanwhile, until no thread of this process
// that started inside the named driver module, other than the standing ones, is still running,
// or until timeoutMs has passed. True when none is left (or the driver is not loaded).
bool WaitForDriverThreads(const char* driverModule, const StandingThreads& standing,
                          DWORD timeoutMs);
