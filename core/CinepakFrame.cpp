#include "core/CinepakFrame.h"

namespace {

// The decoder takes no strips past this many.
const uint32_t MOST_STRIPS = 32;
// Nor has room for more codebook entries.
const uint32_t CODEBOOK_ENTRIES = 260;

// The decoder's read position: it reads on from wherever its own counts left it, whatever the
// chunk sizes said. Past the frame's end it reads what its buffer held before, which is unknown
// here: `past` then ends the walk.
struct Cursor {
    const uint8_t* bytes;
    size_t size;
    size_t at = 0;
    bool past = false;

    uint32_t Take(size_t count) {
        if (past || count > size - at) {
            past = true;
            return 0;
        }
        uint32_t value = 0;
        for (size_t i = 0; i < count; ++i) {
            value = value << 8 | bytes[at + i];
        }
        at += count;
        return value;
    }
    void Skip(int32_t count) {
        if (count <= 0 || past) {
            return;
        }
        if (static_cast<size_t>(count) > size - at) {
            past = true;
            return;
        }
        at += static_cast<size_t>(count);
    }
};

// Where the next block goes, and how far down the strips so far reach (all 32-bit, as the
// decoder's are).
struct Blocks {
    uint32_t width;
    uint32_t height;
    uint32_t x = 0;
    uint32_t y = 0;
    uint32_t bottom = 0;
    bool below = false;

    bool More() const { return y < bottom; }
    void Draw() { below = below || y >= height; }
    void Next() {
        x += 4;
        if (x >= width) {
            x = 0;
            y += 4;
        }
    }
};

// A codebook chunk: whole (entries of 6 or 4 bytes, no remainder skipped) or in part (a flag
// word before each 32 entries). False when it writes past the codebook: the walk stops there.
bool ReadCodebook(Cursor& in, uint32_t id, int32_t size) {
    const int32_t entry = (id & 0x0400) != 0 ? 4 : 6;
    if ((id & 0x0100) == 0) {
        const uint32_t entries = static_cast<uint32_t>(size / entry);
        if (entries > CODEBOOK_ENTRIES) {
            return false;
        }
        in.Skip(static_cast<int32_t>(entries) * entry);
        return true;
    }
    uint32_t index = 0;
    while (size > 0 && !in.past) {
        uint32_t flags = in.Take(4);
        size -= 4;
        for (int i = 0; i < 32; ++i, ++index, flags <<= 1) {
            if ((flags & 0x80000000u) != 0) {
                if (index >= CODEBOOK_ENTRIES) {
                    return false;
                }
                size -= entry;
                in.Take(static_cast<size_t>(entry));
            }
        }
    }
    in.Skip(size);
    return true;
}

// One block drawn where the next goes, after its bytes (one, or four for four codebook entries).
void DrawBlock(Cursor& in, int32_t& size, Blocks& blocks, bool four) {
    in.Take(four ? 4 : 1);
    size -= four ? 4 : 1;
    blocks.Draw();
}

// A vector chunk: every block a flag bit (0x3000: one byte or four), two flag bits with a skip
// (0x3100), or one byte each (0x3200), while the strips reach further down.
void ReadVectors(Cursor& in, uint32_t id, int32_t size, Blocks& blocks) {
    if (id == 0x3000) {
        while (size > 0 && blocks.More() && !in.past) {
            uint32_t flags = in.Take(4);
            size -= 4;
            for (int i = 0; i < 32 && blocks.More(); ++i, flags <<= 1) {
                DrawBlock(in, size, blocks, (flags & 0x80000000u) != 0);
                blocks.Next();
            }
        }
    } else if (id == 0x3100) {
        while (size > 0 && blocks.More() && !in.past) {
            uint32_t flags = in.Take(4);
            size -= 4;
            uint32_t mask = 0x80000000u;
            while (mask != 0 && blocks.More() && !in.past) {
                if ((flags & mask) != 0) {
                    if (mask == 1) {
                        if (size < 0) {
                            break;
                        }
                        flags = in.Take(4);
                        size -= 4;
                        mask = 0x80000000u;
                    } else {
                        mask >>= 1;
                    }
                    DrawBlock(in, size, blocks, (flags & mask) != 0);
                }
                mask >>= 1;
                blocks.Next();
            }
        }
    } else {
        while (size > 0 && blocks.More() && !in.past) {
            DrawBlock(in, size, blocks, false);
            blocks.Next();
        }
    }
    in.Skip(size);
}

} // namespace

bool CinepakDrawsBelow(const uint8_t* frame, size_t size, uint32_t width, uint32_t height) {
    Cursor in = {frame, frame == nullptr ? 0 : size};
    in.Take(4); // flags and length
    in.Take(4); // width and height, which the decoder does not use
    const uint32_t strips = in.Take(2);
    if (in.past || strips >= MOST_STRIPS) {
        return false;
    }
    Blocks blocks = {width, height};
    for (uint32_t strip = 0; strip < strips && !in.past; ++strip) {
        in.Take(2); // key or inter strip
        int32_t left = static_cast<int32_t>(in.Take(2)) - 12;
        in.Take(4);                  // its top and left, unused
        blocks.bottom += in.Take(2); // its height, added to the rows before it
        in.Take(2);                  // its width, only warned about
        blocks.x = 0;
        while (left > 0 && !in.past) {
            const uint32_t id = in.Take(2);
            const int32_t chunk = static_cast<int32_t>(in.Take(2));
            left -= chunk;
            const int32_t size = chunk - 4;
            if (in.past) {
                break;
            }
            if (id >= 0x2000 && id <= 0x2700 && (id & 0xFF) == 0) {
                if (!ReadCodebook(in, id, size)) {
                    return false;
                }
            } else if (id == 0x3000 || id == 0x3100 || id == 0x3200) {
                ReadVectors(in, id, size, blocks);
            } else {
                in.Skip(size);
            }
            if (blocks.below) {
                return true;
            }
        }
    }
    return blocks.below;
}
