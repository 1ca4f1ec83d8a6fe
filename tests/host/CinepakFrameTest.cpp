#include "core/CinepakFrame.h"

#include "tests/host/CaseTables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Word(uint32_t v) {
    return std::string{static_cast<char>(v >> 8 & 0xFF), static_cast<char>(v & 0xFF)};
}
std::string Chunk(uint32_t id, const std::string& data) {
    return Word(id) + Word(static_cast<uint32_t>(data.size() + 4)) + data;
}
// One strip of the given height, its size as its chunks make it unless given.
std::string Strip(uint32_t height, const std::string& chunks, uint32_t size = 0) {
    const uint32_t whole = size != 0 ? size : static_cast<uint32_t>(chunks.size() + 12);
    return Word(0x1000) + Word(whole) + Word(0) + Word(0) + Word(height) + Word(16) + chunks;
}
std::string Frame(const std::vector<std::string>& strips, uint32_t count = 0) {
    std::string body;
    for (const std::string& strip : strips) {
        body += strip;
    }
    const uint32_t length = static_cast<uint32_t>(body.size() + 10);
    return std::string{1, static_cast<char>(length >> 16), static_cast<char>(length >> 8 & 0xFF),
                       static_cast<char>(length & 0xFF)} +
           Word(16) + Word(8) + Word(count != 0 ? count : static_cast<uint32_t>(strips.size())) +
           body;
}
const std::string ONES("\xFF\xFF\xFF\xFF", 4);

struct FrameCase {
    std::string name;
    std::string bytes; // drawn into a picture 16 wide and 8 high: two rows of four blocks
    bool below;
};

const FrameCase FRAME_CASES[] = {
    {"FillsThePicture", Frame({Strip(8, Chunk(0x3200, std::string(8, 'v')))}), false},
    {"OneBlockBelow", Frame({Strip(12, Chunk(0x3200, std::string(9, 'v')))}), true},
    {"StripsReachFarButTheirDataEnds", Frame({Strip(63548, Chunk(0x3200, std::string(8, 'v')))}),
     false},
    {"SecondStripBelow",
     Frame({Strip(8, Chunk(0x3200, std::string(8, 'v'))), Strip(4, Chunk(0x3200, "v"))}), true},
    // Inter blocks: two flag bits each, "10" a one-byte block, a lone 0 a block skipped.
    {"SkippedBlocksBelowDrawNothing", Frame({Strip(16, Chunk(0x3100, std::string(4, '\0')))}),
     false},
    {"InterBlockBelow",
     Frame({Strip(12, Chunk(0x3100, std::string("\xAA\xAA\x80\x00", 4) + std::string(9, 'v')))}),
     true},
    // Key blocks: one flag bit each; the flag word's blocks are drawn even past the chunk.
    {"KeyBlocksFillThePicture", Frame({Strip(8, Chunk(0x3000, ONES + std::string(32, 'v')))}),
     false},
    {"KeyBlocksPastTheirChunk", Frame({Strip(12, Chunk(0x3000, ONES + std::string(32, 'v')))}),
     true},
    // A whole codebook's bytes past its last entry are not skipped: they are read as the next
    // chunk's id and size.
    {"CodebookRemainderReadAsAChunk",
     Frame({Strip(12,
                  Word(0x2000) + Word(14) + std::string(6, 'c') + Word(0x3200) + Word(13) +
                      std::string(9, 'v'),
                  0x1000)}),
     true},
    {"TooManyStrips", Frame({Strip(12, Chunk(0x3200, std::string(9, 'v')))}, 32), false},
    {"CutInItsHeader", Frame({Strip(12, Chunk(0x3200, std::string(9, 'v')))}).substr(0, 9), false},
};

class CinepakFrameTest : public testing::TestWithParam<FrameCase> {};

TEST_P(CinepakFrameTest, FindsTheBlocksDrawnBelowThePicture) {
    const std::string& bytes = GetParam().bytes;
    EXPECT_EQ(GetParam().below, CinepakDrawsBelow(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                  bytes.size(), 16, 8));
}

INSTANTIATE_TEST_SUITE_P(CinepakFrame, CinepakFrameTest, testing::ValuesIn(FRAME_CASES),
                         CaseName<FrameCase>);

} // namespace
