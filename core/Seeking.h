// Seek arithmetic and the decisions of transport, trackbar seeking and the end of the movie.
#pragma once

#include "core/PlayerState.h"

#include <cstdint>

const int32_t TRACK_SCALE = 200;
const int32_t STEP_MS = 1000;

// (position - start) * 200 / length, in a wide intermediate; kept within 0..TRACK_SCALE.
// A length of 0 or less gives 0.
int32_t TrackPositionOf(int32_t position, int32_t start, int32_t length);

// start + p * length / 200, in a wide intermediate, kept within the 32-bit range.
int32_t MoviePositionOf(int32_t trackPosition, int32_t start, int32_t length);

// Rewind/Forward target: position + step, then if the smaller of target and end is below
// start, start; otherwise if target >= end, end.
int32_t StepTarget(int32_t position, int32_t step, int32_t start, int32_t end);

// Left and Right arrow and each wheel notch seek by this much, in every state with a movie.
const int32_t SEEK_STEP_MS = 5000;
// The platform's WHEEL_DELTA: one notch of the wheel.
const int32_t WHEEL_NOTCH = 120;

// Where a seek of steps times SEEK_STEP_MS from position lands (negative: back), clamped to
// start..end as StepTarget clamps it; any number of steps, without overflow.
int32_t SeekTarget(int32_t position, int32_t steps, int32_t start, int32_t end);

// The whole notches in a wheel rotation and what is left of it for the next message. A
// rotation toward the user (a negative delta) seeks forward, the way the thumb of the
// platform's trackbar moves; fine-grained wheels report parts of a notch, which add up.
struct WheelSteps {
    int32_t steps;     // positive: forward
    int32_t remainder; // to carry into the next wheel message
};
WheelSteps WheelStepsOf(int32_t carried, int32_t delta);

// Whether a press of the left button makes a double click with the press before it: within
// the platform's double-click time (a wrapping millisecond clock) and less than half the
// platform's double-click width and height away from the first press, as the platform's own
// double click is decided.
struct Press {
    bool valid;
    uint32_t time;
    int32_t x;
    int32_t y;
};
bool IsDoubleClick(const Press& first, const Press& second, uint32_t doubleClickTime, int32_t width,
                   int32_t height);

// Beginning, Rewind, Forward and End act only when stopped or paused.
bool TransportSeekAllowed(PlayerState state);

// What one trackbar scroll code does.
struct TrackScrollAction {
    bool seek;            // seek to the movie position of a trackbar position
    bool fromThumb;       // that position is the notification's thumb position, else the control's
    bool setSeeking;      // seeking = true before anything is sent
    bool clearSeeking;    // seeking = false
    bool resumeIfPlaying; // tell the movie window to play when the state is playing
};

TrackScrollAction TrackScrollActionOf(int32_t code);

// A position notification moves the trackbar and the time text only then.
bool PositionNotifyApplies(bool seekingNow, PlayerState state);

enum EndOfMovieAction : int32_t { END_IGNORE = 0, END_REPEAT = 1, END_STOP = 2 };

EndOfMovieAction EndOfMovieActionOf(int32_t newMode, PlayerState state, bool seekingNow,
                                    bool repeatOn);
