#include "core/CommandTable.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct TextCase {
    int32_t commandId;
    const char* help;
    const char* toolTip;
};

// Written out from the command table, one row per command.
const TextCase TEXT_CASES[] = {
    {32771, "Play/Pause the movie", "Play/Pause"},
    {32772, "Open a movie file", "Unknown"},
    {32773, "Close the movie", "Close"},
    {32774, "Quit the application", "Unknown"},
    {32775, "Stop playing the movie", "Stop"},
    {32776, "Go to the beginning of the movie", "Beginning"},
    {32777, "Rewind the movie position", "Rewind"},
    {32778, "Forward the movie position", "Forward"},
    {32779, "Go to the end of the movie", "End"},
    {32780, "Switch to Full Screen mode", "Unknown"},
    {32781, "Play the movie continuously", "Unknown"},
    {32782, "Display program infomation", "Unknown"},
    {32783, "", "Unknown"},
    {32784, "", "Unknown"},
    {32785, "", "Unknown"},
    {32786, "Fit the picture to the window", "Unknown"},
    {32787, "Show the next frame", "Unknown"},
    {32788, "Show the previous frame", "Unknown"},
    {32789, "Raise the volume", "Unknown"},
    {32790, "Lower the volume", "Unknown"},
    {32791, "Turn the sound off or on", "Unknown"},
    // Ids outside the table.
    {0, "", "Unknown"},
    {1, "", "Unknown"},
    {-1, "", "Unknown"},
    {32770, "", "Unknown"},
    {32792, "", "Unknown"},
    {65535, "", "Unknown"},
    {INT32_MIN, "", "Unknown"},
    {INT32_MAX, "", "Unknown"},
};

class CommandTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(CommandTextTest, HelpTextMatchesTable) {
    const TextCase& c = GetParam();
    const char* help = HelpText(c.commandId);
    ASSERT_NE(help, nullptr);
    EXPECT_STREQ(help, c.help);
}

TEST_P(CommandTextTest, ToolTipTextMatchesTable) {
    const TextCase& c = GetParam();
    const char* toolTip = ToolTipText(c.commandId);
    ASSERT_NE(toolTip, nullptr);
    EXPECT_STREQ(toolTip, c.toolTip);
    // Must fit the notification's text buffer.
    EXPECT_LT(std::strlen(toolTip), static_cast<size_t>(TOOLTIP_TEXT_SIZE));
}

INSTANTIATE_TEST_SUITE_P(AllIds, CommandTextTest, ::testing::ValuesIn(TEXT_CASES),
                         [](const ::testing::TestParamInfo<TextCase>& info) {
                             return "Case" + std::to_string(info.index);
                         });

TEST(CommandIdsTest, MatchTheTable) {
    EXPECT_EQ(IDM_PLAYPAUSE, 32771);
    EXPECT_EQ(IDM_OPEN, 32772);
    EXPECT_EQ(IDM_CLOSE, 32773);
    EXPECT_EQ(IDM_EXIT, 32774);
    EXPECT_EQ(IDM_STOP, 32775);
    EXPECT_EQ(IDM_BEGINNING, 32776);
    EXPECT_EQ(IDM_REWIND, 32777);
    EXPECT_EQ(IDM_FORWARD, 32778);
    EXPECT_EQ(IDM_END, 32779);
    EXPECT_EQ(IDM_FULLSCREEN, 32780);
    EXPECT_EQ(IDM_REPEAT, 32781);
    EXPECT_EQ(IDM_ABOUT, 32782);
    EXPECT_EQ(IDM_ZOOM50, 32783);
    EXPECT_EQ(IDM_ZOOM100, 32784);
    EXPECT_EQ(IDM_ZOOM200, 32785);
    EXPECT_EQ(IDM_ZOOMFIT, 32786);
    EXPECT_EQ(IDM_NEXTFRAME, 32787);
    EXPECT_EQ(IDM_PREVFRAME, 32788);
    EXPECT_EQ(IDM_VOLUMEUP, 32789);
    EXPECT_EQ(IDM_VOLUMEDOWN, 32790);
    EXPECT_EQ(IDM_MUTE, 32791);
    EXPECT_EQ(IDM_LAST, IDM_MUTE);
}

TEST(CommandTableTest, ExactlySevenCommandsHaveATooltip) {
    int withToolTip = 0;
    for (int32_t id = IDM_FIRST; id <= IDM_LAST; ++id) {
        if (std::strcmp(ToolTipText(id), "Unknown") != 0) {
            ++withToolTip;
        }
    }
    EXPECT_EQ(withToolTip, 7);
}

TEST(CommandTableTest, EveryNonZoomCommandHasHelp) {
    for (int32_t id = IDM_FIRST; id <= IDM_ABOUT; ++id) {
        EXPECT_GT(std::strlen(HelpText(id)), 0u) << id;
    }
}

} // namespace
