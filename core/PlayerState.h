// The player state and the process-wide values the rules read. No platform headers here:
// this file is built natively too.
#pragma once

#include <cstdint>

// The state takes the platform's MCI mode numbers. A file that needs the platform's own
// headers includes them first, and then their macros are the ones in force.
#ifndef MCI_MODE_NOT_READY
#define MCI_MODE_NOT_READY 524
#define MCI_MODE_STOP 525
#define MCI_MODE_PLAY 526
#define MCI_MODE_PAUSE 529
#endif

typedef int32_t PlayerState;

enum ScreenMode : int32_t { Windowed = 1, FullScreen = 2 };

// Static data: in place before any object is constructed.
extern PlayerState playerState;
extern int32_t zoomPercent;
// Fit to Window: the picture fills the video area; zoomPercent keeps the last zoom chosen.
extern bool zoomFit;
extern bool repeat;
extern bool seeking;
extern const char* pendingPath;

inline bool IsStoredState(PlayerState state) {
    return state == MCI_MODE_NOT_READY || state == MCI_MODE_STOP || state == MCI_MODE_PLAY ||
           state == MCI_MODE_PAUSE;
}
