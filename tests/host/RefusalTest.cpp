#include "core/Refusal.h"

#include "tests/host/CaseTables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct RefusalCase {
    const char* name;
    const char* path;
    int32_t reason;
    std::string text;
};

const std::string LONG_PATH = "C:\\long\\" + std::string(300, 'x') + ".avi";
// 99 ASCII bytes, then "é" (two bytes) straddling the 100-byte limit.
const std::string STRADDLE = std::string(99, 'a') + "\xC3\xA9" + "b.avi";

const RefusalCase REFUSAL_CASES[] = {
    {"PathTooLong", "C:\\m\\clip.avi", REFUSAL_PATH_TOO_LONG,
     "clip.avi\nThe path of this file is longer than 259 bytes."},
    {"NameNotCarried", "C:\\m\\?.avi", REFUSAL_NAME_NOT_CARRIED,
     "?.avi\nThe name of this file has letters this system cannot pass on."},
    {"SoundNoPicture", "C:\\sound.avi", REFUSAL_SOUND_NO_PICTURE,
     "sound.avi\nThis file has sound but no picture."},
    {"Faulted", "bad.avi", REFUSAL_FAULTED,
     "bad.avi\nThe first frame of this file could not be drawn."},
    {"FramesTooLarge", "Z:/a/b/huge.avi", REFUSAL_FRAMES_TOO_LARGE,
     "huge.avi\nThe frames of this file are too large to show."},
    {"NoFrames", "C:\\x\\none.avi", REFUSAL_NO_FRAMES,
     "none.avi\nThis file has no frames to show."},
    {"Damaged", "C:\\x\\d.avi", REFUSAL_DAMAGED,
     "d.avi\nThis file is damaged and cannot be played."},
    // The name as a command line may give it: quotes and trailing blanks are no part of it.
    {"QuotedCommandLine", "\"C:\\m\\my clip.avi\" \t", REFUSAL_PATH_TOO_LONG,
     "my clip.avi\nThe path of this file is longer than 259 bytes."},
    {"QuotedNameOnly", "\"clip.avi\"", REFUSAL_DAMAGED,
     "clip.avi\nThis file is damaged and cannot be played."},
    {"LongNameCut", LONG_PATH.c_str(), REFUSAL_PATH_TOO_LONG,
     std::string(100, 'x') + "...\nThe path of this file is longer than 259 bytes."},
    {"CutNeverSplitsALetter", STRADDLE.c_str(), REFUSAL_DAMAGED,
     std::string(99, 'a') + "...\nThis file is damaged and cannot be played."},
    {"UnicodeNameWhole", "C:\\\xF0\x9F\x8E\xAC clip.avi", REFUSAL_DAMAGED,
     "\xF0\x9F\x8E\xAC clip.avi\nThis file is damaged and cannot be played."},
    {"EndsInSeparator", "C:\\dir\\", REFUSAL_DAMAGED,
     "\nThis file is damaged and cannot be played."},
    {"NullPath", nullptr, REFUSAL_NO_FRAMES, "\nThis file has no frames to show."},
    {"UnknownReason", "C:\\a.avi", REFUSAL_REASON_COUNT, "a.avi\n"},
    {"NegativeReason", "a.avi", -1, "a.avi\n"},
};

class RefusalTextTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTextTest, IsTheNameALineBreakAndTheSentence) {
    const RefusalCase& c = GetParam();
    char text[REFUSAL_TEXT_SIZE];
    std::memset(text, 'Z', sizeof text);
    RefusalText(c.path, c.reason, text);
    EXPECT_EQ(c.text, text);
}

INSTANTIATE_TEST_SUITE_P(Refusal, RefusalTextTest, testing::ValuesIn(REFUSAL_CASES),
                         CaseName<RefusalCase>);

TEST(RefusalText, TheLongestNameWithTheLongestSentenceFits) {
    size_t longest = 0;
    for (int32_t reason = 0; reason < REFUSAL_REASON_COUNT; ++reason) {
        ASSERT_GT(std::strlen(RefusalSentence(reason)), 0u) << reason;
        longest = std::max(longest, std::strlen(RefusalSentence(reason)));
    }
    EXPECT_LT(REFUSAL_NAME_BYTES + 3 + 1 + longest, REFUSAL_TEXT_SIZE);
}

} // namespace
