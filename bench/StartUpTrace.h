// A program's start-up as a debugger sees it: when each DLL is loaded and each mark of
// shell/Profile.h is sent, counted from the CreateProcessA call, until a condition holds.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct TraceStep {
    std::string step;
    double ms;
};

// QueryPerformanceCounter in milliseconds.
double NowMs();

// Starts the command line under this debugger and records its steps until done(the process's
// first thread) holds ("first frame on screen"), then ends the process. False when it could not
// be started or done() did not hold within timeoutMs.
bool TraceStartUp(const std::string& commandLine, const std::function<bool(DWORD)>& done,
                  DWORD timeoutMs, std::vector<TraceStep>* steps);
