// The movie's sound as the sound server played it. tests/sound/record runs each case while
// recording the server's null sink (48 000 mono 16-bit samples a second, paced in real time);
// the case reads that file while it grows, so its length is the time and an offset in it is a
// moment. The test movies play a tone of 440 Hz that changes to 1320 Hz half-way: zero
// crossings per window tell silence, the one and the other apart, and so where in the movie
// a sound came from. A steady tone's level (the root mean square of a window) tells what the
// player's volume made of it.
//
// Each path drives the player with its own commands at moments of the recording, and a model
// of what must be heard follows it: while the player plays, the movie's tone from where the
// sound started; otherwise silence. Latency (the sound server's, a loaded machine's) is allowed
// for around every change; silence where sound belongs, the wrong tone, or a movie running at
// the wrong speed are not.
#include "PlayerSupport.h"
#include "core/Seeking.h"
#include "core/Volume.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace playertest;

const int64_t RATE = 48000;
const int64_t WINDOW_MS = 100;
// A window quieter than this is silence (the test tones peak near 4096).
const int SILENCE_PEAK = 400;
// After a play ends, its sound may go on this long: the sound server's and Wine's buffering, and
// a loaded machine.
const int64_t MARGIN_MS = 450;
// A movie that ends by itself plays out the sound its driver had queued.
const int64_t END_TAIL_MS = 900;

enum Tone : char { SILENT = '.', LOW = 'l', HIGH = 'H', OTHER = '?' };

struct Clip {
    const char* name;
    int64_t changeMs; // where 440 Hz becomes 1320 Hz
    int64_t lengthMs;
};

const Clip TONE = {"tone.avi", 3000, 6000};

Tone ToneOf(const Clip& clip, int64_t movieMs) {
    if (movieMs < 0 || movieMs >= clip.lengthMs) {
        return SILENT;
    }
    return movieMs < clip.changeMs ? LOW : HIGH;
}

// Wine 8's AVI driver starts every play's sound at the start of the movie's sound, wherever
// the picture is (mciavi32 opens the wave device anew for each play and resets its audio
// block to 0). That is the platform's known deviation; on Windows the sound starts where the
// picture is.
int64_t SoundStartFor(int64_t picturePosition) {
    return RunningUnderWine() ? 0 : picturePosition;
}

// The recording, read while it grows.
class Recording {
  public:
    ~Recording() {
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
    }

    // Opens the file tests/sound/record named, once it has begun to grow.
    bool Open() {
        const char* path = std::getenv("QUILLOTROPE_RECORDING");
        if (path == nullptr) {
            return false;
        }
        std::string windows = std::string(path[0] == '/' ? "Z:" : "") + path;
        std::replace(windows.begin(), windows.end(), '/', '\\');
        file = CreateFileA(windows.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
        // The recorder delivers its first samples a moment after it starts.
        return file != INVALID_HANDLE_VALUE && PumpUntil([this] { return NowMs() >= 300; }, 20000);
    }

    int64_t NowMs() const {
        LARGE_INTEGER size = {};
        GetFileSizeEx(file, &size);
        return size.QuadPart / 2 * 1000 / RATE;
    }

    // Pumps messages until the recording is ms long, calling watch meanwhile. The recording
    // grows in real time: the deadline leaves ample room for a slow machine.
    bool WaitUntil(int64_t ms, const std::function<void()>& watch) {
        const int64_t left = ms - NowMs();
        return PumpUntil(
            [&] {
                watch();
                return NowMs() >= ms;
            },
            static_cast<uint32_t>(std::max<int64_t>(left, 0) + 15000));
    }

    // One character per window of the recording from fromMs to toMs.
    std::string Tones(int64_t fromMs, int64_t toMs) const {
        std::string tones;
        std::vector<short> samples;
        for (int64_t at = fromMs; at + WINDOW_MS <= toMs; at += WINDOW_MS) {
            tones += ReadWindow(at, &samples) ? ToneOfWindow(samples) : OTHER;
        }
        return tones;
    }

    // The level of each window of the recording from fromMs to toMs: the root mean square of
    // its samples (-1 for a window not recorded).
    std::vector<int> Levels(int64_t fromMs, int64_t toMs) const {
        std::vector<int> levels;
        std::vector<short> samples;
        for (int64_t at = fromMs; at + WINDOW_MS <= toMs; at += WINDOW_MS) {
            if (!ReadWindow(at, &samples)) {
                levels.push_back(-1);
                continue;
            }
            double sum = 0.0;
            for (short s : samples) {
                sum += static_cast<double>(s) * s;
            }
            levels.push_back(
                static_cast<int>(std::sqrt(sum / static_cast<double>(samples.size()))));
        }
        return levels;
    }

  private:
    bool ReadWindow(int64_t at, std::vector<short>* samples) const {
        const int64_t perWindow = RATE * WINDOW_MS / 1000;
        samples->resize(static_cast<size_t>(perWindow));
        LARGE_INTEGER offset;
        offset.QuadPart = at * RATE / 1000 * 2;
        DWORD read = 0;
        return SetFilePointerEx(file, offset, nullptr, FILE_BEGIN) &&
               ReadFile(file, samples->data(), static_cast<DWORD>(perWindow * 2), &read, nullptr) &&
               read == perWindow * 2;
    }

    // Silence by its peak; a tone by its zero crossings, counted with a dead band so that
    // noise near zero adds none. The middle interval between crossings gives the pitch, so a
    // window that the sound only partly fills (a loaded machine's gaps) still tells its tone.
    static Tone ToneOfWindow(const std::vector<short>& samples) {
        int peak = 0;
        for (short s : samples) {
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        }
        if (peak < SILENCE_PEAK) {
            return SILENT;
        }
        const int band = peak / 4;
        std::vector<int64_t> intervals;
        int side = 0;
        int64_t last = -1;
        for (size_t i = 0; i < samples.size(); ++i) {
            const int now = samples[i] > band ? 1 : (samples[i] < -band ? -1 : 0);
            if (now != 0 && now != side) {
                if (side != 0 && last >= 0) {
                    intervals.push_back(static_cast<int64_t>(i) - last);
                }
                side = now;
                last = static_cast<int64_t>(i);
            }
        }
        if (intervals.size() < 4) {
            return OTHER;
        }
        std::nth_element(intervals.begin(), intervals.begin() + intervals.size() / 2,
                         intervals.end());
        const int64_t hertz = RATE / (2 * intervals[intervals.size() / 2]);
        if (hertz >= 300 && hertz <= 600) {
            return LOW;
        }
        if (hertz >= 1000 && hertz <= 1700) {
            return HIGH;
        }
        return OTHER;
    }

    HANDLE file = INVALID_HANDLE_VALUE;
};

// A stretch of the recording during which the player played, and where its sound must come
// from.
struct Span {
    int64_t from, to; // recording ms
    int64_t picture;  // the movie's position at from
    int64_t sound;    // where in the movie the sound starts
    bool endedByItself;
};

// Drives the player along one path and follows what must be heard.
class SoundPath {
  public:
    explicit SoundPath(const Clip& clip) : clip(clip) {}

    bool Start() {
        if (!recording.Open()) {
            return false;
        }
        origin = recording.NowMs();
        return true;
    }

    // Waits until ms after the start, following the movie meanwhile.
    void At(int64_t ms) {
        until = ms;
        ASSERT_TRUE(recording.WaitUntil(origin + ms, [this] { Watch(); }))
            << "the recording stopped growing (is the sound server running?)";
    }

    // A player command, and what it changed. The user sees each command take effect at once.
    void Do(int id) {
        const int64_t before = recording.NowMs();
        Command(id);
        const int64_t took = recording.NowMs() - before;
        EXPECT_LT(took, 1000) << "command " << id << " took " << took << " ms";
        Changed();
    }

    // A command that must leave the sound as it is.
    void Aside(int id) { Command(id); }

    // A user's drag of the trackbar's thumb to a movie position, released there.
    void Drag(int64_t movieMs) {
        const int thumb = static_cast<int>(movieMs * TRACK_SCALE / clip.lengthMs);
        TrackbarScroll(TB_THUMBTRACK, thumb);
        TrackbarScroll(TB_THUMBPOSITION, thumb);
        TrackbarScroll(TB_ENDTRACK);
        Changed();
    }

    // Something the test did that may start, move or end the sound.
    void Changed() {
        const int64_t now = recording.NowMs();
        EndSpan(now, false);
        if (Playing()) {
            BeginSpan(now, MoviePosition());
        }
    }

    // Compares the recording with the model from the start to the last moment waited for;
    // prints both, one character a window. Each play must be heard with the tones, in the
    // order and for about as long as the model says (a loaded machine delays the sound and
    // leaves gaps in it, but adds no tone and no long silence), and outside the plays nothing.
    void Expect() {
        const int64_t end = origin + until;
        EndSpan(end, false);
        heard = recording.Tones(origin, end);
        std::string expected;
        for (int64_t at = origin; at + WINDOW_MS <= end; at += WINDOW_MS) {
            expected += Expected(at + WINDOW_MS / 2);
        }
        std::printf("heard    %s\nexpected %s\n", heard.c_str(), expected.c_str());
        std::vector<bool> inPlay(heard.size(), false);
        for (size_t i = 0; i < spans.size(); ++i) {
            const Span& span = spans[i];
            const bool follows =
                i > 0 && spans[i - 1].endedByItself && spans[i - 1].to == span.from;
            int64_t stop = span.to + (span.endedByItself ? END_TAIL_MS : MARGIN_MS);
            if (i + 1 < spans.size()) {
                stop = std::min(stop, spans[i + 1].from);
            }
            for (size_t w = Window(span.from); w < Window(stop) && w < heard.size(); ++w) {
                inPlay[w] = true;
            }
            ExpectSpan(span, stop, follows ? END_TAIL_MS : MARGIN_MS);
        }
        // Between plays, beyond the latency: silence.
        int sounding = 0;
        for (size_t w = 0; w < heard.size(); ++w) {
            sounding += !inPlay[w] && heard[w] != SILENT ? 1 : 0;
        }
        EXPECT_LE(sounding, 1) << "sound where nothing plays, in " << sounding
                               << " windows of 100 ms";
        // A movie that played to its end took its own time to do so (and a little more under
        // Wine, whose driver reports the end once the sound it had queued has played).
        for (const Span& span : spans) {
            if (span.endedByItself && clip.lengthMs - span.picture >= 1000) {
                const int64_t took = span.to - span.from;
                const int64_t length = clip.lengthMs - span.picture;
                EXPECT_GE(took, length * 3 / 4)
                    << "the movie played " << length << " ms in " << took << " ms";
                EXPECT_LE(took, length + 1500)
                    << "the movie played " << length << " ms in " << took << " ms";
            }
        }
    }

    // Waits until the movie has started again count times, and ms into that play.
    void IntoLoop(int count, int64_t ms) {
        ASSERT_TRUE(PumpUntil(
            [&] {
                Watch();
                return loops >= count;
            },
            static_cast<uint32_t>(count * (clip.lengthMs + 5000))))
            << "the movie started again " << loops << " times, not " << count;
        At(recording.NowMs() - origin + ms);
    }

    // Waits ms more after the last moment waited for.
    void For(int64_t ms) { At(until + ms); }

    int Loops() const { return loops; }
    const std::vector<Span>& Spans() const { return spans; }

  private:
    static bool Playing() { return Movie() != nullptr && playerState == MCI_MODE_PLAY; }

    void BeginSpan(int64_t now, int64_t picture) {
        open = true;
        current = {now, now, picture, SoundStartFor(picture), false};
        lastPicture = picture;
    }

    void EndSpan(int64_t now, bool byItself) {
        if (open) {
            current.to = now;
            current.endedByItself = byItself;
            spans.push_back(current);
            open = false;
        }
    }

    // Between commands: the movie's end, and the start of each repeat.
    void Watch() {
        const int64_t now = recording.NowMs();
        if (open && !Playing()) {
            EndSpan(now, true);
        } else if (open) {
            const int64_t picture = MoviePosition();
            if (picture + 500 < lastPicture) {
                EndSpan(now, true);
                BeginSpan(now, picture);
                ++loops;
            }
            lastPicture = picture;
        }
    }

    // What must be heard at a moment of the recording.
    Tone Expected(int64_t at) const {
        for (const Span& span : spans) {
            if (at >= span.from && at < span.to) {
                return ToneOf(clip, span.sound + at - span.from);
            }
        }
        return SILENT;
    }

    size_t Window(int64_t at) const {
        return static_cast<size_t>(std::max<int64_t>(at - origin, 0) / WINDOW_MS);
    }

    // One play: heard from stop's side of its end, whose first tone is heard after skip.
    void ExpectSpan(const Span& span, int64_t stop, int64_t skip) {
        const std::string where = "in the play from " + std::to_string(span.from - origin) +
                                  " to " + std::to_string(span.to - origin) + " ms";
        int64_t wantLow = 0;
        int64_t wantHigh = 0;
        for (int64_t at = span.from; at + WINDOW_MS / 2 < span.to; at += WINDOW_MS) {
            const Tone tone = ToneOf(clip, span.sound + at - span.from);
            wantLow += tone == LOW ? WINDOW_MS : 0;
            wantHigh += tone == HIGH ? WINDOW_MS : 0;
        }
        int64_t low = 0;
        int64_t high = 0;
        int64_t silentRun = 0;
        int64_t longestSilence = 0;
        char first = 0;
        const size_t from = Window(span.from);
        const size_t to = std::min(Window(stop), heard.size());
        for (size_t w = from; w < to; ++w) {
            low += heard[w] == LOW ? WINDOW_MS : 0;
            high += heard[w] == HIGH ? WINDOW_MS : 0;
            // The first tone heard twice running, after the previous play's tail.
            if (first == 0 && Window(span.from + skip) <= w && w + 1 < to &&
                (heard[w] == LOW || heard[w] == HIGH) && heard[w + 1] == heard[w]) {
                first = heard[w];
            }
            // Silence while playing, once the sound has had time to start.
            const bool playing = w >= Window(span.from + 2 * MARGIN_MS) && w < Window(span.to);
            silentRun = playing && heard[w] == SILENT ? silentRun + WINDOW_MS : 0;
            longestSilence = std::max(longestSilence, silentRun);
        }
        const Tone start = ToneOf(clip, span.sound);
        if (span.to - span.from >= 1000 && start != SILENT) {
            EXPECT_EQ(static_cast<char>(start), first) << "the first tone " << where;
        }
        EXPECT_LT(longestSilence, 1000) << "silence " << where;
        EXPECT_LE(low, wantLow + 1000) << "440 Hz " << where;
        EXPECT_LE(high, wantHigh + 1000) << "1320 Hz " << where;
        // A loaded machine lets the sound fall behind (by a second over a few seconds, seen):
        // only a long part must be heard for at least half its length.
        if (wantLow >= 1500) {
            EXPECT_GE(low, wantLow / 2 - 500) << "440 Hz " << where;
        }
        if (wantHigh >= 1500) {
            EXPECT_GE(high, wantHigh / 2 - 500) << "1320 Hz " << where;
        }
    }

    const Clip& clip;
    Recording recording;
    int64_t origin = 0;
    int64_t until = 0;
    std::string heard;
    std::vector<Span> spans;
    Span current = {};
    bool open = false;
    int64_t lastPicture = 0;
    int loops = 0;
};

// Opens a clip in a started player and starts following the recording.
void StartPath(SoundPath& path, const char* clipName) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    ASSERT_NO_FATAL_FAILURE(OpenMovie(clipName));
    ASSERT_TRUE(path.Start()) << "no recording: run under tests/sound/record with the sound "
                                 "server of scripts/sound-server";
}

// --- Every path of the player ------------------------------------------------------------------

struct PathCase {
    const char* name;
    std::function<void(SoundPath&)> run;
};

void PrintTo(const PathCase& path, std::ostream* out) {
    *out << path.name;
}

const PathCase PATHS[] = {
    {"Play",
     [](SoundPath& p) {
         p.Do(IDM_PLAYPAUSE);
         p.At(7800);
     }},
    {"PauseThenPlay",
     [](SoundPath& p) {
         p.Do(IDM_PLAYPAUSE);
         p.At(1500);
         p.Do(IDM_PLAYPAUSE);
         p.At(2500);
         p.Do(IDM_PLAYPAUSE);
         p.At(9500);
     }},
    {"PauseThenPlayAtOnce",
     [](SoundPath& p) {
         p.Do(IDM_PLAYPAUSE);
         p.At(1500);
         p.Do(IDM_PLAYPAUSE);
         p.Do(IDM_PLAYPAUSE);
         p.At(7800);
     }},
    {"StopThenPlay",
     [](SoundPath& p) {
         p.Do(IDM_PLAYPAUSE);
         p.At(1500);
         p.Do(IDM_STOP);
         p.At(2500);
         p.Do(IDM_PLAYPAUSE);
         p.At(10000);
     }},
    {"BeginningWhilePaused",
     [](SoundPath& p) {
         p.Do(IDM_PLAYPAUSE);
         p.At(3500);
         p.Do(IDM_PLAYPAUSE);
         p.Do(IDM_BEGINNING);
         p.At(4500);
         p.Do(IDM_PLAYPAUSE);
         p.At(11800);
     }},
    {"ForwardWhilePaused",
     [](SoundPath& p) {
         p.Do(IDM_PLAYPAUSE);
         p.At(1500);
         p.Do(IDM_PLAYPAUSE);
         p.Do(IDM_FORWARD);
         p.At(2500);
         p.Do(IDM_PLAYPAUSE);
         p.At(7000);
     }},
    {"ForwardWhileStopped",
     [](SoundPath& p) {
         p.Do(IDM_PLAYPAUSE);
         p.At(1000);
         p.Do(IDM_STOP);
         for (int i = 0; i < 4; ++i) {
             p.Do(IDM_FORWARD);
         }
         p.At(2000);
         p.Do(IDM_PLAYPAUSE);
         p.At(5000);
     }},
    {"RewindWhilePaused",
     [](SoundPath& p) {
         p.Do(IDM_PLAYPAUSE);
         p.At(4500);
         p.Do(IDM_PLAYPAUSE);
         p.Do(IDM_REWIND);
         p.Do(IDM_REWIND);
         p.At(5500);
         p.Do(IDM_PLAYPAUSE);
         p.At(10000);
     }},
    {"EndWhilePaused",
     [](SoundPath& p) {
         p.Do(IDM_PLAYPAUSE);
         p.At(1500);
         p.Do(IDM_PLAYPAUSE);
         p.Do(IDM_END);
         p.At(2500);
         p.Do(IDM_PLAYPAUSE);
         p.At(4500);
     }},
    {"EndWhileStoppedThenBeginning",
     [](SoundPath& p) {
         p.Do(IDM_PLAYPAUSE);
         p.At(1000);
         p.Do(IDM_STOP);
         p.Do(IDM_END);
         p.Do(IDM_BEGINNING);
         p.At(2000);
         p.Do(IDM_PLAYPAUSE);
         p.At(9000);
     }},
    {"DragWhilePlaying",
     [](SoundPath& p) {
         p.Do(IDM_PLAYPAUSE);
         p.At(1000);
         p.Drag(4000);
         p.At(4800);
     }},
    {"DragWhilePaused",
     [](SoundPath& p) {
         p.Do(IDM_PLAYPAUSE);
         p.At(1000);
         p.Do(IDM_PLAYPAUSE);
         p.Drag(4000);
         p.At(2000);
         p.Do(IDM_PLAYPAUSE);
         p.At(5800);
     }},
    {"FullScreenOnAndOff",
     [](SoundPath& p) {
         p.Do(IDM_PLAYPAUSE);
         p.At(1000);
         p.Aside(IDM_FULLSCREEN);
         p.At(2000);
         p.Aside(IDM_FULLSCREEN);
         p.At(7800);
     }},
    {"Close",
     [](SoundPath& p) {
         p.Do(IDM_PLAYPAUSE);
         p.At(1500);
         p.Do(IDM_CLOSE);
         p.At(3500);
     }},
    {"OpenAnotherMovie",
     [](SoundPath& p) {
         p.Do(IDM_PLAYPAUSE);
         p.At(1500);
         OpenFixture("clip160.avi"); // without sound
         p.Changed();
         p.At(3500);
     }},
};

class SoundPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(SoundPathTest, KeepsTheSoundWithThePicture) {
    SoundPath path(TONE);
    ASSERT_NO_FATAL_FAILURE(StartPath(path, TONE.name));
    ASSERT_NO_FATAL_FAILURE(GetParam().run(path));
    path.Expect();
}

INSTANTIATE_TEST_SUITE_P(Paths, SoundPathTest, testing::ValuesIn(PATHS),
                         [](const testing::TestParamInfo<PathCase>& info) {
                             return std::string(info.param.name);
                         });

// --- Repeat ----------------------------------------------------------------------------------

TEST(SoundRepeat, PlaysTheSoundInEveryLoop) {
    SoundPath path(TONE);
    ASSERT_NO_FATAL_FAILURE(StartPath(path, TONE.name));
    Command(IDM_REPEAT);
    path.Do(IDM_PLAYPAUSE);
    ASSERT_NO_FATAL_FAILURE(path.At(3 * TONE.lengthMs + 1500));
    EXPECT_GE(path.Loops(), 3);
    path.Expect();
}

// Ending a Repeat play in its second to fourth round: the command answers at once (the window
// takes no input until it has), and the sound stops with it.
struct RepeatEnding {
    const char* name;
    std::function<void()> end;
};

void PrintTo(const RepeatEnding& ending, std::ostream* out) {
    *out << ending.name;
}

const RepeatEnding REPEAT_ENDINGS[] = {
    {"Stop", [] { Command(IDM_STOP); }},
    {"Close", [] { Command(IDM_CLOSE); }},
    {"Exit", [] { Command(IDM_EXIT); }},
    {"OpenAnotherMovie", [] { OpenFixture("clip160.avi"); }}, // without sound
};

class SoundRepeatEndingTest : public testing::TestWithParam<std::tuple<int, RepeatEnding>> {};

TEST_P(SoundRepeatEndingTest, AnswersAtOnceAndStopsTheSound) {
    const int loops = std::get<0>(GetParam());
    const RepeatEnding& ending = std::get<1>(GetParam());
    SoundPath path(TONE);
    ASSERT_NO_FATAL_FAILURE(StartPath(path, TONE.name));
    Command(IDM_REPEAT);
    path.Do(IDM_PLAYPAUSE);
    ASSERT_NO_FATAL_FAILURE(path.IntoLoop(loops, 1500));
    const DWORD start = GetTickCount();
    ending.end();
    const DWORD took = GetTickCount() - start;
    std::printf("%s after %d loops took %lu ms\n", ending.name, loops, took);
    EXPECT_LT(took, 500u);
    path.Changed();
    ASSERT_NO_FATAL_FAILURE(path.For(2000));
    path.Expect();
}

INSTANTIATE_TEST_SUITE_P(Loops, SoundRepeatEndingTest,
                         testing::Combine(testing::Values(1, 2, 3),
                                          testing::ValuesIn(REPEAT_ENDINGS)),
                         [](const testing::TestParamInfo<std::tuple<int, RepeatEnding>>& info) {
                             return std::get<1>(info.param).name + std::string("After") +
                                    std::to_string(std::get<0>(info.param));
                         });

// --- Sound formats -----------------------------------------------------------------------------

struct FormatCase {
    const char* name;
    Clip clip;
};

void PrintTo(const FormatCase& format, std::ostream* out) {
    *out << format.name;
}

const FormatCase FORMATS[] = {
    {"Pcm16Stereo44k", {"tone-pcm16.avi", 2000, 4000}},
    {"MsAdpcmMono", {"tone-msadpcm.avi", 2000, 4000}},
    {"ImaAdpcmMono", {"tone-imaadpcm.avi", 2000, 4000}},
    {"Mp3Mono", {"tone-mp3.avi", 2000, 4000}},
    {"Pcm8Mono", {"tone-pcm8.avi", 2000, 4000}},
};

class SoundFormatTest : public testing::TestWithParam<FormatCase> {};

TEST_P(SoundFormatTest, PlaysItsTone) {
    SoundPath path(GetParam().clip);
    ASSERT_NO_FATAL_FAILURE(StartPath(path, GetParam().clip.name));
    path.Do(IDM_PLAYPAUSE);
    ASSERT_NO_FATAL_FAILURE(path.At(GetParam().clip.lengthMs + 1500));
    path.Expect();
}

INSTANTIATE_TEST_SUITE_P(Formats, SoundFormatTest, testing::ValuesIn(FORMATS),
                         [](const testing::TestParamInfo<FormatCase>& info) {
                             return std::string(info.param.name);
                         });

// The sound of longsound.avi (4 s) outlasts its picture (2 s): it ends with the picture, as the
// movie does.
TEST(SoundLongerThanPicture, EndsWithThePicture) {
    const Clip clip = {"longsound.avi", 4000, 2000};
    SoundPath path(clip);
    ASSERT_NO_FATAL_FAILURE(StartPath(path, clip.name));
    path.Do(IDM_PLAYPAUSE);
    ASSERT_NO_FATAL_FAILURE(path.At(4500));
    path.Expect();
}

} // namespace

namespace {

// Faults raised in this process, seen before anyone handles them.
LONG faults = 0;

LONG CALLBACK CountFault(EXCEPTION_POINTERS* exception) {
    if (exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) {
        ++faults;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// soundonly.avi has a sound stream and no video stream. The player refuses it as no movie, in a
// box of its own, without letting the movie window open it: Wine 8's AVI driver faults there (it
// reads the missing video format), Wine swallows the fault inside the window's creation, and the
// driver's device is left open with its lock held.
TEST(SoundWithoutVideo, IsRefusedWithoutAFaultAndTheNextMovieStillPlays) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    void* handler = AddVectoredExceptionHandler(1, CountFault);
    ASSERT_NE(nullptr, handler);
    DialogAnswerer answerer([](HWND dialog) { PressDialogButton(dialog, IDOK); });
    OpenFixture("soundonly.avi");
    PumpPending();
    RemoveVectoredExceptionHandler(handler);
    EXPECT_EQ(0, faults);
    EXPECT_EQ(1, answerer.AnsweredCount());
    EXPECT_EQ("Quillotrope", answerer.LastCaption());
    EXPECT_EQ("soundonly.avi\nThis file has sound but no picture.", answerer.LastText());
    ExpectNoMovie();
    // And a movie with sound opened next plays it.
    SoundPath path(TONE);
    ASSERT_NO_FATAL_FAILURE(OpenMovie(TONE.name));
    ASSERT_TRUE(path.Start());
    path.Do(IDM_PLAYPAUSE);
    ASSERT_NO_FATAL_FAILURE(path.At(7800));
    path.Expect();
}

} // namespace

namespace {

// --- The volume --------------------------------------------------------------------------------

// steady.avi plays one tone of 440 Hz at one level for 10 s; the player's volume scales it.
const Clip STEADY = {"steady.avi", 10000, 10000};
// A change of the volume reaches the recording after what the sound server and Wine had
// buffered; the level is measured over the second after that.
const int64_t SETTLE_MS = 700;
const int64_t MEASURE_MS = 1000;

int Median(std::vector<int> values) {
    if (values.empty()) {
        return -1;
    }
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Drives the player's volume commands while the steady tone plays, and compares each level
// heard with the level at 100 %.
class LevelPath {
  public:
    bool Start() { return recording.Open(); }

    // A command, and what status part 0 then reads.
    void Do(int id, const char* status) {
        Command(id);
        EXPECT_EQ(status, StatusPart(0)) << "after command " << id;
    }

    // Volume Up until the volume is 100 %.
    void Full() {
        for (int i = 0; i < 100 / VOLUME_STEP && StatusPart(0) != "Volume 100%"; ++i) {
            Command(IDM_VOLUMEUP);
        }
        ASSERT_EQ("Volume 100%", StatusPart(0));
    }

    // Volume Down ten times: 100 % to 50 %.
    void Half() {
        for (int i = 0; i < 10; ++i) {
            Command(IDM_VOLUMEDOWN);
        }
        EXPECT_EQ("Volume 50%", StatusPart(0));
    }

    void Play() {
        Command(IDM_PLAYPAUSE);
        ASSERT_EQ(MCI_MODE_PLAY, playerState);
    }

    // The level at 100 %, which the others are compared with.
    void Reference() {
        reference = Measure("at 100 %");
        ASSERT_GT(reference, 1000) << "the tone was not heard at 100 %";
    }

    // The level heard now is ratio times the reference, within a fifth; 0 is silence.
    void Expect(double ratio, const char* what) {
        const int level = Measure(what);
        if (ratio == 0.0) {
            EXPECT_LT(level, reference / 50) << what;
        } else {
            EXPECT_GE(level, reference * ratio * 0.8) << what;
            EXPECT_LE(level, reference * ratio * 1.2) << what;
        }
    }

  private:
    // The median level of the windows of one second, once the last change has settled.
    int Measure(const char* what) {
        const int64_t from = recording.NowMs() + SETTLE_MS;
        const int64_t to = from + MEASURE_MS;
        EXPECT_TRUE(recording.WaitUntil(to, [] {})) << "the recording stopped growing";
        const std::vector<int> levels = recording.Levels(from, to);
        const int level = Median(levels);
        std::printf("%-28s level %5d, windows", what, level);
        for (int window : levels) {
            std::printf(" %d", window);
        }
        std::printf("\n");
        return level;
    }

    Recording recording;
    int reference = 0;
};

struct LevelCase {
    const char* name;
    std::function<void(LevelPath&)> run;
};

void PrintTo(const LevelCase& level, std::ostream* out) {
    *out << level.name;
}

const LevelCase LEVELS[] = {
    {"HalfVolume",
     [](LevelPath& p) {
         p.Play();
         p.Reference();
         p.Half();
         p.Expect(0.5, "at 50 %");
     }},
    {"MuteAndUnmute",
     [](LevelPath& p) {
         p.Play();
         p.Reference();
         p.Do(IDM_MUTE, "Muted");
         p.Expect(0.0, "muted");
         p.Do(IDM_MUTE, "Volume 100%");
         p.Expect(1.0, "unmuted");
     }},
    {"StopAndPlay",
     [](LevelPath& p) {
         p.Play();
         p.Reference();
         p.Half();
         p.Expect(0.5, "at 50 %");
         Command(IDM_STOP);
         p.Play();
         p.Expect(0.5, "after Stop and Play");
     }},
    {"NextMovie",
     [](LevelPath& p) {
         p.Play();
         p.Reference();
         p.Half();
         p.Expect(0.5, "at 50 %");
         Command(IDM_CLOSE);
         ASSERT_NO_FATAL_FAILURE(OpenMovie(STEADY.name));
         p.Play();
         p.Expect(0.5, "in the next movie");
     }},
};

class SoundLevelTest : public testing::TestWithParam<LevelCase> {};

TEST_P(SoundLevelTest, FollowsTheVolume) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    ASSERT_NO_FATAL_FAILURE(OpenMovie(STEADY.name));
    LevelPath path;
    ASSERT_TRUE(path.Start()) << "no recording: run under tests/sound/record";
    ASSERT_NO_FATAL_FAILURE(path.Full());
    GetParam().run(path);
}

INSTANTIATE_TEST_SUITE_P(Levels, SoundLevelTest, testing::ValuesIn(LEVELS),
                         [](const testing::TestParamInfo<LevelCase>& info) {
                             return std::string(info.param.name);
                         });

// Run by its own ctest entry, whose PULSE_SERVER names no server: Wine then has no sound device,
// and the volume commands say so while the movie plays on without sound.
TEST(NoSoundServer, VolumeCommandsSayNoSoundDevice) {
    ASSERT_EQ(0u, mixerGetNumDevs()) << "a sound device is there: run with PULSE_SERVER naming "
                                        "no server";
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    ASSERT_NO_FATAL_FAILURE(OpenMovie(TONE.name));
    Command(IDM_PLAYPAUSE);
    for (int id : {IDM_VOLUMEUP, IDM_VOLUMEDOWN, IDM_MUTE}) {
        SetStatusPart(0, "");
        Command(id);
        EXPECT_EQ(NO_SOUND_DEVICE_TEXT, StatusPart(0)) << "after command " << id;
    }
    EXPECT_EQ(0u, GetMenuState(PlayerMenu(), IDM_MUTE, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(MCI_MODE_PLAY, playerState);
    EXPECT_TRUE(PumpUntil([] { return MoviePosition() >= 1000; }, 10000))
        << "the movie did not play on";
}

} // namespace
