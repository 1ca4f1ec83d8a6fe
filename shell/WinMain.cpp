// The entry point: start-up, then the message loop until the main frame is gone.
#include <windows.h>

#include "shell/StartUp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    HACCEL accelerators = nullptr;
    if (!StartUp(instance, commandLine, &accelerators)) {
        // Without a main frame no window's destruction could ever end the loop, and a start
        // that could not show its window is not a success.
        return 1;
    }
    return RunMessageLoop(accelerators);
}
