#include "core/Seeking.h"

namespace {

// Products of a position and 200, or of a trackbar position and a length, overflow 32 bits
// for movies longer than about 2 h 59 min; 64 bits hold every product of two 32-bit values.
int32_t ClampToInt32(int64_t value) {
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    return static_cast<int32_t>(value);
}

// A seek's target held to start..end: below the start (or an end before the start) is the
// start, the end or past it is the end.
int32_t ClampToMovie(int64_t target, int32_t start, int32_t end) {
    const int64_t lower = target < end ? target : end;
    if (lower < start) {
        return start;
    }
    if (target >= end) {
        return end;
    }
    // Here start <= target < end, so the target is a 32-bit value.
    return static_cast<int32_t>(target);
}

} // namespace

int32_t TrackPositionOf(int32_t position, int32_t start, int32_t length) {
    // A movie window that could not open its file reports a length of 0.
    if (length <= 0) {
        return 0;
    }
    const int64_t track =
        (static_cast<int64_t>(position) - start) * TRACK_SCALE / static_cast<int64_t>(length);
    if (track < 0) {
        return 0;
    }
    if (track > TRACK_SCALE) {
        return TRACK_SCALE;
    }
    return static_cast<int32_t>(track);
}

int32_t MoviePositionOf(int32_t trackPosition, int32_t start, int32_t length) {
    const int64_t offset = static_cast<int64_t>(trackPosition) * length / TRACK_SCALE;
    return ClampToInt32(start + offset);
}

int32_t StepTarget(int32_t position, int32_t step, int32_t start, int32_t end) {
    return ClampToMovie(static_cast<int64_t>(position) + step, start, end);
}

int32_t SeekTarget(int32_t position, int32_t steps, int32_t start, int32_t end) {
    return ClampToMovie(static_cast<int64_t>(position) + static_cast<int64_t>(steps) * SEEK_STEP_MS,
                        start, end);
}

WheelSteps WheelStepsOf(int32_t carried, int32_t delta) {
    const int64_t total = static_cast<int64_t>(carried) + delta;
    // Division truncates toward 0, so a part of a notch keeps its sign in the remainder.
    const int64_t notches = total / WHEEL_NOTCH;
    WheelSteps result = {ClampToInt32(-notches), static_cast<int32_t>(total % WHEEL_NOTCH)};
    return result;
}

bool IsDoubleClick(const Press& first, const Press& second, uint32_t doubleClickTime, int32_t width,
                   int32_t height) {
    if (!first.valid || !second.valid) {
        return false;
    }
    // The clock wraps after 49.7 days; the difference of two readings does not.
    const uint32_t elapsed = second.time - first.time;
    const int64_t dx = static_cast<int64_t>(second.x) - first.x;
    const int64_t dy = static_cast<int64_t>(second.y) - first.y;
    return elapsed < doubleClickTime && (dx < 0 ? -dx : dx) * 2 < width &&
           (dy < 0 ? -dy : dy) * 2 < height;
}

bool TransportSeekAllowed(PlayerState state) {
    return state == MCI_MODE_STOP || state == MCI_MODE_PAUSE;
}

TrackScrollAction TrackScrollActionOf(int32_t code) {
    TrackScrollAction action = {false, false, false, false, false};
    switch (code) {
    case 0: // TB_LINEUP
    case 1: // TB_LINEDOWN
    case 2: // TB_PAGEUP
    case 3: // TB_PAGEDOWN
        // The control has already moved: its own position is the target.
        action.seek = true;
        action.setSeeking = true;
        break;
    case 5: // TB_THUMBTRACK
        action.seek = true;
        action.fromThumb = true;
        action.setSeeking = true;
        break;
    case 8: // TB_ENDTRACK
        // Seeking stopped a playing movie; the release starts it again.
        action.clearSeeking = true;
        action.resumeIfPlaying = true;
        break;
    default: // TB_THUMBPOSITION, TB_TOP, TB_BOTTOM and anything else
        break;
    }
    return action;
}

bool PositionNotifyApplies(bool seekingNow, PlayerState state) {
    return !seekingNow && state == MCI_MODE_PLAY;
}

EndOfMovieAction EndOfMovieActionOf(int32_t newMode, PlayerState state, bool seekingNow,
                                    bool repeatOn) {
    // A playing movie that reports stopped has run to its end; a stop caused by a seek of the
    // user's own does not count.
    if (newMode != MCI_MODE_STOP || state != MCI_MODE_PLAY || seekingNow) {
        return END_IGNORE;
    }
    return repeatOn ? END_REPEAT : END_STOP;
}
