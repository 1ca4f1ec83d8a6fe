// Transport commands, trackbar seeking and the movie window's notifications.
#pragma once

#include <cstdint>

void PlayPause();
void Stop();
void GoToBeginning();
void StepBack();
void StepForward();
void GoToEnd();
// One frame forward (direction > 0) or back, shown; a playing movie is paused first.
void StepFrame(int32_t direction);
// Seeks by steps of 5 s (negative: back) in every state with a movie; the state stays.
void SeekSteps(int32_t steps);
void OnTrackbarScroll(int32_t code, int32_t thumbPosition);
void OnMovieMode(int32_t newMode);
void OnMoviePosition(int32_t position);
