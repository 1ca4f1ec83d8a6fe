// The program's own volume: percent steps, the mixer control's range, the status text.
#pragma once

#include <cstdint>

// Volume Up and Down move by this many percentage points, on a grid of its multiples.
const int32_t VOLUME_STEP = 5;

// Room for the volume's status text, terminator included.
const int32_t VOLUME_TEXT_SIZE = 16;

// What status part 0 shows when the system has no sound device to set.
extern const char NO_SOUND_DEVICE_TEXT[];

// A control value as a percent of the control's range, rounded to the nearest; values outside
// the range are held at 0 or 100, an empty or reversed range reads as 100 at its top.
int32_t VolumePercentOf(uint32_t value, uint32_t minimum, uint32_t maximum);

// The control value for a percent (held within 0..100), rounded to the nearest.
uint32_t VolumeValueOf(int32_t percent, uint32_t minimum, uint32_t maximum);

// The volume after one step up (direction > 0) or down: the next multiple of VOLUME_STEP in
// that direction, held within 0..100. A volume that the system set off the grid goes to the
// grid first (47 goes up to 50, down to 45).
int32_t SteppedVolume(int32_t percent, int32_t direction);

// "Volume 45%" or "Muted"; false (and the empty text) when the buffer is too small.
bool VolumeText(int32_t percent, bool muted, char* buffer, int32_t size);
