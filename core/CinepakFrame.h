// One Cinepak frame followed as the platform's decoder reads it, for where it draws.
#pragma once

#include <cstddef>
#include <cstdint>

// Whether the decoder draws a block of the frame at a row at or below `height`, the rows of a
// bottom-up picture of that width and height. Its strips say how far down they reach and
// nothing holds them to the picture; a 64-bit decoder then writes about 4 GB past its buffer.
// A frame that ends before the decoder has read what it needs tells nothing: false.
bool CinepakDrawsBelow(const uint8_t* frame, size_t size, uint32_t width, uint32_t height);
