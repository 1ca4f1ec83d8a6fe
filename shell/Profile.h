// Marks of the steps of start-up and of an open, for the benchmark's profile. Compiled in only
// when the build asks for them (scripts/bench makes a profiling copy apart); each mark is then
// sent to a debugger and kept, with its time, for the measurements made in the same process.
#pragma once

#ifdef QUILLOTROPE_PROFILE
#include <windows.h>

struct ProfileMark {
    const char* step;
    LONGLONG at; // QueryPerformanceCounter
};

const LONG PROFILE_MARKS = 64;
inline ProfileMark profileMarks[PROFILE_MARKS];
inline LONG profileMarkCount = 0;

inline void ProfileStep(const char* step) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const LONG index = InterlockedIncrement(&profileMarkCount) - 1;
    if (index < PROFILE_MARKS) {
        profileMarks[index].step = step;
        profileMarks[index].at = now.QuadPart;
    }
    OutputDebugStringA(step);
}
#else
inline void ProfileStep(const char*) {}
#endif
