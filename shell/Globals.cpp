// The process-wide objects, defined in one place so that they are constructed in this
// order before start-up.
#include <windows.h>

#include "shell/Application.h"
#include "shell/MainFrame.h"
#include "shell/TransportToolbar.h"
#include "shell/StatusBar.h"
#include "shell/VideoHost.h"
#include "shell/PositionTrackbar.h"
#include "movie/MovieWindow.h"
#include "shell/FullScreenController.h"
#include "movie/SoundVolume.h"

Application application;
MainFrame mainFrame;
TransportToolbar transportToolbar;
StatusBar statusBar;
VideoHost videoHost;
PositionTrackbar positionTrackbar;
MovieWindow movieWindow;
FullScreenController fullScreenController;
// Holds only the mixer, opened on first use.
SoundVolume soundVolume;
