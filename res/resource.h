// Resource, command and control ids, shared by the resource script and the C++ code.
#pragma once

#define IDB_TOOLBAR 129
#define IDR_MAINMENU 132
#define IDR_ACCEL 134
#define IDD_ABOUT 135
#define IDI_MAIN 109

#define IDM_PLAYPAUSE 32771
#define IDM_OPEN 32772
#define IDM_CLOSE 32773
#define IDM_EXIT 32774
#define IDM_STOP 32775
#define IDM_BEGINNING 32776
#define IDM_REWIND 32777
#define IDM_FORWARD 32778
#define IDM_END 32779
#define IDM_FULLSCREEN 32780
#define IDM_REPEAT 32781
#define IDM_ABOUT 32782
#define IDM_ZOOM50 32783
#define IDM_ZOOM100 32784
#define IDM_ZOOM200 32785
#define IDM_ZOOMFIT 32786

#define IDM_FIRST IDM_PLAYPAUSE
#define IDM_LAST IDM_ZOOMFIT

#define IDC_TOOLBAR 301
#define IDC_STATUSBAR 302
#define IDC_VIDEOHOST 303
