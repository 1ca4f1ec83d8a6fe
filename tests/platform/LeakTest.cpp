// Opening, playing and closing movies again and again leaves nothing behind. The first cycles
// of each kind fill the platform's caches (under Wine 8 about 2.7 MB and 6 GDI objects by the
// tenth cycle; the sound's, on i686, another 270 KB by the fiftieth); from there to the 250th
// the process keeps its windows, GDI objects and kernel handles within a few, and its private
// bytes within a bound that a leak of one small block per cycle would cross.
#include <windows.h>

#include "PlayerSupport.h"
#include "bench/ProcessFigures.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace playertest;

namespace {

const int CYCLES = 250;
// Every kind of cycle below has come at least once by then, with sound and without.
const int WARM_UP_CYCLES = 50;
// Growth allowed over the 200 cycles after the warm-up: far less than one object a cycle.
const long HANDLE_SLACK = 4;
const long GDI_SLACK = 4;
const double PRIVATE_SLACK_BYTES = 256.0 * 1024; // 1.3 KB a cycle

struct Figures {
    Handles handles;
    Memory memory;
};

Figures Measure() {
    FigureSources sources;
    return {ReadHandles(GetCurrentProcess(), GetCurrentProcessId(), &sources),
            ReadMemory(GetCurrentProcess(), &sources)};
}

void Print(int cycle, const Figures& f) {
    std::printf(
        "[ leaks    ] after %3d cycles: %ld windows, %ld GDI, %ld handles, %.0f KB private\n",
        cycle, f.handles.user, f.handles.gdi, f.handles.kernel, f.memory.privateBytes / 1024.0);
    std::fflush(stdout);
}

// One cycle as a user makes it: open, play, now and then pause, zoom or seek, then close;
// every third movie is opened over the one before instead of after a Close.
void Cycle(int cycle) {
    OpenFixture(cycle % 2 == 0 ? "tone.avi" : "clip320.avi");
    ASSERT_EQ(MCI_MODE_STOP, playerState) << "cycle " << cycle;
    Command(IDM_PLAYPAUSE);
    if (cycle % 4 == 1) {
        Command(IDM_PLAYPAUSE);
    }
    if (cycle % 5 == 2) {
        Command(cycle % 10 == 2 ? IDM_ZOOM200 : IDM_ZOOM100);
    }
    if (cycle % 7 == 3) {
        Command(IDM_END);
    }
    PumpPending();
    if (cycle % 3 != 2) {
        Command(IDM_CLOSE);
        ASSERT_EQ(MCI_MODE_NOT_READY, playerState) << "cycle " << cycle;
    }
}

} // namespace

TEST(Leaks, OpenPlayCloseCyclesKeepTheProcessFlat) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    Print(0, Measure());
    for (int cycle = 0; cycle < WARM_UP_CYCLES; ++cycle) {
        ASSERT_NO_FATAL_FAILURE(Cycle(cycle));
    }
    Command(IDM_CLOSE);
    const Figures first = Measure();
    Print(WARM_UP_CYCLES, first);
    ASSERT_GT(first.handles.user, 0);
    ASSERT_GT(first.handles.kernel, 0);
    ASSERT_GT(first.memory.privateBytes, 0);

    for (int cycle = WARM_UP_CYCLES; cycle < CYCLES; ++cycle) {
        ASSERT_NO_FATAL_FAILURE(Cycle(cycle));
        if ((cycle + 1) % 50 == 0) {
            Command(IDM_CLOSE);
            Print(cycle + 1, Measure());
        }
    }
    Command(IDM_CLOSE);
    const Figures last = Measure();
    EXPECT_EQ(first.handles.user, last.handles.user) << "windows";
    if (first.handles.gdi >= 0) { // the table is not readable in every process
        EXPECT_LE(last.handles.gdi, first.handles.gdi + GDI_SLACK) << "GDI objects";
    }
    EXPECT_LE(last.handles.kernel, first.handles.kernel + HANDLE_SLACK) << "kernel handles";
    EXPECT_LE(last.memory.privateBytes, first.memory.privateBytes + PRIVATE_SLACK_BYTES)
        << "private bytes";
}
