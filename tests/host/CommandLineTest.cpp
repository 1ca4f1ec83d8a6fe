#include "core/CommandLine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

template <typename T> std::string CaseName(const ::testing::TestParamInfo<T>& info) {
    return "Case" + std::to_string(info.index);
}

const char GUARD = '#';

// A path buffer with guard bytes behind it, to see any write past its end.
struct GuardedPath {
    char path[PATH_BUFFER_SIZE];
    char guard[32];
};

struct PathCase {
    std::string text;
    bool ok;
    std::string path;
};

const std::string NAME_259(259, 'a');
const std::string NAME_260(260, 'b');

// Names as the UTF-8 code page brings them: a letter is one to four bytes.
std::string Repeat(const std::string& text, size_t count) {
    std::string result;
    for (size_t i = 0; i < count; ++i) {
        result += text;
    }
    return result;
}
const std::string LAMBDA = "\xCE\xBB";          // a two-byte letter
const std::string CLAPPER = "\xF0\x9F\x8E\xAC"; // outside the BMP: four bytes
const std::string GREEK = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC.avi";
const std::string UTF8_259 = "x" + Repeat(LAMBDA, 129); // 259 bytes, 130 letters
const std::string UTF8_260 = Repeat(LAMBDA, 130);       // 260 bytes, 130 letters

const PathCase PATH_CASES[] = {
    {"C:\\Movies\\clip.avi", true, "C:\\Movies\\clip.avi"},
    {"\"C:\\My Movies\\a clip.avi\"", true, "C:\\My Movies\\a clip.avi"},
    {"C:\\My Movies\\a clip.avi", true, "C:\\My Movies\\a clip.avi"}, // not split at spaces
    {"\"C:\\clip.avi", true, "C:\\clip.avi"},                         // leading quote alone
    {"C:\\clip.avi\"", true, "C:\\clip.avi"},                         // trailing quote alone
    {"a\"b", true, "a\"b"},                                           // inner quotes stay
    {"\"a\"b\"", true, "a\"b"},
    {" \"a\" ", true, " \"a"},    // the leading quote is not at the very start: it stays
    {"\"\"a\"\"", true, "\"a\""}, // one quote removed at each end
    {"\"\"\"", true, "\""},
    {"\"\"", true, ""},
    {"\"", true, ""},
    {"", true, ""},
    {"x", true, "x"},
    {NAME_259, true, NAME_259}, // the longest path that fits
    {"\"" + NAME_259 + "\"", true, NAME_259},
    {"\"" + NAME_259, true, NAME_259},
    {NAME_259 + "\"", true, NAME_259},
    {NAME_260, false, ""}, // refused, not cut short
    {"\"" + NAME_260 + "\"", false, ""},
    {NAME_259 + "c\"", false, ""},
    {std::string(5000, 'z'), false, ""},
    // Trailing blanks go before the quotes are taken off; leading and inner ones stay.
    {"\"C:\\a b.avi\" ", true, "C:\\a b.avi"},
    {"\"C:\\a b.avi\"\t", true, "C:\\a b.avi"},
    {"\"C:\\a b.avi\" \t  \t", true, "C:\\a b.avi"},
    {"C:\\a b.avi   ", true, "C:\\a b.avi"},
    {"\"C:\\a b.avi \"", true, "C:\\a b.avi "}, // inside the quotes: the user's own
    {"   ", true, ""},
    {"\" ", true, ""},
    {" C:\\a.avi", true, " C:\\a.avi"},
    {"\"" + NAME_259 + "\"" + std::string(300, ' '), true, NAME_259}, // blanks are not counted
    {"\"C:\\" + GREEK + "\"", true, "C:\\" + GREEK},                  // bytes pass unchanged
    {"\"" + CLAPPER + "\"", true, CLAPPER},
    {"\"" + UTF8_259 + "\"", true, UTF8_259}, // 259 bytes fit, however few letters
    {UTF8_260, false, ""},                    // 260 bytes: refused whole
    {"\"" + UTF8_260 + "\"", false, ""},
};

class PathFromCommandLineTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathFromCommandLineTest, QuotesRemovedAndLengthChecked) {
    const PathCase& c = GetParam();
    GuardedPath buffer;
    std::memset(&buffer, GUARD, sizeof buffer);
    EXPECT_EQ(PathFromCommandLine(c.text.c_str(), buffer.path), c.ok);
    ASSERT_NE(std::memchr(buffer.path, '\0', sizeof buffer.path), nullptr);
    EXPECT_EQ(std::string(buffer.path), c.path);
    for (const char g : buffer.guard) {
        ASSERT_EQ(g, GUARD) << "written past the path buffer";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PathFromCommandLineTest, ::testing::ValuesIn(PATH_CASES),
                         CaseName<PathCase>);

TEST(CommandLinePathTest, NullRefused) {
    GuardedPath buffer;
    std::memset(&buffer, GUARD, sizeof buffer);
    EXPECT_FALSE(PathFromCommandLine(nullptr, buffer.path));
    EXPECT_STREQ(buffer.path, "");
    EXPECT_EQ(buffer.guard[0], GUARD);
}

TEST(CommandLinePathTest, RefusalEmptiesAnEarlierPath) {
    char path[PATH_BUFFER_SIZE];
    ASSERT_TRUE(PathFromCommandLine("first.avi", path));
    EXPECT_FALSE(PathFromCommandLine(NAME_260.c_str(), path));
    EXPECT_STREQ(path, "");
}

TEST(CommandLinePathTest, BufferIsMaxPath) {
    EXPECT_EQ(PATH_BUFFER_SIZE, 260u);
}

// The dialog's answer: no quotes to take off, the same refusal of what does not fit.
const PathCase DIALOG_CASES[] = {
    {"C:\\Movies\\clip.avi", true, "C:\\Movies\\clip.avi"},
    {"\"a\"", true, "\"a\""},
    {"", true, ""},
    {UTF8_259, true, UTF8_259},
    {UTF8_260, false, ""},
    {std::string(780, 'z'), false, ""},
};

class PathFromDialogTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathFromDialogTest, CopiedWholeOrRefused) {
    const PathCase& c = GetParam();
    GuardedPath buffer;
    std::memset(&buffer, GUARD, sizeof buffer);
    EXPECT_EQ(PathFromDialog(c.text.c_str(), buffer.path), c.ok);
    EXPECT_EQ(std::string(buffer.path), c.path);
    for (const char g : buffer.guard) {
        ASSERT_EQ(g, GUARD) << "written past the path buffer";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PathFromDialogTest, ::testing::ValuesIn(DIALOG_CASES),
                         CaseName<PathCase>);

TEST(PathFromDialogNullTest, NullRefused) {
    char path[PATH_BUFFER_SIZE] = "x";
    EXPECT_FALSE(PathFromDialog(nullptr, path));
    EXPECT_STREQ(path, "");
}

struct GuardedTitle {
    char title[TITLE_BUFFER_SIZE];
    char guard[32];
};

struct TitleCase {
    std::string fileTitle;
    std::string title;
};

const TitleCase TITLE_CASES[] = {
    {"clip.avi", "clip.avi - Quillotrope"},
    {"a clip.avi", "a clip.avi - Quillotrope"},
    {"", " - Quillotrope"},
    {NAME_259, NAME_259 + " - Quillotrope"},         // the longest file title
    {NAME_259 + "xyz", NAME_259 + " - Quillotrope"}, // cut, the suffix stays
    {std::string(1000, 'q'), std::string(259, 'q') + " - Quillotrope"},
    {GREEK, GREEK + " - Quillotrope"},
    {UTF8_259, UTF8_259 + " - Quillotrope"},
    // Cut where a letter is not split: back to the letter's first byte.
    {UTF8_260, Repeat(LAMBDA, 129) + " - Quillotrope"},
    {std::string(257, 'a') + CLAPPER, std::string(257, 'a') + " - Quillotrope"},
    {std::string(256, 'a') + CLAPPER, std::string(256, 'a') + " - Quillotrope"},
    {std::string(255, 'a') + CLAPPER, std::string(255, 'a') + CLAPPER + " - Quillotrope"},
    // Not UTF-8 (an older Windows' code page): at most three bytes are given up.
    {std::string(300, '\xB0'), std::string(256, '\xB0') + " - Quillotrope"},
};

class TitleTextTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TitleTextTest, FileTitleThenApplication) {
    GuardedTitle buffer;
    std::memset(&buffer, GUARD, sizeof buffer);
    TitleText(GetParam().fileTitle.c_str(), buffer.title);
    ASSERT_NE(std::memchr(buffer.title, '\0', sizeof buffer.title), nullptr);
    EXPECT_EQ(std::string(buffer.title), GetParam().title);
    for (const char g : buffer.guard) {
        ASSERT_EQ(g, GUARD) << "written past the title buffer";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, TitleTextTest, ::testing::ValuesIn(TITLE_CASES),
                         CaseName<TitleCase>);

TEST(TitleTextNullTest, NullGivesTheApplicationName) {
    char title[TITLE_BUFFER_SIZE];
    std::memset(title, GUARD, sizeof title);
    TitleText(nullptr, title);
    EXPECT_STREQ(title, "Quillotrope");
    EXPECT_STREQ(APP_TITLE, "Quillotrope");
}

} // namespace

// The name shown in the title and in a refusal's box; PathFindFileNameA's answer for a file.
TEST(FileNamePartTest, AfterTheLastSeparator) {
    const struct {
        const char* path;
        const char* name;
    } rows[] = {
        {"C:\\movies\\clip.avi", "clip.avi"},
        {"C:clip.avi", "clip.avi"},
        {"movies/clip.avi", "clip.avi"},
        {"\\\\server\\share\\a b.avi", "a b.avi"},
        {"clip.avi", "clip.avi"},
        {"C:\\movies\\", ""},
        {"C:\\fi\xC3\xA9\\\xC3\xA9t\xC3\xA9.avi", "\xC3\xA9t\xC3\xA9.avi"},
        {"", ""},
    };
    for (const auto& row : rows) {
        EXPECT_STREQ(row.name, FileNamePart(row.path)) << row.path;
    }
}
