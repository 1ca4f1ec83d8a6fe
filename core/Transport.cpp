// STUB: to be replaced
#include <windows.h>
#include "core/Transport.h"
void PlayPause() {}
void Stop() {}
void GoToBeginning() {}
void StepBack() {}
void StepForward() {}
void GoToEnd() {}
void OnTrackbarScroll(int32_t, int32_t) {}
void OnMovieMode(int32_t) {}
void OnMoviePosition(int32_t) {}
