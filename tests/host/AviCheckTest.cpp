#include "core/AviCheck.h"

#include "core/Refusal.h"
#include "tests/host/CaseTables.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// The fields of a small AVI that the cases change; Bytes() writes it as the platform reads it.
struct Movie {
    uint32_t microSecPerFrame = 100000;
    uint32_t totalFrames = 20;
    uint32_t streams = 2;
    bool video = true;
    bool audio = true;
    uint32_t videoFormatSize = 40;
    uint32_t headerSize = 40;
    int32_t width = 320;
    int32_t height = 240;
    uint16_t bits = 24;
    std::string compression = "cvid";
    uint32_t colours = 0;
    uint32_t audioFormatSize = 18;
    uint32_t audioListSize = 0; // 0: what it holds
    uint32_t suggestedBuffer = 4096;
    uint16_t tag = 1;
    uint16_t channels = 1;
    uint32_t rate = 22050;
    uint32_t bytesPerSec = 44100;
    uint16_t blockAlign = 2;
    uint16_t audioBits = 16;
    uint16_t extraSize = 0;
    uint16_t samplesPerBlock = 0;
    uint32_t frameSize = 100;  // the first video chunk's size field
    uint16_t frameWidth = 320; // as its Cinepak header gives them
    uint16_t frameHeight = 240;
    std::string frameId = "00dc";
    std::string soundId = "01wb";
    uint32_t soundSize = 64;
    uint32_t movieListSize = 0; // 0: what it holds
    uint32_t fillers = 0;       // chunks of no stream before the first frame
    uint32_t fillerSize = 0;
    uint32_t indexSize = 16;
    uint32_t addressBits = 64; // of the process that plays it
    bool heapHasRoom = true;   // for the sound buffers
    bool soundPrepares = true; // whether the sound device prepares them
    uint64_t fileSize = 0;     // 0: its bytes'
    std::string frameData;     // the first frame's, when not the made-up one
};

void Put32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        s += static_cast<char>(v >> (8 * i) & 0xFF);
    }
}
void Put16(std::string& s, uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}
std::string Chunk(const std::string& id, const std::string& data, uint32_t size) {
    std::string s = id;
    Put32(s, size);
    s += data;
    return data.size() % 2 == 1 ? s + '\0' : s;
}
std::string Chunk(const std::string& id, const std::string& data) {
    return Chunk(id, data, static_cast<uint32_t>(data.size()));
}
std::string List(const std::string& type, const std::string& data) {
    return Chunk("LIST", type + data);
}
std::string StreamHeader(const char* type, uint32_t rate, uint32_t buffer) {
    std::string s = std::string(type) + std::string(20, '\0');
    Put32(s, rate);
    Put32(s, 0);      // dwStart
    Put32(s, 20);     // dwLength
    Put32(s, buffer); // dwSuggestedBufferSize
    return s + std::string(56 - s.size(), '\0');
}

std::string Bytes(const Movie& m) {
    std::string avih;
    for (uint32_t v : {m.microSecPerFrame, 0u, 0u, 0u, m.totalFrames, 0u, m.streams, 0u}) {
        Put32(avih, v);
    }
    avih += std::string(56 - avih.size(), '\0');
    std::string header = Chunk("avih", avih);
    if (m.video) {
        std::string bih;
        Put32(bih, m.headerSize);
        Put32(bih, static_cast<uint32_t>(m.width));
        Put32(bih, static_cast<uint32_t>(m.height));
        Put16(bih, 1);
        Put16(bih, m.bits);
        bih += m.compression;
        bih += std::string(12, '\0');
        Put32(bih, m.colours);
        Put32(bih, 0);
        bih += std::string(m.videoFormatSize > 40 ? m.videoFormatSize - 40 : 0, '\0');
        bih.resize(m.videoFormatSize);
        header += List("strl", Chunk("strh", StreamHeader("vids", 10, 4096)) + Chunk("strf", bih));
    }
    if (m.audio) {
        std::string wfx;
        Put16(wfx, m.tag);
        Put16(wfx, m.channels);
        Put32(wfx, m.rate);
        Put32(wfx, m.bytesPerSec);
        Put16(wfx, m.blockAlign);
        Put16(wfx, m.audioBits);
        Put16(wfx, m.extraSize);
        Put16(wfx, m.samplesPerBlock);
        wfx.resize(m.audioFormatSize < 64 ? m.audioFormatSize : 64);
        const std::string list = "strl" +
                                 Chunk("strh", StreamHeader("auds", m.rate, m.suggestedBuffer)) +
                                 Chunk("strf", wfx, m.audioFormatSize);
        header +=
            Chunk("LIST", list,
                  m.audioListSize != 0 ? m.audioListSize : static_cast<uint32_t>(list.size()));
    }
    std::string fillers;
    for (uint32_t i = 0; i < m.fillers; ++i) {
        fillers += Chunk("JUNK", std::string(m.fillerSize, 'j'));
    }
    std::string frame("\0\0\0\x64", 4);
    for (uint16_t v : {m.frameWidth, m.frameHeight}) {
        frame += static_cast<char>(v >> 8);
        frame += static_cast<char>(v & 0xFF);
    }
    frame.resize(100, 'f');
    frame = m.frameData.empty() ? frame : m.frameData;
    const std::string frames = "movi" + fillers + Chunk(m.frameId, frame, m.frameSize) +
                               Chunk(m.soundId, std::string(64, 's'), m.soundSize);
    const std::string movi =
        Chunk("LIST", frames,
              m.movieListSize != 0 ? m.movieListSize : static_cast<uint32_t>(frames.size()));
    std::string index;
    for (uint32_t v : {0x63643030u, 0x10u, 4u, 100u}) {
        Put32(index, v);
    }
    return Chunk("RIFF", "AVI " + List("hdrl", header) + movi + Chunk("idx1", index, m.indexSize));
}

struct AviCase {
    std::string name;
    std::function<void(Movie&)> change;
    int32_t refusal;
};

// 4-bit ADPCM of a format tag, with its blocks' size and samples.
std::function<void(Movie&)> Adpcm(uint16_t tag, uint16_t blockAlign, uint16_t samplesPerBlock) {
    return [=](Movie& m) {
        m.tag = tag, m.audioBits = 4, m.blockAlign = blockAlign, m.extraSize = tag == 2 ? 32 : 2;
        m.samplesPerBlock = samplesPerBlock, m.audioFormatSize = 20;
    };
}

// IMA ADPCM with one sound chunk of the given size.
std::function<void(Movie&)> ImaChunk(uint32_t size, uint32_t addressBits, bool room,
                                     uint64_t fileSize) {
    return [=](Movie& m) {
        Adpcm(0x11, 256, 505)(m);
        m.soundSize = size, m.addressBits = addressBits, m.heapHasRoom = room;
        m.fileSize = fileSize;
    };
}

std::function<void(Movie&)> CinepakFrameDrawnBelow(uint32_t addressBits) {
    return [=](Movie& m) {
        m.width = 16, m.height = 8, m.addressBits = addressBits;
        m.frameData = std::string("\x01\0\0\x23\0\x10\0\x08\0\x01", 10) +
                      std::string("\x10\0\0\x19\0\0\0\0\0\x0C\0\x10\x32\0\0\x0D", 16) +
                      std::string(9, 'v');
        m.frameSize = static_cast<uint32_t>(m.frameData.size());
    };
}

const int32_t NONE = REFUSAL_NONE;
const int32_t DAMAGED = REFUSAL_DAMAGED;

const AviCase AVI_CASES[] = {
    {"CinepakWithPcm", [](Movie&) {}, NONE},
    {"Silent", [](Movie& m) { m.audio = false, m.streams = 1; }, NONE},
    {"TopDownFrames", [](Movie& m) { m.height = -240; }, NONE},
    {"SoundWithoutPicture", [](Movie& m) { m.video = false, m.streams = 1; },
     REFUSAL_SOUND_NO_PICTURE},
    // The walk and the main header.
    {"NoFrameDuration", [](Movie& m) { m.microSecPerFrame = 0; }, DAMAGED},
    {"FrameCountOverflowsTheIndexIn32Bits",
     [](Movie& m) { m.totalFrames = 0x20000000, m.addressBits = 32; }, DAMAGED},
    {"FrameCountOf4GBIndexIn64Bits", [](Movie& m) { m.totalFrames = 0x20000000; }, NONE},
    {"NoStreamsCounted", [](Movie& m) { m.streams = 0; }, DAMAGED},
    {"MovieChunkPasses4GB", [](Movie& m) { m.frameSize = 0xFFFFFFFF; }, DAMAGED},
    {"FirstMovieChunkOf2GB", [](Movie& m) { m.frameSize = 0x80000000; }, DAMAGED},
    {"LaterMovieChunkOf2GB", [](Movie& m) { m.soundId = "00dc", m.soundSize = 0x80000000; }, NONE},
    {"MovieChunkPastTheEndOnly", [](Movie& m) { m.frameSize = 5000; }, NONE},
    {"SoundChunkOf2GBIn64Bits", [](Movie& m) { m.soundSize = 0x80000000; }, DAMAGED},
    {"SoundChunkOf2GBIn64BitsBuffersNotAllocated",
     [](Movie& m) { m.soundSize = 0x80000000, m.heapHasRoom = false; }, NONE},
    {"SoundChunkOf2GBIn32Bits", [](Movie& m) { m.soundSize = 0x80000000, m.addressBits = 32; },
     NONE},
    {"SoundChunkOf4GBIn32Bits", [](Movie& m) { m.soundSize = 0xFFFFFFF0, m.addressBits = 32; },
     DAMAGED},
    // A size that wraps the platform's 32-bit position back onto its own chunk: the walk never
    // ends. One that wraps to 0 (or passes 2 GB) goes on in the chunk's data.
    {"WalkBackOntoItself", [](Movie& m) { m.soundId = "JUNK", m.soundSize = 0xFFFFFFF8; }, DAMAGED},
    {"WalkOnInTheData", [](Movie& m) { m.soundId = "JUNK", m.soundSize = 0xFFFFFFFF; }, NONE},
    // The platform's walk ends at the movie list.
    {"IndexBackOntoItself", [](Movie& m) { m.indexSize = 0xFFFFFFF8; }, NONE},
    {"WalkSeeksPast2GB", [](Movie& m) { m.soundId = "JUNK", m.soundSize = 0x90000000; }, NONE},
    // No frame of the video stream: the platform draws frame -1.
    {"FramesOfAnotherStream", [](Movie& m) { m.frameId = "02dc"; }, REFUSAL_NO_FRAMES},
    {"NoFramesCounted", [](Movie& m) { m.totalFrames = 0; }, REFUSAL_NO_FRAMES},
    {"MovieListClaims4GB", [](Movie& m) { m.movieListSize = 0xFFFFFFF0; }, REFUSAL_NO_FRAMES},
    // The platform's search for the next list reads on past its parent's end.
    {"HeaderListLongerThanItsParent", [](Movie& m) { m.audioListSize = 0x10000; }, NONE},
    // The video format.
    {"FramesTooLarge", [](Movie& m) { m.width = m.height = 30000; }, REFUSAL_FRAMES_TOO_LARGE},
    // A decoder reads the fields it knows; a header the platform draws itself is taken whole.
    {"DecodedNoWidth", [](Movie& m) { m.width = 0; }, NONE},
    {"PlainNoWidth", [](Movie& m) { m.compression = std::string(4, '\0'), m.width = 0; }, DAMAGED},
    {"NegativeWidth", [](Movie& m) { m.width = -320; }, DAMAGED},
    {"Video1NegativeWidth", [](Movie& m) { m.compression = "MSVC", m.bits = 16, m.width = -2; },
     NONE},
    // A frame 16 x 8 of one strip 12 rows high, and nine blocks: the last a row below.
    {"CinepakFrameDrawnBelowIn64Bits", CinepakFrameDrawnBelow(64), DAMAGED},
    {"CinepakFrameDrawnBelowIn32Bits", CinepakFrameDrawnBelow(32), NONE},
    // A Cinepak frame is decoded as its own header says into the buffer of the format's size.
    {"CinepakFrameWiderIn32Bits", [](Movie& m) { m.width = 321, m.addressBits = 32; }, DAMAGED},
    {"CinepakFormatOfNoWidthIn32Bits", [](Movie& m) { m.width = 0, m.addressBits = 32; }, NONE},
    {"CinepakFrameWiderIn64Bits", [](Movie& m) { m.width = 321; }, NONE},
    {"CinepakFrameTallerIn64Bits", [](Movie& m) { m.height = -2; }, DAMAGED},
    {"CinepakFrameAsItsFormatIn32Bits", [](Movie& m) { m.height = -240, m.addressBits = 32; },
     NONE},
    {"PlainNoHeight", [](Movie& m) { m.compression = std::string(4, '\0'), m.height = 0; },
     DAMAGED},
    {"VideoFormatTooShort", [](Movie& m) { m.videoFormatSize = 20; }, NONE},
    {"DecodedHeaderSizeTooSmall", [](Movie& m) { m.headerSize = 39; }, NONE},
    {"PlainHeaderSizeTooSmall",
     [](Movie& m) { m.compression = std::string(4, '\0'), m.headerSize = 39; }, DAMAGED},
    {"DecodedHeaderSizePastItsFormat", [](Movie& m) { m.headerSize = 0xFFFFFFFE; }, NONE},
    {"PlainHeaderSizePastItsFormat",
     [](Movie& m) { m.compression = std::string(4, '\0'), m.headerSize = 44; }, DAMAGED},
    {"TrueColourFramesWithAColourCount", [](Movie& m) { m.colours = 0x80000000; }, NONE},
    {"PaletteOfMoreThan256Colours",
     [](Movie& m) { m.bits = 8, m.colours = 257, m.videoFormatSize = 1068; }, DAMAGED},
    {"PaletteMissing", [](Movie& m) { m.compression = std::string(4, '\0'), m.bits = 8; }, DAMAGED},
    {"PaletteThere",
     [](Movie& m) { m.compression = std::string(4, '\0'), m.bits = 8, m.videoFormatSize = 1064; },
     NONE},
    {"UncompressedWithNoFrames",
     [](Movie& m) { m.compression = std::string(4, '\0'), m.totalFrames = 0; }, DAMAGED},
    {"Video1", [](Movie& m) { m.compression = "MSVC", m.bits = 16, m.width = 162; }, NONE},
    {"Video1OddWidth", [](Movie& m) { m.compression = "msvc", m.bits = 16, m.width = 161; },
     DAMAGED},
    {"Video1Palette4nPlus1",
     [](Movie& m) { m.compression = "CRAM", m.bits = 8, m.width = 165, m.videoFormatSize = 1064; },
     DAMAGED},
    {"Video1PaletteTooLong",
     [](Movie& m) {
         m.compression = "CRAM", m.bits = 8, m.headerSize = 44, m.videoFormatSize = 1068;
     },
     DAMAGED},
    // PCM.
    {"PcmNoChannels", [](Movie& m) { m.channels = 0; }, DAMAGED},
    {"PcmNoRate", [](Movie& m) { m.rate = 0; }, DAMAGED},
    {"PcmAbsurdRate", [](Movie& m) { m.rate = 0xFFFFFFFE; }, DAMAGED},
    {"PcmHighestRate", [](Movie& m) { m.rate = 384000; }, NONE},
    {"PcmSixChannelsNoBlock", [](Movie& m) { m.channels = 6, m.blockAlign = 0; }, DAMAGED},
    {"PcmManyChannelsShortBlock", [](Movie& m) { m.channels = 0xFFFE, m.blockAlign = 2; }, NONE},
    {"PcmOfNoKnownDepth", [](Movie& m) { m.audioBits = 12, m.channels = 0; }, NONE},
    {"ShortPcmFormat", [](Movie& m) { m.audioFormatSize = 14; }, NONE},
    {"SoundFormatOf2GB", [](Movie& m) { m.audioFormatSize = 0x80000000; }, DAMAGED},
    // Seven sound buffers of a header and the larger of these sizes, allocated at once.
    {"SoundBuffersPass4GBIn32Bits",
     [](Movie& m) { m.suggestedBuffer = 0x24924905, m.addressBits = 32; }, DAMAGED},
    {"SoundBuffersPass4GBIn32BitsNotAllocated",
     [](Movie& m) { m.suggestedBuffer = 0x24924905, m.addressBits = 32, m.heapHasRoom = false; },
     NONE},
    {"SoundBuffersJustUnder4GBIn32Bits",
     [](Movie& m) { m.suggestedBuffer = 0x24924904, m.addressBits = 32; }, NONE},
    {"SoundChunkMakesBuffersPass4GBIn32Bits",
     [](Movie& m) { m.soundSize = 0x30000000, m.addressBits = 32; }, DAMAGED},
    // A device that cannot have the converted sound's buffer prepares no header: no sound.
    {"SoundBuffersPass4GBIn32BitsNotPrepared",
     [](Movie& m) {
         Adpcm(2, 256, 500)(m), m.soundSize = 0xFFFFFFFF, m.addressBits = 32,
                                m.soundPrepares = false;
     },
     NONE},
    // PCM, float, A-law and µ-law may go to the device unconverted: nothing is asked of it.
    {"PcmSoundBuffersPass4GBIn32BitsNotPrepared",
     [](Movie& m) { m.soundSize = 0xFFFFFFFF, m.addressBits = 32, m.soundPrepares = false; },
     DAMAGED},
    {"ALawSoundChunkOf2GBIn64BitsNotPrepared",
     [](Movie& m) {
         m.tag = 6, m.audioBits = 8, m.blockAlign = 1, m.soundSize = 0x80000000,
         m.soundPrepares = false;
     },
     DAMAGED},
    {"SoundChunkOf2GBIn64BitsNotPrepared",
     [](Movie& m) { Adpcm(0x11, 256, 505)(m), m.soundSize = 0x80000000, m.soundPrepares = false; },
     NONE},
    {"ImaSoundChunkPastTheEndNotPrepared",
     [](Movie& m) { ImaChunk(0x7FFFFFFF, 64, true, 0)(m), m.soundPrepares = false; }, NONE},
    {"SoundBuffersWrapTo2GBIn32Bits",
     [](Movie& m) { m.soundSize = 0x80000000, m.addressBits = 32; }, NONE},
    // An IMA ADPCM chunk is decoded whole before it is played: one past the end of the file,
    // into an output buffer sized in 32 bits.
    {"ImaSoundChunkPastTheEndDecodesTo4GB", ImaChunk(0x7FFFFFFF, 64, true, 0), DAMAGED},
    {"ImaSoundChunkPastTheEndIn32Bits", ImaChunk(0x7FFFFFFF, 32, true, 0), NONE},
    {"ImaSoundChunkPastTheEndNotAllocated", ImaChunk(0x7FFFFFFF, 64, false, 0), NONE},
    {"ImaSoundChunkPastTheEndDecodesTo1GB", ImaChunk(0x10000000, 64, true, 0), NONE},
    {"ImaSoundChunkWhoseOutputBufferWraps", ImaChunk(0x40E31B00, 64, true, 0), NONE},
    {"ImaSoundChunkTheFileHolds", ImaChunk(0x7FFFFFFF, 64, true, 0x90000000), NONE},
    {"ImaSoundChunkOfBlocksItsDecoderRefuses",
     [](Movie& m) { ImaChunk(0x7FFFFFFF, 64, true, 0)(m), m.samplesPerBlock = 506; }, NONE},
    {"MsAdpcmSoundChunkPastTheEnd",
     [](Movie& m) { Adpcm(2, 256, 500)(m), m.soundSize = 0x7FFFFFFF; }, NONE},
    {"PcmSoundChunkPastTheEnd", [](Movie& m) { m.soundSize = 0x7FFFFFFF; }, NONE},
    {"SoundBuffersOf28GBIn64Bits", [](Movie& m) { m.suggestedBuffer = 0xFFFFFFF0; }, NONE},
    {"FloatBlockWrong", [](Movie& m) { m.tag = 3, m.audioBits = 32, m.blockAlign = 2; }, DAMAGED},
    {"FloatBlockRight", [](Movie& m) { m.tag = 3, m.audioBits = 32, m.blockAlign = 4; }, NONE},
    {"Mp3", [](Movie& m) { m.tag = 0x55, m.bytesPerSec = 4000, m.audioBits = 0, m.extraSize = 0; },
     NONE},
    {"Mp3FramesOfNoBytes", [](Movie& m) { m.tag = 0x55, m.bytesPerSec = 1; }, DAMAGED},
    {"Mp3FrameBytesWrapTo0", [](Movie& m) { m.tag = 0x55, m.bytesPerSec = 0x71C71C8; }, DAMAGED},
    {"Mp3OfARateItsDecoderRefuses",
     [](Movie& m) { m.tag = 0x55, m.bytesPerSec = 8000, m.rate = 0xFFFFFFFE; }, NONE},
    // ADPCM: the Microsoft decoder divides by the block's bytes and samples; blocks shorter
    // than their samples, or a format shorter than its extra bytes, are only read past.
    {"MsAdpcm", Adpcm(2, 256, 500), NONE},
    {"MsAdpcmNoRate", [](Movie& m) { Adpcm(2, 256, 500)(m), m.rate = 0; }, DAMAGED},
    {"ImaAdpcmAbsurdRate", [](Movie& m) { Adpcm(0x11, 256, 505)(m), m.rate = 0x4EB55849; },
     DAMAGED},
    {"MsAdpcmAbsurdRateOfOtherExtraBytes",
     [](Movie& m) { Adpcm(2, 256, 500)(m), m.rate = 0x80000000, m.extraSize = 0xFFFF; }, NONE},
    {"ImaAdpcmAbsurdRateOfOtherExtraBytes",
     [](Movie& m) { Adpcm(0x11, 256, 505)(m), m.rate = 0x80000000, m.extraSize = 4; }, NONE},
    {"MsAdpcmNoBlock", Adpcm(2, 0, 500), DAMAGED},
    {"MsAdpcmNoSamplesPerBlock", Adpcm(2, 256, 0), DAMAGED},
    {"MsAdpcmBlockTooShort", Adpcm(2, 255, 500), NONE},
    {"AdpcmExtraPastItsFormat",
     [](Movie& m) { m.tag = 2, m.audioBits = 4, m.blockAlign = 256, m.extraSize = 32; }, NONE},
    {"ImaAdpcm", Adpcm(0x11, 256, 505), NONE},
    {"ImaAdpcmBlockTooShort", Adpcm(0x11, 100, 505), NONE},
};

class AviCheckTest : public testing::TestWithParam<AviCase> {};

TEST_P(AviCheckTest, RefusesWhatThePlatformCrashesOn) {
    Movie movie;
    GetParam().change(movie);
    const std::string bytes = Bytes(movie);
    bool (*noRoom)(uint64_t) = [](uint64_t) { return false; };
    bool (*unprepared)(const uint8_t*, size_t, uint32_t,
                       uint32_t) = [](const uint8_t*, size_t, uint32_t, uint32_t) { return false; };
    const AviPlatform platform = {movie.heapHasRoom ? nullptr : noRoom,
                                  movie.soundPrepares ? nullptr : unprepared};
    const AviCheck check = CheckAvi(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                                    movie.fileSize != 0 ? movie.fileSize : bytes.size(), nullptr,
                                    movie.addressBits, platform);
    EXPECT_EQ(GetParam().refusal, check.refusal) << check.finding;
    EXPECT_EQ(check.refusal == NONE, std::string(check.finding).empty()) << check.finding;
}

INSTANTIATE_TEST_SUITE_P(AviCheck, AviCheckTest, testing::ValuesIn(AVI_CASES), CaseName<AviCase>);

// A file cut anywhere but before its first frame, or read only in part, is no reason to refuse a
// good movie: the platform plays what it can. Nor is anything that is not a RIFF AVI the
// checker's to judge.
TEST(AviCheck, PassesCutsPartialReadsAndOtherFiles) {
    const std::string bytes = Bytes(Movie());
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const size_t firstFrame = bytes.find("00dc");
    for (size_t cut = 0; cut <= bytes.size(); ++cut) {
        const bool noFrame = cut >= firstFrame && cut < firstFrame + 8;
        EXPECT_EQ(noFrame ? REFUSAL_NO_FRAMES : NONE, CheckAvi(data, cut, cut).refusal)
            << "cut at " << cut;
        EXPECT_EQ(NONE, CheckAvi(data, cut, bytes.size()).refusal) << "read " << cut;
    }
    // The file is shorter than the buffer: only its bytes count.
    Movie damaged;
    damaged.microSecPerFrame = 0;
    const std::string zero = Bytes(damaged);
    EXPECT_EQ(NONE,
              CheckAvi(reinterpret_cast<const uint8_t*>(zero.data()), zero.size(), 40).refusal);
    const std::string wave("RIFF\x24\0\0\0WAVEfmt ", 16);
    EXPECT_EQ(NONE,
              CheckAvi(reinterpret_cast<const uint8_t*>(wave.data()), wave.size(), 100).refusal);
    EXPECT_EQ(NONE, CheckAvi(nullptr, 100, 100).refusal);
}

bool ReadString(void* context, uint64_t offset, uint8_t* out, size_t count) {
    const std::string& file = *static_cast<const std::string*>(context);
    if (offset > file.size() || count > file.size() - offset) {
        return false;
    }
    file.copy(reinterpret_cast<char*>(out), count, static_cast<size_t>(offset));
    return true;
}

// Beyond the start it reads at once, the check reads the chunks its walk visits, up to a bound:
// a sound chunk that claims 4 GB far into the movie list is found as near its start.
TEST(AviCheck, WalksTheMovieListBeyondItsStart) {
    const struct {
        uint32_t fillers;
        bool reader;
        int32_t refusal;
    } rows[] = {
        {0, true, DAMAGED},
        {20, true, DAMAGED},
        {20, false, NONE},
        {AVI_CHECK_READS + 20, true, NONE},
    };
    for (const auto& row : rows) {
        Movie movie;
        movie.soundSize = 0xFFFFFFF0;
        movie.fillers = row.fillers;
        movie.fillerSize = 8000;
        const std::string bytes = Bytes(movie);
        const AviReader more = {ReadString, const_cast<std::string*>(&bytes)};
        const size_t start = bytes.size() < AVI_CHECK_BYTES ? bytes.size() : AVI_CHECK_BYTES;
        EXPECT_EQ(row.refusal, CheckAvi(reinterpret_cast<const uint8_t*>(bytes.data()), start,
                                        bytes.size(), row.reader ? &more : nullptr, 32)
                                   .refusal)
            << row.fillers << " fillers";
    }
}

} // namespace
