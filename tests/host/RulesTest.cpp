#include "core/Rules.h"

#include "core/Refusal.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What each state shows, written out from the rule tables rather than derived.
struct StateExpect {
    PlayerState state;
    bool closeEnabled;
    bool playPauseEnabled;
    bool stopEnabled;
    bool seekEnabled; // Beginning, Rewind, Forward, End
    int32_t playPauseImage;
    const char* stateText; // null: nothing is written
    bool showsTime;
};

const StateExpect STATE_EXPECTS[] = {
    {MCI_MODE_NOT_READY, false, false, false, false, 1, "", false},
    {MCI_MODE_STOP, true, true, false, true, 0, "Stopped", true},
    {MCI_MODE_PLAY, true, true, true, false, 1, "Playing", true},
    {MCI_MODE_PAUSE, true, true, true, true, 0, "Paused", true},
    // Values that are never stored take the "otherwise" branch of every rule.
    {0, true, true, false, false, 1, nullptr, true},
    {-1, true, true, false, false, 1, nullptr, true},
    {527, true, true, false, false, 1, nullptr, true},
    {528, true, true, false, false, 1, nullptr, true},
    {530, true, true, false, false, 1, nullptr, true},
    {INT32_MIN, true, true, false, false, 1, nullptr, true},
    {INT32_MAX, true, true, false, false, 1, nullptr, true},
};

const ScreenMode MODES[] = {Windowed, FullScreen};
const bool REPEATS[] = {false, true};
const bool FITS[] = {false, true};
const int32_t ZOOMS[] = {50, 100, 200, 0, 25, 75, 150, 400, -50, INT32_MIN, INT32_MAX};

uint32_t EnableValue(bool enabled) {
    return enabled ? 0u : 1u;
}
uint32_t CheckValue(bool checked) {
    return checked ? 8u : 0u;
}

class StateRulesTest : public ::testing::TestWithParam<StateExpect> {};

// Every (mode, repeat, zoom) combination for the state under test.
TEST_P(StateRulesTest, MenuItemsInOrderWithTheirValues) {
    const StateExpect& s = GetParam();
    for (const ScreenMode mode : MODES) {
        for (const bool repeatOn : REPEATS) {
            for (const int32_t zoom : ZOOMS) {
                for (const bool fit : FITS) {
                    SCOPED_TRACE("mode " + std::to_string(mode) + " repeat " +
                                 std::to_string(repeatOn) + " zoom " + std::to_string(zoom) +
                                 " fit " + std::to_string(fit));
                    const MenuItemRule expected[MENU_RULE_COUNT] = {
                        {32773, false, EnableValue(s.closeEnabled)},
                        {32771, false, EnableValue(s.playPauseEnabled)},
                        {32775, false, EnableValue(s.stopEnabled)},
                        {32776, false, EnableValue(s.seekEnabled)},
                        {32777, false, EnableValue(s.seekEnabled)},
                        {32778, false, EnableValue(s.seekEnabled)},
                        {32779, false, EnableValue(s.seekEnabled)},
                        {32780, true, CheckValue(mode == FullScreen)},
                        {32781, true, CheckValue(repeatOn)},
                        {32783, true, CheckValue(!fit && zoom == 50)},
                        {32784, true, CheckValue(!fit && zoom == 100)},
                        {32785, true, CheckValue(!fit && zoom == 200)},
                        {32786, true, CheckValue(fit)},
                    };
                    const std::array<MenuItemRule, MENU_RULE_COUNT> rules =
                        MenuRules(s.state, mode, repeatOn, zoom, fit);
                    int checkedZooms = 0;
                    for (int32_t i = 0; i < MENU_RULE_COUNT; ++i) {
                        const size_t k = static_cast<size_t>(i);
                        EXPECT_EQ(rules[k].commandId, expected[i].commandId) << "item " << i;
                        EXPECT_EQ(rules[k].isCheck, expected[i].isCheck) << "item " << i;
                        EXPECT_EQ(rules[k].value, expected[i].value) << "item " << i;
                        checkedZooms += i >= 9 && rules[k].value == RULE_MF_CHECKED ? 1 : 0;
                    }
                    // The zoom items are one group: exactly one is checked for every zoom the
                    // program can hold.
                    if (fit || zoom == 50 || zoom == 100 || zoom == 200) {
                        EXPECT_EQ(1, checkedZooms);
                    }
                }
            }
        }
    }
}

TEST_P(StateRulesTest, ButtonsInOrderWithTheirEnableValue) {
    const StateExpect& s = GetParam();
    const ButtonRule expected[BUTTON_RULE_COUNT] = {
        {32771, s.playPauseEnabled}, {32775, s.stopEnabled}, {32773, s.closeEnabled},
        {32776, s.seekEnabled},      {32777, s.seekEnabled}, {32778, s.seekEnabled},
        {32779, s.seekEnabled},
    };
    const std::array<ButtonRule, BUTTON_RULE_COUNT> buttons = ButtonRules(s.state);
    for (int32_t i = 0; i < BUTTON_RULE_COUNT; ++i) {
        const size_t k = static_cast<size_t>(i);
        EXPECT_EQ(buttons[k].commandId, expected[i].commandId) << "button " << i;
        EXPECT_EQ(buttons[k].enabled, expected[i].enabled) << "button " << i;
    }
}

TEST_P(StateRulesTest, PlayPauseImage) {
    EXPECT_EQ(PlayPauseImage(GetParam().state), GetParam().playPauseImage);
}

TEST_P(StateRulesTest, StateText) {
    const char* text = StateText(GetParam().state);
    if (GetParam().stateText == nullptr) {
        EXPECT_EQ(text, nullptr);
    } else {
        ASSERT_NE(text, nullptr);
        EXPECT_STREQ(text, GetParam().stateText);
    }
}

TEST_P(StateRulesTest, StatusShowsTime) {
    EXPECT_EQ(StatusShowsTime(GetParam().state), GetParam().showsTime);
}

INSTANTIATE_TEST_SUITE_P(AllStates, StateRulesTest, ::testing::ValuesIn(STATE_EXPECTS),
                         [](const ::testing::TestParamInfo<StateExpect>& info) {
                             return "Case" + std::to_string(info.index);
                         });

// The start-up picture: nothing open, default zoom, windowed, no repeat.
TEST(RulesScenarioTest, AfterStartUp) {
    const auto rules = MenuRules(MCI_MODE_NOT_READY, Windowed, false, 100);
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_FALSE(rules[i].isCheck);
        EXPECT_EQ(rules[i].value, RULE_MF_GRAYED) << rules[i].commandId;
    }
    EXPECT_EQ(rules[7].value, RULE_MF_UNCHECKED);  // Full Screen
    EXPECT_EQ(rules[8].value, RULE_MF_UNCHECKED);  // Repeat
    EXPECT_EQ(rules[9].value, RULE_MF_UNCHECKED);  // 50%
    EXPECT_EQ(rules[10].value, RULE_MF_CHECKED);   // 100%
    EXPECT_EQ(rules[11].value, RULE_MF_UNCHECKED); // 200%
    EXPECT_EQ(rules[12].value, RULE_MF_UNCHECKED); // Fit to Window
    for (const ButtonRule& b : ButtonRules(MCI_MODE_NOT_READY)) {
        EXPECT_FALSE(b.enabled) << b.commandId;
    }
    EXPECT_EQ(PlayPauseImage(MCI_MODE_NOT_READY), 1);
    EXPECT_STREQ(StateText(MCI_MODE_NOT_READY), "");
    EXPECT_FALSE(StatusShowsTime(MCI_MODE_NOT_READY));
}

TEST(RulesScenarioTest, MenuValuesAreThePlatformValues) {
    EXPECT_EQ(RULE_MF_ENABLED, 0u);
    EXPECT_EQ(RULE_MF_GRAYED, 1u);
    EXPECT_EQ(RULE_MF_UNCHECKED, 0u);
    EXPECT_EQ(RULE_MF_CHECKED, 8u);
}

struct PlayableCase {
    bool hasDevice;
    int32_t length;
    int32_t width;
    int32_t height;
    bool playable;
    int32_t refusal;
};

// The frame buffer is width x height x 4 bytes in a signed 32-bit count: 23170 x 23170 fits,
// 23171 x 23171 does not.
const int32_t NONE = REFUSAL_NONE;
const int32_t EMPTY = REFUSAL_NO_FRAMES;
const int32_t LARGE = REFUSAL_FRAMES_TOO_LARGE;
const PlayableCase PLAYABLE_CASES[] = {
    {true, 5000, 320, 240, true, NONE},       {false, 5000, 320, 240, false, NONE},
    {true, 0, 320, 240, false, EMPTY},        {true, -1, 320, 240, false, EMPTY},
    {true, 1, 320, 240, true, NONE},          {true, 5000, 23170, 23170, true, NONE},
    {true, 5000, 23171, 23171, false, LARGE}, {true, 5000, 30000, 30000, false, LARGE},
    {true, 5000, INT32_MAX, 1, false, LARGE}, {true, 5000, INT32_MAX, INT32_MAX, false, LARGE},
    {true, 5000, 0, 0, true, NONE},           {true, 5000, -30000, 30000, true, NONE},
    {true, 5000, 536870911, 1, true, NONE},   {true, 5000, 536870912, 1, false, LARGE},
    {false, 0, 30000, 30000, false, NONE},    {true, 0, 30000, 30000, false, EMPTY},
};

// Which movie windows are refused, and why: the platform's own failure (no device) is not ours.
TEST(PlayableMovieTest, DeviceLengthAndFrameSizeDecide) {
    for (const PlayableCase& c : PLAYABLE_CASES) {
        EXPECT_EQ(IsPlayableMovie(c.hasDevice, c.length, c.width, c.height), c.playable)
            << c.hasDevice << " " << c.length << " " << c.width << "x" << c.height;
        EXPECT_EQ(OpenedMovieRefusal(c.hasDevice, c.length, c.width, c.height), c.refusal)
            << c.hasDevice << " " << c.length << " " << c.width << "x" << c.height;
    }
}

struct AviHeaderCase {
    const char* name;
    std::string bytes;
    bool withoutVideo;
};

// A RIFF AVI start with stream headers of the given types, then the movie data.
std::string Avi(const std::vector<std::string>& types, const std::string& tail = "movi") {
    const std::string size(4, '\x40');
    std::string bytes = "RIFF" + size + "AVI LIST" + size + "hdrl";
    for (const std::string& type : types) {
        bytes += "strh" + size + type + std::string(52, '\x20');
    }
    return bytes + "LIST" + size + tail;
}

TEST(AviWithoutVideoTest, OnlyStreamHeadersWithoutVideoBeforeTheDataCount) {
    const AviHeaderCase cases[] = {
        {"sound alone", Avi({"auds"}), true},
        {"sound and video", Avi({"auds", "vids"}), false},
        {"video alone", Avi({"vids"}), false},
        {"video, then sound", Avi({"vids", "auds"}), false},
        {"two sound streams", Avi({"auds", "auds"}), true},
        {"no stream", Avi({}), false},
        {"text stream alone", Avi({"txts"}), true},
        {"a video header after the data", Avi({"auds"}, "movistrh@@@@vids"), true},
        {"not RIFF", "RIFX" + Avi({"auds"}).substr(4), false},
        {"RIFF but WAVE", "RIFF@@@@WAVEstrh@@@@auds", false},
        {"cut inside the type", Avi({"auds"}).substr(0, 30), false},
        {"empty", "", false},
        {"text", "This is a text file, not a movie.", false},
    };
    for (const AviHeaderCase& c : cases) {
        EXPECT_EQ(
            c.withoutVideo,
            IsAviWithoutVideo(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size()))
            << c.name;
    }
    EXPECT_FALSE(IsAviWithoutVideo(nullptr, 100));
}

// The rules of the commands beside the table's: frame steps, power, media keys, the pointer.
struct StateExtrasCase {
    PlayerState state;
    bool stepsEnabled;
    uint32_t executionState;
    int32_t playKey; // what Play, Pause, Play/Pause and Stop on the keyboard run
    int32_t pauseKey;
    int32_t stopKey;
};

const StateExtrasCase STATE_EXTRAS[] = {
    {MCI_MODE_NOT_READY, false, 0x80000000u, 32771, 0, 0},
    {MCI_MODE_STOP, true, 0x80000000u, 32771, 0, 0},
    {MCI_MODE_PLAY, true, 0x80000003u, 0, 32771, 32775},
    {MCI_MODE_PAUSE, true, 0x80000000u, 32771, 0, 32775},
};

TEST(StateExtrasTest, FrameStepsPowerAndMediaKeysFollowTheState) {
    for (const StateExtrasCase& c : STATE_EXTRAS) {
        SCOPED_TRACE(c.state);
        const auto steps = FrameStepRules(c.state);
        EXPECT_EQ(32787, steps[0].commandId);
        EXPECT_EQ(32788, steps[1].commandId);
        for (const MenuItemRule& rule : steps) {
            EXPECT_FALSE(rule.isCheck);
            EXPECT_EQ(EnableValue(c.stepsEnabled), rule.value);
        }
        EXPECT_EQ(c.executionState, ExecutionStateOf(c.state));
        const struct {
            int32_t appCommand;
            int32_t runs;
        } keys[] = {{14, 32771}, {46, c.playKey}, {47, c.pauseKey}, {13, c.stopKey}};
        for (const auto& key : keys) {
            const MediaKeyAction action = MediaKeyActionOf(key.appCommand, c.state);
            EXPECT_TRUE(action.handled) << key.appCommand;
            EXPECT_EQ(key.runs, action.commandId) << key.appCommand;
        }
        // Volume keys (8, 9, 10), next and previous track (11, 12) and the rest are the
        // system's.
        for (const int32_t other : {0, 1, 8, 9, 10, 11, 12, 15, 45, 48, 49, 50, -1}) {
            EXPECT_FALSE(MediaKeyActionOf(other, c.state).handled) << other;
            EXPECT_EQ(0, MediaKeyActionOf(other, c.state).commandId) << other;
        }
    }
}

TEST(StateExtrasTest, PointerHidesOnlyStillOverTheActiveFullScreenFrame) {
    EXPECT_TRUE(PointerHides(FullScreen, 2000, true, true, false));
    EXPECT_TRUE(PointerHides(FullScreen, 60000, true, true, false));
    EXPECT_FALSE(PointerHides(FullScreen, 1999, true, true, false));
    EXPECT_FALSE(PointerHides(Windowed, 60000, true, true, false));
    EXPECT_FALSE(PointerHides(FullScreen, 60000, false, true, false));
    EXPECT_FALSE(PointerHides(FullScreen, 60000, true, false, false));
    EXPECT_FALSE(PointerHides(FullScreen, 60000, true, true, true));
}

} // namespace
