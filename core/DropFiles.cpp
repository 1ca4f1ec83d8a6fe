#include "core/DropFiles.h"

namespace {

// The block's numbers are little-endian, whatever the machine reading it.
uint32_t ReadUint32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

} // namespace

DroppedName FirstDroppedName(const uint8_t* block, size_t size) {
    DroppedName name = {false, false, 0, 0};
    if (block == nullptr || size < DROP_HEADER_SIZE) {
        return name;
    }
    const size_t offset = ReadUint32(block);
    name.wide = ReadUint32(block + 16) != 0;
    name.offset = offset;
    if (offset < DROP_HEADER_SIZE || offset >= size) {
        return name;
    }
    const size_t unit = name.wide ? 2 : 1;
    size_t length = 0;
    for (size_t at = offset; at + unit <= size; at += unit, ++length) {
        const bool terminator = block[at] == 0 && (unit == 1 || block[at + 1] == 0);
        if (terminator) {
            // An empty first name is the end of an empty list.
            name.found = length > 0;
            name.length = length;
            return name;
        }
    }
    return name;
}
