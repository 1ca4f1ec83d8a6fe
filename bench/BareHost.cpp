// The floor the player is measured against: a top-level window with the movie window in it,
// playing the file named on the command line. Nothing else. With "/fit " before the path the
// window covers the screen and the picture is scaled to fit it, as the player's Fit to Window.
#include <windows.h>
#include <vfw.h>

#include "bench/BareMovie.h"
#include "shell/Profile.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    ProfileStep("start-up");
    const char* line = commandLine;
    const bool fit = BareFitOption(&line);
    const HWND frame = fit ? CreateBareScreenFrame(instance) : CreateBareFrame(instance);
    if (frame == nullptr) {
        return 1;
    }
    ProfileStep("frame");
    char path[MAX_PATH];
    const HWND movie = CreateBareMovie(frame, instance, BarePath(line, path));
    ProfileStep("opened");
    if (movie != nullptr) {
        if (fit) {
            FitBareMovie(frame, movie);
        }
        SendMessageA(movie, MCI_PLAY, 0, 0);
        ProfileStep("playing");
    }
    return RunBareLoop();
}
