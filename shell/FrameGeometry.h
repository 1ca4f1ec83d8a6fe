// Window arithmetic of the main frame and its controls. No platform headers here: this file
// is built natively too.
#pragma once

#include "core/PlayerState.h"

#include <array>
#include <cstdint>

// Every pixel value of the layout is given at 96 DPI and scaled to the window's DPI.
const int32_t DEFAULT_DPI = 96;

// A length given at 96 DPI at another DPI: value * dpi / 96 rounded to the nearest, halves away
// from 0, as MulDiv rounds; a DPI of 0 or less is taken as 96.
int32_t Scaled(int32_t value, int32_t dpi);

const int32_t MIN_FRAME_WIDTH = 400;
const int32_t MIN_FRAME_HEIGHT = 320;
const int32_t MOVIE_ROOM = 8; // 4 pixels of margin on each side of the movie
// The frame's first place on the screen.
const int32_t FRAME_X = 120;
const int32_t FRAME_Y = 50;

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
// The floor and the margin are scaled to the DPI; the movie is not.
Placement FitFrame(const Placement& frame, int32_t hostClientWidth, int32_t hostClientHeight,
                   int32_t movieWidth, int32_t movieHeight, int32_t maxWidth, int32_t maxHeight,
                   int32_t dpi = DEFAULT_DPI);

// The proposed outer rectangle while the user drags an edge: a dimension proposed below its
// minimum (scaled to the DPI) keeps its current edges.
Edges SizingRule(const Edges& proposed, const Edges& current, int32_t dpi = DEFAULT_DPI);

// Right edges of the status bar's three parts from its outer width and height, never negative.
std::array<int32_t, 3> StatusPartEdges(int32_t width, int32_t height);

// The same with parts 1 and 2 as wide as given (the widths of their widest texts).
std::array<int32_t, 3> StatusPartEdgesFor(int32_t width, int32_t height, int32_t stateWidth,
                                          int32_t timeWidth);

// The narrowest the state and time parts are, and the room a part needs beside its text: its
// sunken edge, the gap before it and the control's margin on the text's left, with a little to
// spare.
const int32_t STATUS_PART_WIDTH = 80;
const int32_t STATUS_TEXT_ROOM = 12;

// How wide a status part must be for a text of that width at a DPI: at least 80 scaled.
int32_t StatusPartWidth(int32_t textWidth, int32_t dpi);

// The trackbar sits at (208, 2) in the toolbar, 22 high, and ends 10 pixels left of it; each
// is scaled to the DPI.
const int32_t TRACKBAR_LEFT = 208;
const int32_t TRACKBAR_TOP = 2;
const int32_t TRACKBAR_HEIGHT = 22;
const int32_t TRACKBAR_RIGHT_GAP = 10;
int32_t TrackbarCreateWidth(int32_t toolbarWidth, int32_t dpi = DEFAULT_DPI);
int32_t TrackbarNewWidth(int32_t toolbarRight, int32_t trackbarLeft, int32_t dpi = DEFAULT_DPI);

// The toolbar's buttons and their images are this many pixels square, its separators this wide.
const int32_t TOOLBAR_CELL = 20;
const int32_t TOOLBAR_SEPARATOR = 6;

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
