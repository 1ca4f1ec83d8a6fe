#include "core/Volume.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct RangeCase {
    uint32_t value;
    uint32_t minimum;
    uint32_t maximum;
    int32_t percent;
};

// The mixer's usual 0..65535, a range that does not start at 0, and the degenerate ones.
const RangeCase PERCENT_CASES[] = {
    {0, 0, 65535, 0},
    {65535, 0, 65535, 100},
    {32768, 0, 65535, 50},
    {32767, 0, 65535, 50},
    {3277, 0, 65535, 5},
    {327, 0, 65535, 0},
    {328, 0, 65535, 1},
    {70000, 0, 65535, 100},
    {150, 100, 200, 50},
    {50, 100, 200, 0},
    {0xFFFFFFFF, 0, 0xFFFFFFFF, 100},
    {0x7FFFFFFF, 0, 0xFFFFFFFF, 50},
    {5, 5, 5, 100},
    {4, 5, 5, 0},
    {7, 9, 3, 100},
    {1, 9, 3, 0},
};

TEST(VolumeTest, PercentOfAControlValueRoundsAndHolds) {
    for (const RangeCase& c : PERCENT_CASES) {
        EXPECT_EQ(c.percent, VolumePercentOf(c.value, c.minimum, c.maximum))
            << c.value << " in " << c.minimum << ".." << c.maximum;
    }
}

TEST(VolumeTest, EveryStepSurvivesTheRoundTripThroughTheControl) {
    const uint32_t ranges[][2] = {{0, 65535}, {0, 100}, {0, 20}, {1000, 0xFFFFFFFF}};
    for (const auto& range : ranges) {
        for (int32_t percent = 0; percent <= 100; percent += VOLUME_STEP) {
            const uint32_t value = VolumeValueOf(percent, range[0], range[1]);
            EXPECT_GE(value, range[0]);
            EXPECT_LE(value, range[1]);
            EXPECT_EQ(percent, VolumePercentOf(value, range[0], range[1]))
                << percent << "% in " << range[0] << ".." << range[1];
        }
    }
    // Percents outside 0..100 are held at the ends; an empty range gives its only value.
    EXPECT_EQ(0u, VolumeValueOf(-5, 0, 65535));
    EXPECT_EQ(65535u, VolumeValueOf(250, 0, 65535));
    EXPECT_EQ(65535u, VolumeValueOf(INT32_MAX, 0, 65535));
    EXPECT_EQ(10u, VolumeValueOf(INT32_MIN, 10, 20));
    EXPECT_EQ(7u, VolumeValueOf(50, 7, 7));
}

struct StepCase {
    int32_t percent;
    int32_t up;
    int32_t down;
};

const StepCase STEP_CASES[] = {
    {0, 5, 0},     {5, 10, 0},    {45, 50, 40},   {47, 50, 45}, {48, 50, 45}, {50, 55, 45},
    {95, 100, 90}, {97, 100, 95}, {100, 100, 95}, {1, 5, 0},    {-20, 5, 0},  {130, 100, 95},
};

TEST(VolumeTest, StepsMoveAlongTheGridOfFiveAndStopAtTheEnds) {
    for (const StepCase& c : STEP_CASES) {
        EXPECT_EQ(c.up, SteppedVolume(c.percent, 1)) << c.percent;
        EXPECT_EQ(c.down, SteppedVolume(c.percent, -1)) << c.percent;
    }
    EXPECT_EQ(45, SteppedVolume(45, 0));
}

TEST(VolumeTest, StatusTextSaysTheVolumeOrMuted) {
    const struct {
        int32_t percent;
        bool muted;
        const char* text;
    } cases[] = {{45, false, "Volume 45%"},   {0, false, "Volume 0%"}, {5, false, "Volume 5%"},
                 {100, false, "Volume 100%"}, {45, true, "Muted"},     {0, true, "Muted"},
                 {140, false, "Volume 100%"}, {-3, false, "Volume 0%"}};
    for (const auto& c : cases) {
        char text[VOLUME_TEXT_SIZE] = "x";
        EXPECT_TRUE(VolumeText(c.percent, c.muted, text, sizeof text));
        EXPECT_STREQ(c.text, text);
    }
    EXPECT_STREQ("No sound device", NO_SOUND_DEVICE_TEXT);
    // A buffer too small takes nothing but the terminator.
    char small[11] = "x";
    EXPECT_FALSE(VolumeText(100, false, small, sizeof small));
    EXPECT_STREQ("", small);
    char exact[11] = "x";
    EXPECT_TRUE(VolumeText(45, false, exact, sizeof exact));
    EXPECT_FALSE(VolumeText(45, false, nullptr, 16));
    EXPECT_FALSE(VolumeText(45, false, exact, 0));
}

} // namespace
