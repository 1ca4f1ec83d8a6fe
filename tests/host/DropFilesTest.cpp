#include "core/DropFiles.h"

#include "CaseTables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

void PutUint32(std::vector<uint8_t>& block, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        block[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// A block as the shell builds it: header, then each name and its terminator, then one more
// terminator; wide names as UTF-16 little-endian.
std::vector<uint8_t> Block(const std::vector<std::u16string>& names, bool wide,
                           uint32_t listOffset = DROP_HEADER_SIZE) {
    std::vector<uint8_t> block(DROP_HEADER_SIZE, 0);
    PutUint32(block, 0, listOffset);
    PutUint32(block, 4, 10); // the drop point
    PutUint32(block, 8, 20);
    PutUint32(block, 16, wide ? 1 : 0);
    block.resize(listOffset, 0xCC);
    for (const std::u16string& name : names) {
        for (char16_t c : name) {
            block.push_back(static_cast<uint8_t>(c & 0xFF));
            if (wide) {
                block.push_back(static_cast<uint8_t>(c >> 8));
            }
        }
        block.insert(block.end(), wide ? 2 : 1, 0);
    }
    block.insert(block.end(), wide ? 2 : 1, 0);
    return block;
}

struct DropCase {
    std::string name;
    std::vector<uint8_t> block;
    bool found;
    bool wide;
    size_t offset;
    size_t length;
};

std::vector<uint8_t> Cut(std::vector<uint8_t> block, size_t size) {
    block.resize(size);
    return block;
}

const std::u16string ONE = u"C:\\m\\a.avi";           // 10 characters
const std::u16string GREEK = u"Z:\\\u0395\u03bb.avi"; // 9 units

const DropCase DROP_CASES[] = {
    {"OneWide", Block({ONE}, true), true, true, 20, 10},
    {"OneNarrow", Block({ONE}, false), true, false, 20, 10},
    {"ThreeWideTheFirstCounts", Block({ONE, u"C:\\b.avi", u"C:\\c.avi"}, true), true, true, 20, 10},
    {"ThreeNarrow", Block({u"C:\\x.avi", ONE, ONE}, false), true, false, 20, 8},
    {"OutsideLatin", Block({GREEK}, true), true, true, 20, 9},
    {"ListAfterAGap", Block({ONE}, true, 32), true, true, 32, 10},
    {"OddOffsetWide", Block({ONE}, true, 21), true, true, 21, 10},
    {"EmptyList", Block({}, true), false, true, 20, 0},
    {"EmptyNarrowList", Block({}, false), false, false, 20, 0},
    {"NoTerminator", Cut(Block({ONE}, true), 20 + 2 * 10), false, true, 20, 0},
    {"HalfATerminator", Cut(Block({ONE}, true), 20 + 2 * 10 + 1), false, true, 20, 0},
    {"TerminatorOnlyAtTheEnd", Cut(Block({ONE}, true), 20 + 2 * 11), true, true, 20, 10},
    {"ShorterThanItsHeader", Cut(Block({ONE}, true), 19), false, false, 0, 0},
    {"Empty", {}, false, false, 0, 0},
    {"ListInsideTheHeader", Block({ONE}, true, 8), false, true, 8, 0},
    {"ListPastTheEnd", Cut(Block({ONE}, true, 200), 100), false, true, 200, 0},
    {"ListAtTheEnd", Cut(Block({ONE}, true, 40), 40), false, true, 40, 0},
};

class DropFilesTest : public testing::TestWithParam<DropCase> {};

TEST_P(DropFilesTest, FirstName) {
    const DropCase& c = GetParam();
    const DroppedName name =
        FirstDroppedName(c.block.empty() ? nullptr : c.block.data(), c.block.size());
    EXPECT_EQ(c.found, name.found);
    if (c.found) {
        EXPECT_EQ(c.wide, name.wide);
        EXPECT_EQ(c.offset, name.offset);
        EXPECT_EQ(c.length, name.length);
    }
}

INSTANTIATE_TEST_SUITE_P(Blocks, DropFilesTest, testing::ValuesIn(DROP_CASES), CaseName<DropCase>);

TEST(DropFilesTest, ANameIsReadWhereItIs) {
    const std::vector<uint8_t> block = Block({GREEK, ONE}, true);
    const DroppedName name = FirstDroppedName(block.data(), block.size());
    ASSERT_TRUE(name.found);
    std::u16string read;
    for (size_t i = 0; i < name.length; ++i) {
        read.push_back(static_cast<char16_t>(block[name.offset + 2 * i] |
                                             block[name.offset + 2 * i + 1] << 8));
    }
    EXPECT_EQ(GREEK, read);
}

TEST(DropFilesTest, ANullBlockHasNoName) {
    EXPECT_FALSE(FirstDroppedName(nullptr, 100).found);
}

} // namespace
