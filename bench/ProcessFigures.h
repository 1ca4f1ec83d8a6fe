// What a process holds: its windows, GDI objects, kernel handles, memory and CPU time, read
// through the documented calls, or where Wine 8 leaves those empty (GetGuiResources,
// GetProcessHandleCount, PrivateUsage) through what it does keep.
#pragma once

#include <windows.h>

struct Handles {
    long user;   // USER objects, or under Wine the process's windows
    long gdi;    // GDI objects, or under Wine the used entries of its GDI handle table
    long kernel; // kernel handles
};

struct Memory {
    double privateBytes;
    double peakPrivateBytes;
    double peakWorkingSet;
};

// Which figures came from a substitute rather than from the documented call.
struct FigureSources {
    bool userFromWindows = false;
    bool gdiFromTable = false;
    bool handlesFromSystem = false;
    bool privateFromPagefile = false;
};

// From SystemProcessInformation: the process's CPU time and the size of its handle table.
struct SystemProcessFigures {
    bool found;
    double cpuMs;
    long handleCount;
};

// The windows of a process: its top-level windows and all their descendants.
long CountWindows(DWORD processId);
Handles ReadHandles(HANDLE process, DWORD processId, FigureSources* sources);
Memory ReadMemory(HANDLE process, FigureSources* sources);
SystemProcessFigures QuerySystemProcess(DWORD processId);
