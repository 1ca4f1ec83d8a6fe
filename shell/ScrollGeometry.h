// The video host's scroll bars, the movie window's place in it and the context-menu point.
// No platform headers here: this file is built natively too.
#pragma once

#include <cstdint>

const int32_t SCROLL_LINE = 8;
const int32_t SCROLL_PAGE = 64;

struct SystemSizes {
    int32_t cxEdge;
    int32_t cyEdge;
    int32_t cxVScroll;
    int32_t cyHScroll;
};

struct ScrollBarsLayout {
    bool hbar;
    bool vbar;
    int32_t hMax; // the range is 0..hMax
    int32_t hPage;
    int32_t vMax;
    int32_t vPage;
};

// From the host's outer size (the edge taken off when it has one) and the movie window's outer
// size: which bars show, their ranges and pages. Pages are never negative.
// room is the margin around the movie, both sides together (MOVIE_ROOM at the window's DPI).
ScrollBarsLayout ComputeScrollBars(int32_t hostWidth, int32_t hostHeight, bool clientEdge,
                                   const SystemSizes& sizes, int32_t movieWidth,
                                   int32_t movieHeight, int32_t room = 8);

// One coordinate of the movie window: centred when it fits with its margin, else half the
// margin (4 at 96 DPI); then less the scroll position.
int32_t CentreCoordinate(int32_t movieSize, int32_t clientSize, int32_t scrollPosition,
                         int32_t room = 8);

// The change a scroll code asks for (thumb is the high word of the message's wParam).
int32_t ScrollChange(int32_t code, int32_t thumb, int32_t position);

// The change clamped so that the new position stays within minimum..maximum - page + 1; when
// those cross, the minimum wins.
int32_t ClampScrollChange(int32_t change, int32_t minimum, int32_t maximum, int32_t page,
                          int32_t position);

// A context-menu coordinate: -1 (the keyboard's request) becomes 0.
int32_t ContextMenuCoordinate(int32_t coordinate);
