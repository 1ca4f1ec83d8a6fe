#include "core/PlayerState.h"

PlayerState playerState = MCI_MODE_NOT_READY;
int32_t zoomPercent = 100;
bool zoomFit = false;
bool repeat = false;
bool seeking = false;
const char* pendingPath = nullptr;
