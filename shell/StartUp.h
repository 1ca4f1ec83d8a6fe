// Start-up: everything WinMain does before its message loop, and the loop itself.
#pragma once

#include <windows.h>

// Steps 1 to 9 of start-up. Returns false, having created nothing further, when the main
// frame could not be created; accelerators receives the loaded table (or null).
bool StartUp(HINSTANCE instance, const char* commandLine, HACCEL* accelerators);

// Runs until the quit message; returns its exit code.
int RunMessageLoop(HACCEL accelerators);
