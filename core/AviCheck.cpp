#include "core/AviCheck.h"

#include "core/CinepakFrame.h"
#include "core/Refusal.h"
#include "core/Rules.h"

namespace {

// What the platform reads of the file, found where its own walk finds it.
struct Stream {
    bool found = false;           // its format was read
    uint32_t suggestedBuffer = 0; // strh dwSuggestedBufferSize
    size_t format = 0;            // offset of strf's data
    uint32_t formatSize = 0;
};

struct Avi {
    const uint8_t* bytes = nullptr; // the file's start
    size_t size = 0;
    uint64_t fileSize = 0;
    const AviReader* more = nullptr;
    // The block last read beyond the start, and the reads left.
    mutable uint8_t block[AVI_CHECK_BLOCK];
    mutable uint64_t blockAt = 0;
    mutable size_t blockSize = 0;
    mutable uint32_t reads = AVI_CHECK_READS;
    uint32_t streams = 0;     // avih dwStreams
    uint32_t totalFrames = 0; // avih dwTotalFrames
    uint32_t microSecPerFrame = 0;
    bool header = false;
    bool hasVideo = false;
    bool hasAudio = false;
    Stream video;
    Stream audio;
    int32_t videoStream = -1;
    int32_t audioStream = -1;
    uint32_t frames = 0;            // video chunks in the movie list
    uint32_t soundChunk = 0;        // the largest sound chunk in it
    bool soundChunkPastEnd = false; // whether that chunk claims more than the file holds
    uint32_t firstFrame = 0;        // the first video chunk's data, and its size
    uint32_t firstFrameSize = 0;
    uint32_t addressBits = 64;

    // The count bytes at `at`, or null when the file has them not or they cannot be read.
    const uint8_t* At(uint64_t at, size_t count) const {
        if (at <= size && count <= size - at) {
            return bytes + at;
        }
        if (at >= blockAt && at - blockAt <= blockSize && count <= blockSize - (at - blockAt)) {
            return block + (at - blockAt);
        }
        if (more == nullptr || reads == 0 || at >= fileSize || count > fileSize - at ||
            count > AVI_CHECK_BLOCK) {
            return nullptr;
        }
        --reads;
        const uint64_t left = fileSize - at;
        blockSize = left < AVI_CHECK_BLOCK ? static_cast<size_t>(left) : AVI_CHECK_BLOCK;
        blockAt = at;
        if (!more->read(more->context, at, block, blockSize)) {
            blockSize = 0;
            return nullptr;
        }
        return block;
    }
    bool Has(size_t at, size_t count) const { return At(at, count) != nullptr; }
    uint8_t Byte(size_t at) const {
        const uint8_t* p = At(at, 1);
        return p != nullptr ? *p : 0;
    }
    uint32_t U32(size_t at) const {
        const uint8_t* p = At(at, 4);
        if (p == nullptr) {
            return 0;
        }
        return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
               static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    }
    uint32_t U16(size_t at) const {
        const uint8_t* p = At(at, 2);
        return p != nullptr ? static_cast<uint32_t>(p[0] | p[1] << 8) : 0;
    }
    int32_t I32(size_t at) const { return static_cast<int32_t>(U32(at)); }
    bool Is(size_t at, const char* id) const {
        const uint8_t* p = At(at, 4);
        return p != nullptr && p[0] == static_cast<uint8_t>(id[0]) &&
               p[1] == static_cast<uint8_t>(id[1]) && p[2] == static_cast<uint8_t>(id[2]) &&
               p[3] == static_cast<uint8_t>(id[3]);
    }
};

const AviCheck PASSES = {REFUSAL_NONE, ""};
// The sound buffers the platform's AVI driver queues.
const uint32_t SOUND_HEADERS = 7;

AviCheck Damaged(const char* finding) {
    return {REFUSAL_DAMAGED, finding};
}

// Where the platform's walk goes on after the chunk at `at`: its file positions are 32-bit and
// wrap, and a seek to 2 GB or beyond fails and leaves the walk in the chunk's own data.
uint32_t NextPosition(const Avi& avi, uint32_t at) {
    const uint32_t data = at + 8;
    const uint32_t next = data + ((avi.U32(at + 4) + 1u) & ~1u);
    if (next < 0x80000000u) {
        return next;
    }
    return avi.Is(at, "LIST") || avi.Is(at, "RIFF") ? data + 4 : data;
}

// How a walk ended: at its list's end or the file's (known), or where the bytes read end.
struct WalkEnd {
    AviCheck check;
    bool known;
};

// The chunks the platform's walk visits from `from` while inside(position) holds, each handed to
// visit(id offset, data offset, size) until one refuses. A walk that comes back to a chunk it
// has visited never ends (the platform's open hangs): found as Brent finds a cycle.
template <typename Inside, typename Visit>
WalkEnd Walk(const Avi& avi, uint32_t from, Inside inside, Visit visit) {
    uint32_t at = from;
    uint32_t mark = from;
    uint64_t power = 1;
    uint64_t length = 0;
    while (inside(at)) {
        if (!avi.Has(at, 8)) {
            return {PASSES, at + static_cast<uint64_t>(8) > avi.fileSize};
        }
        const AviCheck check = visit(at, at + 8u, avi.U32(at + 4));
        if (check.refusal != REFUSAL_NONE) {
            return {check, true};
        }
        at = NextPosition(avi, at);
        if (at == mark && inside(at)) {
            return {Damaged("a walk through the chunks that never ends"), true};
        }
        if (++length == power) {
            mark = at;
            power *= 2;
            length = 0;
        }
    }
    return {PASSES, true};
}

// Inside a list whose data (its type first) starts at `data`, as the platform tests it: in 32
// bits, so that a list claiming 4 GB ends before it starts.
struct InList {
    uint32_t data;
    uint32_t size;
    bool operator()(uint32_t at) const { return at >= data && at < data + size; }
};

void ReadStream(Avi& avi, uint32_t list, uint32_t size, int32_t* index) {
    Stream stream;
    bool video = false;
    bool audio = false;
    Walk(avi, list + 4, InList{list, size}, [&](uint32_t id, uint32_t data, uint32_t chunkSize) {
        if (avi.Is(id, "strh")) {
            video = avi.Is(data, "vids");
            audio = avi.Is(data, "auds");
            stream.suggestedBuffer = avi.U32(data + 36);
        } else if (avi.Is(id, "strf") && !stream.found) {
            stream.found = true;
            stream.format = data;
            stream.formatSize = chunkSize;
        }
        return PASSES;
    });
    // Only the first of each kind is played, and only among the streams the main header counts.
    if (static_cast<uint32_t>(*index) < avi.streams) {
        if (video && !avi.hasVideo) {
            // A video stream, even one whose format was cut off: the file has a picture.
            avi.video = stream;
            avi.hasVideo = true;
            avi.videoStream = *index;
        } else if (audio && !avi.hasAudio) {
            avi.audio = stream;
            avi.hasAudio = true;
            avi.audioStream = *index;
        }
    }
    ++*index;
}

AviCheck CheckHeaderList(Avi& avi, uint32_t list, uint32_t size) {
    int32_t stream = 0;
    return Walk(avi, list + 4, InList{list, size},
                [&](uint32_t id, uint32_t at, uint32_t chunkSize) {
                    // A main header cut short tells nothing: its missing fields are no zeros.
                    if (avi.Is(id, "avih") && avi.Has(at, 28) && !avi.header) {
                        avi.header = true;
                        avi.microSecPerFrame = avi.U32(at);
                        avi.totalFrames = avi.U32(at + 16);
                        avi.streams = avi.U32(at + 24);
                    } else if (avi.Is(id, "LIST") && avi.Is(at, "strl")) {
                        ReadStream(avi, at, chunkSize, &stream);
                    }
                    return PASSES;
                })
        .check;
}

bool IsFourCc(const Avi& avi, size_t at, const char* lower) {
    for (int i = 0; i < 4; ++i) {
        const uint8_t c = avi.Byte(at + static_cast<size_t>(i));
        const uint8_t folded = c >= 'A' && c <= 'Z' ? static_cast<uint8_t>(c - 'A' + 'a') : c;
        if (folded != static_cast<uint8_t>(lower[i])) {
            return false;
        }
    }
    return true;
}

// The stream a movie chunk belongs to, from its id's two hex digits; -1 when they are none.
int32_t StreamOf(const Avi& avi, uint32_t id) {
    int32_t number = 0;
    for (uint32_t i = 0; i < 2; ++i) {
        const uint8_t c = avi.Byte(id + i);
        const int32_t digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
        if (digit < 0) {
            return -1;
        }
        number = number * 16 + digit;
    }
    return number;
}

// One chunk of the movie list: the platform reads a video chunk whole into a buffer of its size,
// and gives each sound buffer the largest sound chunk's size.
AviCheck CheckMovieChunk(Avi& avi, uint32_t id, uint32_t size) {
    const int32_t stream = StreamOf(avi, id);
    const bool sound = avi.Byte(id + 2) == 'w' && avi.Byte(id + 3) == 'b';
    if (avi.hasVideo && stream == avi.videoStream && !sound) {
        // Its read takes the size as a signed 32-bit count, and faults. The first frame's, which
        // the movie window paints itself while it opens, leaves the device's lock held, and the
        // next play or close waits on it for ever.
        if (++avi.frames == 1) {
            avi.firstFrame = id + 8;
            avi.firstFrameSize = size;
        }
        if (avi.frames == 1 && size >= 0x80000000u) {
            return Damaged("a first video chunk of 2 GB or more");
        }
        // A Cinepak frame whose strips reach below the picture is drawn there: in 64 bits its
        // row's offset wraps to 4 GB past the buffer. Frames in the bytes at hand are followed.
        const size_t f = avi.video.format;
        if (avi.addressBits == 64 && avi.video.found && avi.video.formatSize >= 20 &&
            avi.Has(f, 20) && IsFourCc(avi, f + 16, "cvid") && avi.I32(f + 8) > 0 &&
            size <= avi.size && id + 8 <= avi.size - size &&
            CinepakDrawsBelow(avi.bytes + id + 8, size, avi.U32(f + 4), avi.U32(f + 8))) {
            return Damaged("a Cinepak frame drawn below its picture");
        }
    } else if (avi.hasAudio && stream == avi.audioStream && sound) {
        if (size >= avi.soundChunk) {
            avi.soundChunk = size;
            avi.soundChunkPastEnd = uint64_t{id} + 8 + size > avi.fileSize;
        }
    }
    return PASSES;
}

// The movie list's chunks, and those of its records, as the platform walks them: each step
// tested against its list's bounds.
WalkEnd CheckMovieList(Avi& avi, uint32_t list, uint32_t size) {
    return Walk(avi, list + 4, InList{list, size}, [&](uint32_t id, uint32_t at, uint32_t chunk) {
        if (avi.Is(id, "LIST") && avi.Is(at, "rec ")) {
            const WalkEnd record =
                Walk(avi, at + 4, InList{at, chunk}, [&](uint32_t inner, uint32_t, uint32_t s) {
                    return CheckMovieChunk(avi, inner, s);
                });
            return record.check;
        }
        return CheckMovieChunk(avi, id, chunk);
    });
}

AviCheck CheckVideo(const Avi& avi) {
    const Stream& v = avi.video;
    const size_t f = v.format;
    // A format shorter than its header is read past its end, a few bytes into the heap: no
    // fault. One beyond the bytes read tells nothing.
    if (!avi.Has(f, 40) || v.formatSize < 40) {
        return PASSES;
    }
    const uint32_t headerSize = avi.U32(f);
    const int64_t width = avi.I32(f + 4);
    const int64_t height = avi.I32(f + 8);
    const uint32_t bits = avi.U16(f + 14);
    const uint32_t colours = avi.U32(f + 32);
    // Frames without a decoder (plain, RLE or bit-field pixels) are drawn from this header, as
    // long as it says it is.
    const bool drawnAsIs = avi.U32(f + 16) <= 3;
    // A decoder reads the fields it knows and makes the header that is drawn; a header the
    // platform draws itself is taken at its word.
    if (drawnAsIs && (headerSize < 40 || headerSize > v.formatSize)) {
        return Damaged("a video header size outside its format");
    }
    if (drawnAsIs && (width == 0 || height == 0)) {
        return Damaged("a frame of no width or height");
    }
    const bool videoOne = IsFourCc(avi, f + 16, "cram") || IsFourCc(avi, f + 16, "msvc") ||
                          IsFourCc(avi, f + 16, "wham");
    // The Video 1 decoder counts its blocks from the width and decodes none of a negative one.
    if (width < 0 && !videoOne) {
        return Damaged("a frame of negative width");
    }
    const int64_t rows = height < 0 ? -height : height;
    if (width * rows > INT32_MAX / 4) {
        return {REFUSAL_FRAMES_TOO_LARGE, "a frame too large for a 32-bit size"};
    }
    // Only frames of 8 bits or fewer have their colour table copied.
    if (bits <= 8 && colours > 256) {
        return Damaged("a colour table of more than 256 colours");
    }
    const bool uncompressed = avi.U32(f + 16) == 0;
    const uint64_t tableColours = colours != 0 ? colours : (bits <= 8 ? 1u << bits : 0);
    if (uncompressed && headerSize + 4 * tableColours > v.formatSize) {
        return Damaged("a colour table longer than its format");
    }
    if (uncompressed && avi.totalFrames == 0) {
        return Damaged("uncompressed frames, none counted");
    }
    if (videoOne) {
        // The decoder writes rows of the stride of this width into rows of an even one.
        if ((bits == 8 && width % 4 == 1) || (bits == 16 && width % 2 == 1)) {
            return Damaged("Video 1 frames of a width its decoder overruns");
        }
        if (headerSize + 4 * (bits <= 8 ? (colours != 0 ? colours : 256) : colours) > 1064) {
            return Damaged("a Video 1 header larger than its decoder takes");
        }
    }
    return PASSES;
}

const uint32_t FORMAT_PCM = 1;
const uint32_t FORMAT_MS_ADPCM = 2;
const uint32_t FORMAT_FLOAT = 3;
const uint32_t FORMAT_ALAW = 6;
const uint32_t FORMAT_MULAW = 7;
const uint32_t FORMAT_IMA_ADPCM = 0x11;
const uint32_t FORMAT_MPEG = 0x50;
const uint32_t FORMAT_MPEG_LAYER3 = 0x55;
const uint32_t FORMAT_EXTENSIBLE = 0xFFFE;
// Above any rate a sound device plays.
const uint32_t HIGHEST_RATE = 384000;

bool IsMpegRate(uint32_t rate) {
    for (uint32_t mpeg : {8000u, 11025u, 12000u, 16000u, 22050u, 24000u, 32000u, 44100u, 48000u}) {
        if (rate == mpeg) {
            return true;
        }
    }
    return false;
}

const uint32_t IMA_RATES[] = {8000, 11025, 22050, 44100};

// The bytes the IMA ADPCM decoder makes of a sound chunk in one go, 0 when it does not take the
// format. It decodes whole blocks, as many as both the chunk and the output buffer hold, that
// buffer sized for the prepared bytes in 32 bits.
uint64_t ImaDecodedBytes(const Avi& avi, uint32_t chunk, uint32_t prepared) {
    const size_t f = avi.audio.format;
    if (avi.audio.formatSize < 20 || !avi.Has(f, 20) || avi.U16(f) != FORMAT_IMA_ADPCM) {
        return 0;
    }
    const uint32_t channels = avi.U16(f + 2);
    const uint32_t rate = avi.U32(f + 4);
    const uint32_t blockAlign = avi.U16(f + 12);
    const uint32_t samplesPerBlock = avi.U16(f + 18);
    bool knownRate = false;
    for (uint32_t known : IMA_RATES) {
        knownRate = knownRate || rate == known;
    }
    const uint32_t extra = avi.U16(f + 16);
    if (channels < 1 || channels > 2 || avi.U16(f + 14) != 4 || extra < 2 ||
        !(knownRate || extra == 2) || blockAlign == 0 || samplesPerBlock == 0 ||
        ((samplesPerBlock - 1) & 3) != 0 ||
        ((samplesPerBlock - 1) / 2 + 4) * channels < blockAlign) {
        return 0;
    }
    const uint32_t outBlock = samplesPerBlock * 2 * channels;
    const uint32_t preparedBlocks = prepared / blockAlign + (prepared % blockAlign != 0 ? 1 : 0);
    const uint32_t outBuffer = preparedBlocks * outBlock;
    const uint32_t inBlocks = chunk / blockAlign;
    const uint32_t outBlocks = outBuffer / outBlock;
    return uint64_t{inBlocks < outBlocks ? inBlocks : outBlocks} * outBlock;
}

AviCheck CheckAudio(const Avi& avi) {
    const Stream& a = avi.audio;
    const size_t f = a.format;
    if (a.formatSize >= 0x80000000u) {
        return Damaged("a sound format of 2 GB or more");
    }
    if (!avi.Has(f, 16) || a.formatSize < 14) {
        return PASSES; // too short: the platform refuses the sound itself
    }
    const uint32_t tag = avi.U16(f);
    const uint32_t channels = avi.U16(f + 2);
    const uint32_t rate = avi.U32(f + 4);
    const uint32_t bytesPerSec = avi.U32(f + 8);
    const uint32_t blockAlign = avi.U16(f + 12);
    const uint32_t bits = avi.U16(f + 14);
    if (tag == FORMAT_PCM) {
        if (bits != 8 && bits != 16 && bits != 24) {
            return PASSES; // no converter takes it: the movie plays without sound
        }
        // The device refuses these, and the converter that is tried instead divides by what
        // the format says.
        const bool converted = channels == 0 || channels > 2 || rate == 0 || rate > HIGHEST_RATE;
        if (converted && (bytesPerSec == 0 || blockAlign == 0)) {
            return Damaged("a PCM format its converter cannot take");
        }
        if (channels == 0 || rate == 0 || rate > HIGHEST_RATE) {
            return Damaged("a sound of no channels, or of no or an absurd rate");
        }
        return PASSES;
    }
    if (tag == FORMAT_FLOAT || tag == FORMAT_ALAW || tag == FORMAT_MULAW) {
        return blockAlign != channels * bits / 8 ? Damaged("a sound block of the wrong size")
                                                 : PASSES;
    }
    // The MP3 decoder takes the rates of MPEG audio only, and divides by a frame's bytes,
    // worked out in 32 bits from these.
    if ((tag == FORMAT_MPEG || tag == FORMAT_MPEG_LAYER3) && IsMpegRate(rate) &&
        static_cast<uint32_t>(bytesPerSec * 1152u) / rate == 0) {
        return Damaged("MP3 frames of no bytes");
    }
    if (tag != FORMAT_MS_ADPCM && tag != FORMAT_IMA_ADPCM) {
        return PASSES;
    }
    // The ADPCM decoders take a rate outside their table, and then work with it, when the format
    // has as many extra bytes as theirs; other such formats they refuse, and the movie plays
    // without sound.
    const uint32_t ownExtra = tag == FORMAT_MS_ADPCM ? 32 : 2;
    const uint32_t extra = a.formatSize >= 18 && avi.Has(f, 18) ? avi.U16(f + 16) : ownExtra;
    if ((rate == 0 || rate > HIGHEST_RATE) && extra == ownExtra) {
        return Damaged("ADPCM sound of no or an absurd rate");
    }
    // They take 4-bit mono and stereo only; the Microsoft one divides by the block's bytes
    // and by its samples.
    if (bits != 4 || channels < 1 || channels > 2) {
        return PASSES;
    }
    if (blockAlign == 0) {
        return Damaged("an ADPCM block of no bytes");
    }
    // (A format shorter than its extra bytes claim is read a little past its end: no fault.)
    if (tag == FORMAT_MS_ADPCM && a.formatSize >= 20 && avi.Has(f, 20) && avi.U16(f + 16) >= 2 &&
        avi.U16(f + 18) == 0) {
        return Damaged("MS ADPCM blocks of no samples");
    }
    return PASSES;
}

} // namespace

AviCheck CheckAvi(const uint8_t* bytes, size_t size, uint64_t fileSize, const AviReader* more,
                  uint32_t addressBits, const AviPlatform& platform) {
    Avi avi;
    avi.bytes = bytes;
    avi.fileSize = fileSize;
    avi.more = more;
    avi.addressBits = addressBits;
    avi.size = bytes == nullptr ? 0 : (size < fileSize ? size : static_cast<size_t>(fileSize));
    if (!avi.Is(0, "RIFF") || !avi.Is(8, "AVI ")) {
        return PASSES;
    }
    if (IsAviWithoutVideo(avi.bytes, avi.size)) {
        return {REFUSAL_SOUND_NO_PICTURE, "streams, none of video"};
    }
    // The platform looks for the header list in the file's list, then for the movie list after
    // it; neither search is bounded once it has started, and neither goes past the movie list.
    bool headerList = false;
    uint32_t movie = 0;
    uint32_t movieSize = 0;
    AviCheck check = Walk(
                         avi, 12, [&movie](uint32_t) { return movie == 0; },
                         [&](uint32_t id, uint32_t data, uint32_t listSize) {
                             if (!avi.Is(id, "LIST")) {
                                 return PASSES;
                             }
                             if (!headerList && avi.Is(data, "hdrl")) {
                                 headerList = true;
                                 return CheckHeaderList(avi, data, listSize);
                             }
                             if (headerList && avi.Is(data, "movi")) {
                                 movie = data;
                                 movieSize = listSize;
                             }
                             return PASSES;
                         })
                         .check;
    if (check.refusal != REFUSAL_NONE) {
        return check;
    }
    if (!avi.header) {
        return PASSES; // the platform refuses a file without its main header
    }
    // Its index, 8 bytes a frame, is allocated at once: in 32 bits the size wraps.
    if (addressBits == 32 && avi.totalFrames >= 0x20000000u) {
        return Damaged("a frame count whose index overflows");
    }
    // The player keeps time in milliseconds, which the platform divides by this.
    if (avi.microSecPerFrame == 0) {
        return Damaged("frames of no duration");
    }
    if (avi.streams > 0 && !avi.hasVideo && avi.audio.found) {
        return {REFUSAL_SOUND_NO_PICTURE, "no video among the streams counted"};
    }
    if (avi.streams == 0) {
        return Damaged("no streams counted");
    }
    if (avi.video.found) {
        check = CheckVideo(avi);
        if (check.refusal != REFUSAL_NONE) {
            return check;
        }
    }
    if (avi.audio.found) {
        check = CheckAudio(avi);
        if (check.refusal != REFUSAL_NONE) {
            return check;
        }
    }
    if (movie == 0) {
        return PASSES; // no movie list: the platform refuses the file itself
    }
    const WalkEnd walk = CheckMovieList(avi, movie, movieSize);
    if (walk.check.refusal != REFUSAL_NONE) {
        return walk.check;
    }
    // Seven sound buffers, each a header and the larger of the suggested size and the largest
    // sound chunk, are allocated at once, then prepared with the sound device; when either
    // fails, the movie plays without sound (a device that converts the sound asks, with each
    // header, for a buffer of the converted size). Where they are prepared, a 64-bit process
    // reads a sound chunk of 2 GB with its size taken as a signed count, which faults; in a
    // 32-bit process a total past 4 GB wraps, and the buffers' reads write past the little that
    // is allocated.
    const uint64_t buffer =
        avi.soundChunk > avi.audio.suggestedBuffer ? avi.soundChunk : avi.audio.suggestedBuffer;
    const uint64_t total = SOUND_HEADERS * ((32 + buffer) & 0xFFFFFFFFu);
    // The IMA ADPCM decoder decodes a sound chunk whole when its turn comes, on the play's thread
    // and holding the device. One that claims much more than the file holds is decoded from
    // zeros (4 GB took 27 s), while the window cannot even be closed. A 32-bit process cannot
    // have the seven buffers for so large a chunk (those that wrap past 4 GB are judged here too).
    const char* finding = nullptr;
    if (addressBits == 64 && avi.soundChunk >= 0x80000000u) {
        finding = "a sound chunk of 2 GB or more";
    } else if (addressBits == 64 && avi.soundChunkPastEnd &&
               ImaDecodedBytes(avi, avi.soundChunk, static_cast<uint32_t>(buffer)) >= 0x80000000u) {
        finding = "a sound chunk past the end of the file that decodes to 2 GB or more";
    } else if (addressBits == 32 && (total > 0xFFFFFFFFu || buffer >= 0xFFFFFFE0u)) {
        finding = "sound buffers that pass 4 GB";
    }
    if (avi.audio.found && finding != nullptr) {
        const uint64_t buffers =
            addressBits == 64 ? SOUND_HEADERS * (32 + buffer) : total & 0xFFFFFFFFu;
        const uint32_t formatBytes =
            avi.audio.formatSize < AVI_CHECK_BLOCK ? avi.audio.formatSize : AVI_CHECK_BLOCK;
        // (No shorter format has the fields of a converted one.)
        const uint8_t* format = formatBytes >= 18 ? avi.At(avi.audio.format, formatBytes) : nullptr;
        // A sound device may take these as they are and prepare their headers without a
        // conversion buffer: the wrapped buffers are then read.
        const uint32_t tag = format != nullptr ? format[0] | format[1] << 8 : FORMAT_PCM;
        const uint32_t direct =
            1u << FORMAT_PCM | 1u << FORMAT_FLOAT | 1u << FORMAT_ALAW | 1u << FORMAT_MULAW;
        const bool unconverted = (tag < 32 && (direct >> tag & 1) != 0) || tag == FORMAT_EXTENSIBLE;
        if ((platform.allocatable == nullptr ? addressBits == 64 || buffers < 0x80000000u
                                             : platform.allocatable(buffers)) &&
            (platform.soundPrepares == nullptr || unconverted ||
             platform.soundPrepares(format, formatBytes, static_cast<uint32_t>(buffer),
                                    SOUND_HEADERS))) {
            return Damaged(finding);
        }
    }
    // The Cinepak decoder writes the frame its data describes into the buffer its format
    // describes: a 32-bit one overruns a buffer of another width, a 64-bit one one of fewer rows.
    // A width of 0 has rows of no bytes: every block lands on the buffer's first 16 bytes, which
    // even the heap's smallest block holds.
    if (avi.video.found && avi.firstFrameSize >= 10 && avi.Has(avi.firstFrame, 10) &&
        IsFourCc(avi, avi.video.format + 16, "cvid")) {
        const int64_t width = avi.I32(avi.video.format + 4);
        const int64_t height = avi.I32(avi.video.format + 8);
        const int64_t frameWidth = avi.Byte(avi.firstFrame + 4) << 8 | avi.Byte(avi.firstFrame + 5);
        const int64_t frameHeight =
            avi.Byte(avi.firstFrame + 6) << 8 | avi.Byte(avi.firstFrame + 7);
        if (addressBits == 32 ? frameWidth != width && width != 0
                              : frameHeight > (height < 0 ? -height : height)) {
            return Damaged("Cinepak frames larger than their format");
        }
    }
    // With no frame to show, the platform paints the one before the first (frame -1).
    if (walk.known && avi.video.found && (avi.frames == 0 || avi.totalFrames == 0)) {
        return {REFUSAL_NO_FRAMES, "a movie list without a video frame"};
    }
    return PASSES;
}
