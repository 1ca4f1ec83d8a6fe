#include "core/Seeking.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Longer than the 10,737,418 ms up to which the products are exact in 32 bits.
const int32_t LONG_MOVIE = 11400000;

template <typename T> std::string CaseName(const ::testing::TestParamInfo<T>& info) {
    return "Case" + std::to_string(info.index);
}

struct TrackCase {
    int32_t position;
    int32_t start;
    int32_t length;
    int32_t expected;
};

const TrackCase TRACK_CASES[] = {
    {0, 0, 10000, 0},
    {5000, 0, 10000, 100},
    {10000, 0, 10000, 200},
    {49, 0, 10000, 0}, // 0.98 truncates to 0
    {50, 0, 10000, 1},
    {9999, 0, 10000, 199}, // 199.98 truncates to 199
    {1500, 1000, 1000, 100},
    {1000, 1000, 1000, 0},
    {2000, 1000, 1000, 200},
    {-100, 0, 10000, 0},    // before the start
    {500, 1000, 10000, 0},  // before a start that is not 0
    {12000, 0, 10000, 200}, // after the end
    {10001, 0, 10000, 200},
    {5000, 0, 0, 0}, // a movie window without a movie reports 0
    {0, 0, 0, 0},
    {5000, 0, -1, 0},
    {5000, 0, INT32_MIN, 0},
    {LONG_MOVIE / 2, 0, LONG_MOVIE, 100},
    {11000000, 0, LONG_MOVIE, 192}, // 11e6 * 200 does not fit in 32 bits
    {LONG_MOVIE, 0, LONG_MOVIE, 200},
    {LONG_MOVIE - 1, 0, LONG_MOVIE, 199},
    {INT32_MAX, 0, INT32_MAX, 200},
    {INT32_MAX / 2, 0, INT32_MAX, 99},
    {INT32_MAX, INT32_MIN, INT32_MAX, 200}, // difference beyond 32 bits, clamped
    {INT32_MIN, INT32_MAX, INT32_MAX, 0},
    {INT32_MIN, INT32_MIN, 1, 0},
    {INT32_MAX, INT32_MAX - 1, 1, 200},
    {0, INT32_MIN, INT32_MAX, 200},
    {1, 0, 1, 200},
};

class TrackPositionTest : public ::testing::TestWithParam<TrackCase> {};

TEST_P(TrackPositionTest, ScaledAndClamped) {
    const TrackCase& c = GetParam();
    EXPECT_EQ(TrackPositionOf(c.position, c.start, c.length), c.expected)
        << c.position << " " << c.start << " " << c.length;
}

INSTANTIATE_TEST_SUITE_P(Cases, TrackPositionTest, ::testing::ValuesIn(TRACK_CASES),
                         CaseName<TrackCase>);

struct MovieCase {
    int32_t trackPosition;
    int32_t start;
    int32_t length;
    int32_t expected;
};

const MovieCase MOVIE_CASES[] = {
    {0, 0, 10000, 0},
    {100, 0, 10000, 5000},
    {200, 0, 10000, 10000},
    {1, 0, 199, 0}, // 0.995 truncates to 0
    {3, 0, 150, 2}, // 2.25 truncates to 2
    {199, 0, 10001, 9950},
    {100, 1000, 10000, 6000},
    {0, 1000, 10000, 1000},
    {150, 700, 0, 700},    // defined for a length of 0
    {100, 0, -1000, -500}, // and for a negative one
    {1, 0, -199, 0},       // truncation toward zero, not down
    {1, 10, -300, 9},
    {200, 0, LONG_MOVIE, LONG_MOVIE}, // 200 * 11,400,000 does not fit in 32 bits
    {199, 0, LONG_MOVIE, 11343000},
    {100, 0, LONG_MOVIE, 5700000},
    {300, 0, 10000, 15000}, // thumb positions beyond the range are scaled too
    {65535, 0, 10000, 3276750},
    {201, 0, 200, 201},
    {65535, 0, INT32_MAX, INT32_MAX}, // beyond 32 bits: kept within range
    {200, INT32_MAX, INT32_MAX, INT32_MAX},
    {200, INT32_MIN, INT32_MIN, INT32_MIN},
    {INT32_MIN, 0, INT32_MAX, INT32_MIN},
    {INT32_MAX, 0, INT32_MAX, INT32_MAX},
    {INT32_MIN, 0, INT32_MIN, INT32_MAX},
    {200, INT32_MIN, INT32_MAX, -1},
    {200, INT32_MAX - 10, 10, INT32_MAX},
    {-1, 0, 10000, -50},
};

class MoviePositionTest : public ::testing::TestWithParam<MovieCase> {};

TEST_P(MoviePositionTest, ScaledAndKeptInRange) {
    const MovieCase& c = GetParam();
    EXPECT_EQ(MoviePositionOf(c.trackPosition, c.start, c.length), c.expected)
        << c.trackPosition << " " << c.start << " " << c.length;
}

INSTANTIATE_TEST_SUITE_P(Cases, MoviePositionTest, ::testing::ValuesIn(MOVIE_CASES),
                         CaseName<MovieCase>);

// Going to a trackbar position and back lands on the same trackbar position.
TEST(SeekingRoundTripTest, EveryTrackPositionOfALongMovie) {
    for (int32_t p = 0; p <= TRACK_SCALE; ++p) {
        const int32_t position = MoviePositionOf(p, 1000, LONG_MOVIE);
        EXPECT_EQ(TrackPositionOf(position, 1000, LONG_MOVIE), p) << p;
    }
}

struct StepCase {
    int32_t position;
    int32_t step;
    int32_t start;
    int32_t end;
    int32_t expected;
};

const StepCase STEP_CASES[] = {
    {400, -STEP_MS, 0, 10000, 0},     // Rewind near the start
    {9500, STEP_MS, 0, 10000, 10000}, // Forward near the end
    {5000, -STEP_MS, 0, 10000, 4000},
    {5000, STEP_MS, 0, 10000, 6000},
    {1000, -STEP_MS, 0, 10000, 0},    // exactly to the start
    {9000, STEP_MS, 0, 10000, 10000}, // exactly to the end
    {8999, STEP_MS, 0, 10000, 9999},
    {1500, -STEP_MS, 1000, 5000, 1000},
    {2000, -STEP_MS, 1000, 5000, 1000},
    {2001, -STEP_MS, 1000, 5000, 1001},
    {-5000, STEP_MS, 0, 10000, 0},      // position before the start
    {20000, -STEP_MS, 0, 10000, 10000}, // position after the end
    {0, STEP_MS, 0, 0, 0},              // empty movie
    {0, -STEP_MS, 0, 0, 0},
    {500, STEP_MS, 1000, 0, 1000}, // end below start: the start wins
    {5000, STEP_MS, 1000, 0, 1000},
    {LONG_MOVIE - 500, STEP_MS, 0, LONG_MOVIE, LONG_MOVIE},
    {INT32_MAX, STEP_MS, 0, INT32_MAX, INT32_MAX}, // position + step beyond 32 bits
    {INT32_MAX - 500, STEP_MS, 0, INT32_MAX, INT32_MAX},
    {INT32_MAX, STEP_MS, INT32_MIN, INT32_MAX - 1, INT32_MAX - 1},
    {INT32_MIN, -STEP_MS, INT32_MIN, 0, INT32_MIN},
    {INT32_MIN + 500, -STEP_MS, INT32_MIN, 0, INT32_MIN},
    {INT32_MIN, -STEP_MS, 0, 10000, 0},
    {INT32_MAX, INT32_MAX, 0, 10000, 10000},
    {INT32_MIN, INT32_MIN, -10000, 0, -10000},
};

class StepTargetTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepTargetTest, Clamped) {
    const StepCase& c = GetParam();
    EXPECT_EQ(StepTarget(c.position, c.step, c.start, c.end), c.expected)
        << c.position << " " << c.step << " " << c.start << " " << c.end;
}

INSTANTIATE_TEST_SUITE_P(Cases, StepTargetTest, ::testing::ValuesIn(STEP_CASES),
                         CaseName<StepCase>);

TEST(SeekingConstantsTest, Values) {
    EXPECT_EQ(TRACK_SCALE, 200);
    EXPECT_EQ(STEP_MS, 1000);
}

struct StateCase {
    PlayerState state;
    bool transportSeeks;
};

const StateCase STATE_CASES[] = {
    {MCI_MODE_NOT_READY, false},
    {MCI_MODE_STOP, true},
    {MCI_MODE_PLAY, false},
    {MCI_MODE_PAUSE, true},
    {0, false},
    {527, false},
    {528, false},
    {530, false},
    {-1, false},
};

class StateDecisionTest : public ::testing::TestWithParam<StateCase> {};

TEST_P(StateDecisionTest, TransportSeekOnlyWhenStoppedOrPaused) {
    EXPECT_EQ(TransportSeekAllowed(GetParam().state), GetParam().transportSeeks);
}

TEST_P(StateDecisionTest, PositionNotifyOnlyWhilePlayingAndNotSeeking) {
    const PlayerState state = GetParam().state;
    EXPECT_FALSE(PositionNotifyApplies(true, state));
    EXPECT_EQ(PositionNotifyApplies(false, state), state == 526);
}

INSTANTIATE_TEST_SUITE_P(States, StateDecisionTest, ::testing::ValuesIn(STATE_CASES),
                         CaseName<StateCase>);

struct ScrollCase {
    int32_t code;
    bool seek;
    bool fromThumb;
    bool setSeeking;
    bool clearSeeking;
    bool resumeIfPlaying;
};

const ScrollCase SCROLL_CASES[] = {
    {0, true, false, true, false, false},   // TB_LINEUP
    {1, true, false, true, false, false},   // TB_LINEDOWN
    {2, true, false, true, false, false},   // TB_PAGEUP
    {3, true, false, true, false, false},   // TB_PAGEDOWN
    {4, false, false, false, false, false}, // TB_THUMBPOSITION
    {5, true, true, true, false, false},    // TB_THUMBTRACK
    {6, false, false, false, false, false}, // TB_TOP
    {7, false, false, false, false, false}, // TB_BOTTOM
    {8, false, false, false, true, true},   // TB_ENDTRACK
    {9, false, false, false, false, false},
    {-1, false, false, false, false, false},
    {65535, false, false, false, false, false},
    {65536, false, false, false, false, false}, // a code whose low word is 0 is not code 0
    {INT32_MIN, false, false, false, false, false},
    {INT32_MAX, false, false, false, false, false},
};

class TrackScrollTest : public ::testing::TestWithParam<ScrollCase> {};

TEST_P(TrackScrollTest, ActionOfCode) {
    const ScrollCase& c = GetParam();
    const TrackScrollAction a = TrackScrollActionOf(c.code);
    EXPECT_EQ(a.seek, c.seek);
    EXPECT_EQ(a.fromThumb, c.fromThumb);
    EXPECT_EQ(a.setSeeking, c.setSeeking);
    EXPECT_EQ(a.clearSeeking, c.clearSeeking);
    EXPECT_EQ(a.resumeIfPlaying, c.resumeIfPlaying);
}

INSTANTIATE_TEST_SUITE_P(Codes, TrackScrollTest, ::testing::ValuesIn(SCROLL_CASES),
                         CaseName<ScrollCase>);

// The movie has run to its end only when a playing movie reports stopped and the user is not
// seeking; every other combination is ignored.
TEST(EndOfMovieTest, EveryCombination) {
    const int32_t modes[] = {0, -1, 524, 525, 526, 527, 528, 529, 530, INT32_MAX};
    const PlayerState states[] = {524, 525, 526, 529, 0, 527};
    for (const int32_t newMode : modes) {
        for (const PlayerState state : states) {
            for (const bool seekingNow : {false, true}) {
                for (const bool repeatOn : {false, true}) {
                    EndOfMovieAction expected = END_IGNORE;
                    if (newMode == 525 && state == 526 && !seekingNow) {
                        expected = repeatOn ? END_REPEAT : END_STOP;
                    }
                    EXPECT_EQ(EndOfMovieActionOf(newMode, state, seekingNow, repeatOn), expected)
                        << newMode << " " << state << " " << seekingNow << " " << repeatOn;
                }
            }
        }
    }
}

TEST(EndOfMovieTest, WorkedCases) {
    EXPECT_EQ(EndOfMovieActionOf(525, 526, false, false), END_STOP);
    EXPECT_EQ(EndOfMovieActionOf(525, 526, false, true), END_REPEAT);
    EXPECT_EQ(EndOfMovieActionOf(525, 526, true, false), END_IGNORE); // a seek stopped it
    EXPECT_EQ(EndOfMovieActionOf(525, 529, false, false), END_IGNORE);
    EXPECT_EQ(EndOfMovieActionOf(526, 526, false, false), END_IGNORE);
}

// The 5 s seeks of the arrow keys and the wheel: clamped to the start and to the end as Rewind
// and Forward are, in any state.
struct SeekCase {
    int32_t position;
    int32_t steps;
    int32_t start;
    int32_t end;
    int32_t expected;
};

const SeekCase SEEK_CASES[] = {
    {10000, 1, 0, 60000, 15000},
    {10000, -1, 0, 60000, 5000},
    {10000, 3, 0, 60000, 25000}, // three notches in one message
    {3000, -1, 0, 60000, 0},     // clamped at the start
    {5000, -1, 0, 60000, 0},     // exactly to the start
    {58000, 1, 0, 60000, 60000}, // clamped at the end
    {55000, 1, 0, 60000, 60000}, // exactly to the end
    {0, -1, 0, 60000, 0},        // back at the start stays there
    {60000, 1, 0, 60000, 60000}, // forward at the end stays there
    {1000, 1, 0, 1900, 1900},    // a movie shorter than 5 s: forward goes to its end
    {1000, -1, 0, 1900, 0},      // and back to its start
    {0, 1, 0, 0, 0},             // length 0
    {0, -1, 0, 0, 0},
    {3000, 0, 1000, 9000, 3000},            // no step
    {2000, -1, 1000, 9000, 1000},           // a start that is not 0
    {11000000, 1, 0, LONG_MOVIE, 11005000}, // past 2 h 59 min
    {LONG_MOVIE - 1000, 1, 0, LONG_MOVIE, LONG_MOVIE},
    {INT32_MAX - 1, 1, 0, INT32_MAX, INT32_MAX}, // the sum passes 32 bits
    {INT32_MIN + 1, -1, INT32_MIN, 0, INT32_MIN},
    {0, INT32_MAX, 0, INT32_MAX, INT32_MAX}, // steps times 5 s pass 32 bits
    {0, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MIN},
    {500, 1, 1000, 900, 1000}, // an end before the start: the start wins, as in StepTarget
};

class SeekTargetTest : public ::testing::TestWithParam<SeekCase> {};

TEST_P(SeekTargetTest, ClampedAsRewindAndForward) {
    const SeekCase& c = GetParam();
    EXPECT_EQ(SeekTarget(c.position, c.steps, c.start, c.end), c.expected)
        << c.position << " " << c.steps << " " << c.start << " " << c.end;
    if (c.steps == 1 || c.steps == -1) {
        EXPECT_EQ(SeekTarget(c.position, c.steps, c.start, c.end),
                  StepTarget(c.position, c.steps * SEEK_STEP_MS, c.start, c.end));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SeekTargetTest, ::testing::ValuesIn(SEEK_CASES),
                         CaseName<SeekCase>);

struct WheelCase {
    int32_t carried;
    int32_t delta;
    int32_t steps;
    int32_t remainder;
};

const WheelCase WHEEL_CASES[] = {
    {0, -120, 1, 0}, // toward the user: forward
    {0, 120, -1, 0}, // away: back
    {0, -360, 3, 0}, // three notches at once
    {0, 240, -2, 0},
    {0, -60, 0, -60}, // half a notch waits for the other half
    {-60, -60, 1, 0},
    {-60, 60, 0, 0}, // turned back: nothing left
    {-100, -150, 2, -10},
    {50, 100, -1, 30},
    {0, 0, 0, 0},
    {0, -32768, 273, -8}, // the largest rotation one message can carry
    {0, 32767, -273, 7},
    {119, 32767, -274, 6},
    {INT32_MAX, INT32_MAX, -35791394, 14}, // no overflow whatever is passed
    {INT32_MIN, INT32_MIN, 35791394, -16},
};

class WheelStepsTest : public ::testing::TestWithParam<WheelCase> {};

TEST_P(WheelStepsTest, WholeNotchesAndRemainder) {
    const WheelCase& c = GetParam();
    const WheelSteps result = WheelStepsOf(c.carried, c.delta);
    EXPECT_EQ(result.steps, c.steps) << c.carried << " " << c.delta;
    EXPECT_EQ(result.remainder, c.remainder) << c.carried << " " << c.delta;
}

INSTANTIATE_TEST_SUITE_P(Cases, WheelStepsTest, ::testing::ValuesIn(WHEEL_CASES),
                         CaseName<WheelCase>);

struct ClickCase {
    Press first;
    Press second;
    bool expected;
};

// The platform's defaults: 500 ms and a 4 x 4 rectangle.
const ClickCase CLICK_CASES[] = {
    {{true, 1000, 50, 50}, {true, 1200, 50, 50}, true},
    {{true, 1000, 50, 50}, {true, 1499, 51, 49}, true},
    {{true, 1000, 50, 50}, {true, 1500, 50, 50}, false}, // too slow
    {{true, 1000, 50, 50}, {true, 4000, 50, 50}, false},
    {{true, 1000, 50, 50}, {true, 1100, 52, 50}, false}, // too far right
    {{true, 1000, 50, 50}, {true, 1100, 48, 50}, false},
    {{true, 1000, 50, 50}, {true, 1100, 50, 52}, false},              // too far down
    {{false, 1000, 50, 50}, {true, 1100, 50, 50}, false},             // no first press
    {{true, 0xFFFFFF00u, 50, 50}, {true, 0x00000050u, 50, 50}, true}, // the clock wrapped
    {{true, 1000, 50, 50}, {true, 999, 50, 50}, false}, // earlier: a wrapped, huge delay
    {{true, 1000, INT32_MIN, 0}, {true, 1001, INT32_MAX, 0}, false}, // no overflow
};

class DoubleClickTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(DoubleClickTest, TimeAndDistance) {
    const ClickCase& c = GetParam();
    EXPECT_EQ(IsDoubleClick(c.first, c.second, 500, 4, 4), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DoubleClickTest, ::testing::ValuesIn(CLICK_CASES),
                         CaseName<ClickCase>);

TEST(DoubleClickTest, WiderSettings) {
    const Press first = {true, 0, 0, 0};
    EXPECT_TRUE(IsDoubleClick(first, {true, 900, 9, -9}, 1000, 20, 20));
    EXPECT_FALSE(IsDoubleClick(first, {true, 900, 10, 0}, 1000, 20, 20));
    EXPECT_FALSE(IsDoubleClick(first, {true, 0, 0, 0}, 0, 4, 4)); // a time of 0 allows none
}

} // namespace
