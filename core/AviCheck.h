// A look at an AVI file's structure before the platform reads it: what the platform's AVI
// driver and sound codecs are known to crash or hang on is refused as damaged. Anything that is
// not a RIFF AVI, or is only a little damaged (cut short, an index past the end), passes: the
// platform plays what it can of it, or says itself why it cannot.
#pragma once

#include <cstddef>
#include <cstdint>

// How much of a file's start the check reads: the header lists that writers put before the
// movie data, and the first of that data.
const size_t AVI_CHECK_BYTES = 65536;

struct AviCheck {
    int32_t refusal;     // REFUSAL_NONE, REFUSAL_SOUND_NO_PICTURE or REFUSAL_DAMAGED
    const char* finding; // what was found, in a few words; "" when nothing
};

// Checks the first size bytes of a file of fileSize bytes (size is at most fileSize).
AviCheck CheckAvi(const uint8_t* bytes, size_t size, uint64_t fileSize);
