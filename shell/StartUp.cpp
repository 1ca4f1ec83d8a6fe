// Start-up: everything WinMain does before its message loop, and the loop itself.
#include <windows.h>
#include <commctrl.h>

#include "shell/StartUp.h"
#include "core/PlayerState.h"
#include "res/resource.h"
#include "shell/Application.h"
#include "shell/MainFrame.h"
#include "shell/PositionTrackbar.h"
#include "shell/Profile.h"
#include "shell/StatusBar.h"
#include "shell/TransportToolbar.h"
#include "shell/VideoHost.h"

bool StartUp(HINSTANCE instance, const char* commandLine, HACCEL* accelerators) {
    if (accelerators != nullptr) {
        *accelerators = nullptr;
    }
    ProfileStep("start-up");
    application.SetInstance(instance);

    // Without a main frame there is nothing to put the controls in, no menu to refresh, no
    // window to translate keys for and none whose destruction would ever end the loop. So a
    // failed frame stops start-up here: no controls, no state refresh, no accelerators, no
    // command line, and the caller does not enter the loop.
    if (!mainFrame.Create()) {
        return false;
    }
    ProfileStep("frame");

    // The toolbar, status bar, trackbar and their tooltips are common-control classes.
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
    ProfileStep("common controls");

    // Each creation checks what it needs; this order gives each one the windows it needs.
    transportToolbar.Create();
    ProfileStep("toolbar");
    statusBar.Create();
    ProfileStep("status bar");
    videoHost.Create();
    ProfileStep("video host");
    positionTrackbar.Create();
    ProfileStep("trackbar");

    application.SetPlayerState(MCI_MODE_NOT_READY);
    ProfileStep("menu and controls refreshed");

    // Without the table the loop runs on and no key is translated.
    const HACCEL table = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCEL));
    if (accelerators != nullptr) {
        *accelerators = table;
    }

    if (commandLine != nullptr && commandLine[0] != '\0') {
        // Both commands are handled before SendMessageA returns: Open has finished with
        // pendingPath before Play/Pause starts.
        pendingPath = commandLine;
        const HWND frame = mainFrame.GetWindow();
        SendMessageA(frame, WM_COMMAND, IDM_OPEN, 0);
        ProfileStep("opened");
        SendMessageA(frame, WM_COMMAND, IDM_PLAYPAUSE, 0);
        ProfileStep("playing");
    }
    return true;
}

int RunMessageLoop(HACCEL accelerators) {
    MSG msg = {};
    for (;;) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        // 0 is the quit message. -1 (an error, not possible with these arguments) leaves msg
        // unfilled, so it ends the loop too rather than dispatching garbage.
        if (got == 0 || got == -1) {
            break;
        }
        // The frame is read for every message: it is not held until its creation returned.
        if (TranslateAcceleratorA(mainFrame.GetWindow(), accelerators, &msg) == 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
