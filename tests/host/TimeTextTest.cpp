#include "core/TimeText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

template <typename T> std::string CaseName(const ::testing::TestParamInfo<T>& info) {
    return "Case" + std::to_string(info.index);
}

struct FormatCase {
    int32_t ms;
    bool ok;
    const char* text;
};

const FormatCase FORMAT_CASES[] = {
    {0, true, "00:00"},
    {999, true, "00:00"}, // milliseconds are cut, not rounded
    {1000, true, "00:01"},
    {59999, true, "00:59"},
    {60000, true, "01:00"},
    {65000, true, "01:05"},
    {599000, true, "09:59"},
    {600000, true, "10:00"},
    {3599999, true, "59:59"},
    {3600000, true, "01:00:00"},
    {3723000, true, "01:02:03"},
    {5400000, true, "01:30:00"},
    {11400000, true, "03:10:00"},
    {35999999, true, "09:59:59"},
    {36000000, true, "10:00:00"},
    {215999999, true, "59:59:59"},
    {216000000, true, "00:00"}, // 60 h: hours count modulo 60 and 0 is not shown
    {216065000, true, "01:05"},
    {219723000, true, "01:02:03"}, // 61 h 2 min 3 s
    {INT32_MAX, true, "56:31:23"},
    {-1, false, ""},
    {-1000, false, ""},
    {INT32_MIN, false, ""},
};

class FormatTimeTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTimeTest, Text) {
    const FormatCase& c = GetParam();
    char out[FORMAT_TIME_SIZE];
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(FormatTime(c.ms, out), c.ok);
    ASSERT_NE(std::memchr(out, '\0', sizeof out), nullptr);
    EXPECT_STREQ(out, c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatTimeTest, ::testing::ValuesIn(FORMAT_CASES),
                         CaseName<FormatCase>);

// Every whole second of the first 100 hours against a slow, obvious formatter.
TEST(FormatTimeSweepTest, EverySecondOfOneHundredHours) {
    char out[FORMAT_TIME_SIZE];
    for (int32_t s = 0; s < 100 * 3600; ++s) {
        const int32_t h = (s / 3600) % 60;
        const int32_t m = (s / 60) % 60;
        const int32_t sec = s % 60;
        std::string expected;
        if (h != 0) {
            expected += std::to_string(h / 10) + std::to_string(h % 10) + ":";
        }
        expected += std::to_string(m / 10) + std::to_string(m % 10) + ":" +
                    std::to_string(sec / 10) + std::to_string(sec % 10);
        ASSERT_TRUE(FormatTime(s * 1000 + 999, out));
        ASSERT_EQ(std::string(out), expected) << s;
    }
}

struct TimeTextCase {
    int32_t position;
    int32_t length;
    bool ok;
    const char* text;
};

const TimeTextCase TIME_TEXT_CASES[] = {
    {5000, 150000, true, "00:05/02:30"},
    {3600000, 5400000, true, "01:00:00/01:30:00"},
    {5000, 5400000, true, "00:05/01:30:00"}, // halves take their own forms
    {5400000, 5000, true, "01:30:00/00:05"},
    {0, 0, true, "00:00/00:00"},
    {INT32_MAX, INT32_MAX, true, "56:31:23/56:31:23"}, // the longest text
    {-1, 1000, false, ""},
    {1000, -1, false, ""},
    {-1, -1, false, ""},
    {INT32_MIN, INT32_MAX, false, ""},
};

class TimeTextTest : public ::testing::TestWithParam<TimeTextCase> {};

TEST_P(TimeTextTest, Text) {
    const TimeTextCase& c = GetParam();
    char out[TIME_TEXT_SIZE];
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(TimeText(c.position, c.length, out), c.ok);
    ASSERT_NE(std::memchr(out, '\0', sizeof out), nullptr);
    EXPECT_STREQ(out, c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, TimeTextTest, ::testing::ValuesIn(TIME_TEXT_CASES),
                         CaseName<TimeTextCase>);

TEST(TimeTextSizeTest, BuffersHoldTheLongestTexts) {
    EXPECT_GE(FORMAT_TIME_SIZE, 9);
    EXPECT_GE(TIME_TEXT_SIZE, 18);
}

} // namespace
