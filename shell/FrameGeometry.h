// Window arithmetic of the main frame and its controls. No platform headers here: this file
// is built natively too.
#pragma once

#include "core/PlayerState.h"

#include <array>
#include <cstdint>

const int32_t MIN_FRAME_WIDTH = 400;
const int32_t MIN_FRAME_HEIGHT = 320;
const int32_t MOVIE_ROOM = 8; // 4 pixels of margin on each side of the movie

struct Placement {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

struct Edges {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// Where the main frame goes to fit a movie: frame outer size + movie - host client + 8 in each
// direction, floored at 400 x 320 and capped at the maximized size; a dimension that reaches
// the maximized size goes to coordinate 0, the other keeps the frame's current left or top.
Placement FitFrame(const Placement& frame, int32_t hostClientWidth, int32_t hostClientHeight,
                   int32_t movieWidth, int32_t movieHeight, int32_t maxWidth, int32_t maxHeight);

// The proposed outer rectangle while the user drags an edge: a dimension proposed below its
// minimum keeps its current edges.
Edges SizingRule(const Edges& proposed, const Edges& current);

// Right edges of the status bar's three parts from its outer width and height, never negative.
std::array<int32_t, 3> StatusPartEdges(int32_t width, int32_t height);

// The trackbar sits at (208, 2) in the toolbar, 22 high, and ends 10 pixels left of it.
const int32_t TRACKBAR_LEFT = 208;
const int32_t TRACKBAR_TOP = 2;
const int32_t TRACKBAR_HEIGHT = 22;
int32_t TrackbarCreateWidth(int32_t toolbarWidth);
int32_t TrackbarNewWidth(int32_t toolbarRight, int32_t trackbarLeft);

// The video host's place in the frame's client area: below the toolbar and above the status
// bar when windowed, the whole client area in full screen. Sizes never negative.
Placement HostPlacement(ScreenMode mode, int32_t clientWidth, int32_t clientHeight,
                        int32_t toolbarHeight, int32_t statusHeight);

// The picture at Fit to Window: the largest rectangle with the source's proportions that fits
// in the area, centred, each size rounded to the nearest pixel and at least 1. An empty area or
// source gives an empty rectangle at (0, 0).
Placement FitPicture(int32_t areaWidth, int32_t areaHeight, int32_t sourceWidth,
                     int32_t sourceHeight);

// Where full screen puts the frame: the monitor's full rectangle when the platform named one,
// otherwise the primary screen at (0, 0).
Placement FullScreenPlacement(bool haveMonitor, const Edges& monitor, int32_t screenWidth,
                              int32_t screenHeight);
