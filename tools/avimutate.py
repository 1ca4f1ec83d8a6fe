#!/usr/bin/env python3
"""Writes damaged copies of AVI movies, to see how the player copes with them (scripts/fuzz).

    avimutate.py SEED_DIR OUT_DIR COUNT [--seed S]

For every SEED_DIR/*.avi, COUNT copies OUT_DIR/<seed name>-<nnnn>.avi, each with one to three
mutations that know the file's RIFF tree: a header field or a chunk's size set to a value that
tends to break readers, a chunk id or list type changed, the file cut, a chunk duplicated or
deleted, frame bytes flipped, index entries damaged. One line per file says what was done.
The same arguments always give the same bytes: each file has a random generator of its own.
"""
import argparse
import pathlib
import random
import struct
import sys

# The fields of the headers, as (name, offset, width); a width of 4 with a name in FOURCC
# holds four letters rather than a number.
AVIH = [("dwMicroSecPerFrame", 0, 4), ("dwMaxBytesPerSec", 4, 4), ("dwFlags", 12, 4),
        ("dwTotalFrames", 16, 4), ("dwInitialFrames", 20, 4), ("dwStreams", 24, 4),
        ("dwSuggestedBufferSize", 28, 4), ("dwWidth", 32, 4), ("dwHeight", 36, 4)]
STRH = [("fccType", 0, 4), ("fccHandler", 4, 4), ("dwFlags", 8, 4), ("dwInitialFrames", 16, 4),
        ("dwScale", 20, 4), ("dwRate", 24, 4), ("dwStart", 28, 4), ("dwLength", 32, 4),
        ("dwSuggestedBufferSize", 36, 4), ("dwQuality", 40, 4), ("dwSampleSize", 44, 4),
        ("rcFrame.left", 48, 2), ("rcFrame.top", 50, 2), ("rcFrame.right", 52, 2),
        ("rcFrame.bottom", 54, 2)]
BITMAPINFO = [("biSize", 0, 4), ("biWidth", 4, 4), ("biHeight", 8, 4), ("biPlanes", 12, 2),
              ("biBitCount", 14, 2), ("biCompression", 16, 4), ("biSizeImage", 20, 4),
              ("biClrUsed", 32, 4), ("biClrImportant", 36, 4)]
# With the ADPCM formats' first extra fields (samples per block, coefficient count).
WAVEFORMAT = [("wFormatTag", 0, 2), ("nChannels", 2, 2), ("nSamplesPerSec", 4, 4),
              ("nAvgBytesPerSec", 8, 4), ("nBlockAlign", 12, 2), ("wBitsPerSample", 14, 2),
              ("cbSize", 16, 2), ("wSamplesPerBlock", 18, 2), ("wNumCoef", 20, 2)]
FOURCC = {"fccType", "fccHandler", "biCompression"}
FOURCCS = [b"vids", b"auds", b"txts", b"cvid", b"CVID", b"MSVC", b"msvc", b"CRAM", b"DIB ",
           b"\0\0\0\0", b"\xff\xff\xff\xff"]
IDS = [b"RIFF", b"LIST", b"JUNK", b"hdrl", b"avih", b"strl", b"strh", b"strf", b"movi",
       b"rec ", b"idx1", b"00dc", b"00db", b"01wb", b"02dc", b"\0\0\0\0", b"AVI ", b"AVIX"]
FRAME_SUFFIXES = (b"dc", b"db", b"wb", b"pc")


class Node:
    """A chunk, or a list (RIFF or LIST, with a type and children), where the file puts it."""

    def __init__(self, cid, offset, size, parent):
        self.cid, self.offset, self.size, self.parent = cid, offset, size, parent
        self.kind, self.children = None, []

    @property
    def data(self):
        return self.offset + (12 if self.kind else 8)

    @property
    def end(self):
        return self.offset + 8 + self.size + (self.size & 1)

    def name(self):
        label = self.cid + (b" " + self.kind if self.kind else b"")
        return f"{label.decode('latin-1')!r} at 0x{self.offset:x}"


def parse(data, start, end, parent=None, found=None):
    """Every chunk between start and end, lists before their contents; sizes that pass the end
    are kept as they are."""
    found = [] if found is None else found
    pos = start
    while pos + 8 <= end:
        cid, size = data[pos:pos + 4], struct.unpack_from("<I", data, pos + 4)[0]
        node = Node(bytes(cid), pos, size, parent)
        found.append(node)
        if parent:
            parent.children.append(node)
        if cid in (b"RIFF", b"LIST") and pos + 12 <= end:
            node.kind = bytes(data[pos + 8:pos + 12])
            parse(data, pos + 12, min(pos + 8 + size, end), node, found)
        pos = node.end
    return found


def interesting(rng, original, width):
    """0, 1, -1, the signed extremes, small and large, or one off the original: never itself."""
    mask = (1 << (8 * width)) - 1
    values = [0, 1, mask, mask >> 1, (mask >> 1) + 1, mask - 1, rng.randint(2, 255),
              rng.randint(0x10000 if width == 4 else 0x100, mask), original - 1, original + 1]
    return rng.choice([v & mask for v in values if v & mask != original])


def differ(new, old):
    """The new id; when that is the old one, the old one with its case (or first byte) turned."""
    turned = old.swapcase()
    return new if new != old else turned if turned != old else bytes([old[0] ^ 1]) + old[1:]


class Mutator:
    def __init__(self, data, rng):
        self.data, self.rng = bytearray(data), rng

    def random_bytes(self):
        return bytes(self.rng.randrange(256) for _ in range(4))

    def put(self, offset, width, value):
        self.data[offset:offset + width] = value.to_bytes(width, "little")

    def fields(self, nodes):
        """Every header field the file has room for, as (label, offset, width)."""
        found, streams = [], [n for n in nodes if n.kind == b"strl"]
        for node in nodes:
            table, label = [], node.cid.decode("latin-1")
            stream = streams.index(node.parent) if node.parent in streams else "?"
            if node.cid == b"avih":
                table = AVIH
            elif node.cid == b"strh":
                table, label = STRH, f"strh[{stream}]"
            elif node.cid == b"strf":
                # The stream's type, from the strh before it; a bitmap header says its size.
                strh = [n for n in node.parent.children if n.cid == b"strh"] if node.parent else []
                kind = self.data[strh[0].data:strh[0].data + 4] if strh else b""
                bitmap = kind == b"vids" or (kind != b"auds" and node.size >= 40)
                table = BITMAPINFO if bitmap else WAVEFORMAT
                label = f"strf[{stream}]"
            for name, at, width in table:
                if at + width <= node.size and node.data + at + width <= len(self.data):
                    found.append((f"{label}.{name}", node.data + at, width))
        return found

    def header_field(self, nodes):
        choices = self.fields(nodes)
        if not choices:
            return None
        label, at, width = self.rng.choice(choices)
        before = bytes(self.data[at:at + width])
        fourcc = label.split(".")[1] in FOURCC
        if fourcc and self.rng.random() < 0.6:
            self.data[at:at + 4] = self.rng.choice(FOURCCS + [self.random_bytes()])
        else:
            self.put(at, width, interesting(self.rng, int.from_bytes(before, "little"), width))
        show = repr if fourcc else (lambda value: f"0x{int.from_bytes(value, 'little'):x}")
        return f"{label} {show(before)} -> {show(bytes(self.data[at:at + width]))}"

    def chunk_size(self, nodes):
        node = self.rng.choice(nodes)
        new = interesting(self.rng, node.size, 4)
        self.put(node.offset + 4, 4, new)
        return f"size of {node.name()} {node.size} -> 0x{new:x}"

    def chunk_id(self, nodes):
        node = self.rng.choice(nodes)
        at, what = node.offset, "id"
        if node.kind and self.rng.random() < 0.5:
            at, what = node.offset + 8, "list type"
        old = bytes(self.data[at:at + 4])
        new = differ(self.rng.choice(IDS + [old.swapcase(), self.random_bytes()]), old)
        self.data[at:at + 4] = new
        return f"{what} of {node.name()} -> {new!r}"

    def cut(self, nodes):
        if self.rng.random() < 0.5:
            node = self.rng.choice(nodes)
            at = self.rng.choice([node.offset, node.offset + 8, node.data, node.end])
            where = f"boundary of {node.name()}"
        else:
            at, where = self.rng.randrange(len(self.data)), "random point"
        at = min(at, len(self.data) - 1)
        del self.data[at:]
        return f"cut at 0x{at:x} ({where})"

    def resize_parents(self, node, delta):
        """Keeps the enclosing lists' sizes true after bytes were added or removed inside."""
        parent = node.parent
        while parent:
            self.put(parent.offset + 4, 4, (parent.size + delta) & 0xFFFFFFFF)
            parent = parent.parent

    def splice(self, nodes):
        """Duplicates or deletes a chunk; the lists around it keep their sizes or are mended."""
        node = self.rng.choice([n for n in nodes if n.parent] or nodes)
        start, end = node.offset, min(node.end, len(self.data))
        piece = bytes(self.data[start:end])
        delete, mend = self.rng.random() < 0.5, self.rng.random() < 0.5
        if mend:
            self.resize_parents(node, -len(piece) if delete else len(piece))
        if delete:
            del self.data[start:end]
        else:
            self.data[end:end] = piece
        return (f"{'delete' if delete else 'duplicate'} {node.name()} ({len(piece)} bytes, "
                f"lists {'mended' if mend else 'kept'})")

    def frame_bytes(self, nodes):
        frames = [n for n in nodes if n.parent and n.parent.kind in (b"movi", b"rec ")
                  and not n.kind and n.cid[2:] in FRAME_SUFFIXES and n.size > 0
                  and n.data < len(self.data)]
        if not frames:
            return None
        node = self.rng.choice(frames)
        end = min(node.data + node.size, len(self.data))
        count, how = self.rng.randint(1, 16), self.rng.choice(["flipped", "set", "zeroed"])
        for _ in range(count):
            at = self.rng.randrange(node.data, end)
            if how == "flipped":
                self.data[at] ^= 1 << self.rng.randrange(8)
            else:
                self.data[at] = self.rng.randrange(256) if how == "set" else 0
        return f"frame {node.name()}: {count} bytes {how}"

    def index_entry(self, nodes):
        index = [n for n in nodes if n.cid == b"idx1" and n.size >= 16
                 and n.data + 16 <= len(self.data)]
        if not index:
            return None
        node = index[0]
        count = (min(node.data + node.size, len(self.data)) - node.data) // 16
        entry = self.rng.randrange(count)
        at = node.data + 16 * entry
        field, place = self.rng.choice([("ckid", 0), ("flags", 4), ("offset", 8), ("size", 12)])
        if field == "ckid":
            new = differ(self.rng.choice(IDS), bytes(self.data[at:at + 4]))
            self.data[at:at + 4] = new
            return f"idx1[{entry}].ckid -> {new!r}"
        old = struct.unpack_from("<I", self.data, at + place)[0]
        new = interesting(self.rng, old, 4)
        if field == "flags" and self.rng.random() < 0.5:
            new = old ^ 0x10  # the key-frame flag
        self.put(at + place, 4, new)
        return f"idx1[{entry}].{field} 0x{old:x} -> 0x{new:x}"

    def mutate(self):
        kinds = [self.header_field] * 4 + [self.chunk_size] * 3 + [self.frame_bytes] * 2 + \
            [self.index_entry] * 2 + [self.splice] * 2 + [self.chunk_id, self.cut]
        done = []
        for _ in range(self.rng.randint(1, 3)):
            nodes = parse(self.data, 0, len(self.data))
            if len(self.data) < 2 or not nodes:
                break
            for _ in range(10):  # a kind may find nothing to work on: another one then
                what = self.rng.choice(kinds)(nodes)
                if what:
                    done.append(what)
                    break
        return done


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("seed_dir", type=pathlib.Path)
    parser.add_argument("out_dir", type=pathlib.Path)
    parser.add_argument("count", type=int)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    seeds = sorted(args.seed_dir.glob("*.avi"))
    if not seeds:
        sys.exit(f"avimutate: no .avi files in {args.seed_dir}")
    args.out_dir.mkdir(parents=True, exist_ok=True)
    for path in seeds:
        original = path.read_bytes()
        for i in range(args.count):
            mutator = Mutator(original, random.Random(f"{args.seed}:{path.stem}:{i}"))
            done = mutator.mutate()
            name = f"{path.stem}-{i:04d}.avi"
            (args.out_dir / name).write_bytes(mutator.data)
            print(f"{name}: {'; '.join(done) or 'unchanged'}")


if __name__ == "__main__":
    main()
