// A look at an AVI file's structure before the platform reads it: what the platform's AVI
// driver and sound codecs are known to crash or hang on is refused as damaged. Anything that is
// not a RIFF AVI, or is only a little damaged (cut short, an index past the end), passes: the
// platform plays what it can of it, or says itself why it cannot.
#pragma once

#include <cstddef>
#include <cstdint>

// How much of a file's start the check reads at once: the header lists that writers put before
// the movie data, and the first of that data.
const size_t AVI_CHECK_BYTES = 65536;
// Beyond that start the walk reads what it visits in blocks of this size, at most this many: a
// long movie's chunks are not all read before it opens.
const size_t AVI_CHECK_BLOCK = 4096;
const uint32_t AVI_CHECK_READS = 1024;

// Reads count bytes of the file at offset into out; false when it cannot.
struct AviReader {
    bool (*read)(void* context, uint64_t offset, uint8_t* out, size_t count);
    void* context;
};

struct AviCheck {
    int32_t refusal;     // REFUSAL_NONE, REFUSAL_SOUND_NO_PICTURE or REFUSAL_DAMAGED
    const char* finding; // what was found, in a few words; "" when nothing
};

// What the platform does with large sound buffers depends on whether it can have them.
struct AviPlatform {
    // Whether so many bytes can be allocated now (when null: anything in 64 bits, under 2 GB in
    // 32).
    bool (*allocatable)(uint64_t bytes);
    // Whether the sound device prepares, all at once, so many headers of so many bytes each of
    // the sound format given by its first size bytes, at least 18, which it converts (when null:
    // it does).
    bool (*soundPrepares)(const uint8_t* format, size_t size, uint32_t bytes, uint32_t headers);
};

// Checks a file of fileSize bytes from its first size bytes, and from what more reads beyond them
// when it is given, for a process of addressBits-bit pointers.
AviCheck CheckAvi(const uint8_t* bytes, size_t size, uint64_t fileSize,
                  const AviReader* more = nullptr, uint32_t addressBits = 8 * sizeof(void*),
                  const AviPlatform& platform = {nullptr, nullptr});
