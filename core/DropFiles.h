// The names in a block of dropped files as the shell builds it (DROPFILES): a 20-byte header
// (the offset of the list, the drop point, a non-client flag and a wide-names flag), then the
// names, each ended by a NUL, the list ended by one more NUL.
#pragma once

#include <cstddef>
#include <cstdint>

const size_t DROP_HEADER_SIZE = 20;

struct DroppedName {
    bool found;    // false: no name, or a block that is not well formed
    bool wide;     // UTF-16 units; else 8-bit characters of the ANSI code page
    size_t offset; // of the name's first byte in the block
    size_t length; // in characters (UTF-16 units when wide), the terminator not counted
};

// Where the first name of a block of size bytes lies. A block shorter than its header, a list
// that starts inside the header or past the end, an empty list, or a first name without its
// terminator inside the block gives found false.
DroppedName FirstDroppedName(const uint8_t* block, size_t size);
