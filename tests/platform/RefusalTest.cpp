// The player's own refusals: one warning box, owned by the frame, captioned "Quillotrope", that
// names the file and says why; then the state of a failed open.
#include <windows.h>

#include "PlayerSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace playertest;

namespace {

struct RefusedFile {
    const char* file;
    const char* sentence; // what the box says after the name
};

const RefusedFile REFUSED_FILES[] = {
    {"soundonly.avi", "This file has sound but no picture."},
    {"noframes.avi", "This file has no frames to show."},
    {"huge30000.avi", "The frames of this file are too large to show."},
    // Its first video chunk claims 0xFFFFFFFF bytes.
    {"badchunk.avi", "This file is damaged and cannot be played."},
};

struct BoxSeen {
    std::string caption;
    std::string text;
    HWND owner = nullptr;
    bool warningIcon = false;
};

// Answers every box with OK, noting the last one's caption, text, owner and icon.
DialogAnswerer AnswerBoxes(BoxSeen& seen) {
    return DialogAnswerer([&seen](HWND box) {
        seen.caption = WindowText(box);
        seen.text = WindowText(GetDlgItem(box, 0xFFFF));
        seen.owner = GetWindow(box, GW_OWNER);
        // The box's icon control (1088) shows the system's warning icon.
        const HICON icon =
            reinterpret_cast<HICON>(SendDlgItemMessageA(box, 1088, STM_GETICON, 0, 0));
        seen.warningIcon = icon != nullptr && icon == LoadIconA(nullptr, IDI_WARNING);
        PressDialogButton(box, IDOK);
    });
}

class Refused : public testing::TestWithParam<std::tuple<RefusedFile, bool>> {};

TEST_P(Refused, SaysWhyOnceAndLeavesNoMovie) {
    const RefusedFile& file = std::get<0>(GetParam());
    const bool movieBefore = std::get<1>(GetParam());
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    if (movieBefore) {
        OpenFixture("clip320.avi");
        Command(IDM_PLAYPAUSE);
    }
    BoxSeen seen;
    {
        DialogAnswerer answerer = AnswerBoxes(seen);
        OpenFixture(file.file);
        EXPECT_EQ(1, answerer.AnsweredCount());
    }
    EXPECT_EQ("Quillotrope", seen.caption);
    EXPECT_EQ(std::string(file.file) + "\n" + file.sentence, seen.text);
    EXPECT_EQ(Frame(), seen.owner);
    EXPECT_TRUE(seen.warningIcon);
    // A movie that played was closed by the open, as before any failed open.
    ExpectNoMovie();
    EXPECT_EQ(400, OuterSize(Frame()).cx);
    EXPECT_EQ(320, OuterSize(Frame()).cy);
}

INSTANTIATE_TEST_SUITE_P(Files, Refused,
                         testing::Combine(testing::ValuesIn(REFUSED_FILES), testing::Bool()),
                         [](const testing::TestParamInfo<Refused::ParamType>& info) {
                             std::string name = std::get<0>(info.param).file;
                             name = name.substr(0, name.find('.'));
                             return name + (std::get<1>(info.param) ? "AfterMovie" : "Alone");
                         });

} // namespace
