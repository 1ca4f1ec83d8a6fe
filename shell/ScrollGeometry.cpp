#include "shell/ScrollGeometry.h"

#include "shell/FrameGeometry.h"

#include <algorithm>
#include <limits>

namespace {

// Sizes and scroll values arrive as 32-bit values that hostile or half-made windows can push to
// the ends of the range; arithmetic is done in 64 bits and brought back into range here.
int32_t Saturate(int64_t value) {
    const int64_t low = std::numeric_limits<int32_t>::min();
    const int64_t high = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::min(high, std::max(low, value)));
}

int32_t NonNegative(int64_t value) {
    return Saturate(std::max<int64_t>(0, value));
}

} // namespace

ScrollBarsLayout ComputeScrollBars(int32_t hostWidth, int32_t hostHeight, bool clientEdge,
                                   const SystemSizes& sizes, int32_t movieWidth,
                                   int32_t movieHeight, int32_t room) {
    int64_t width = hostWidth;
    int64_t height = hostHeight;
    if (clientEdge) {
        width -= sizes.cxEdge;
        height -= sizes.cyEdge;
    }
    const int64_t needWidth = int64_t{movieWidth} + room;
    const int64_t needHeight = int64_t{movieHeight} + room;

    // Both decisions come from the size without bars, so they do not depend on which bars
    // happen to be shown now and the size message a bar's appearance brings changes nothing.
    ScrollBarsLayout layout;
    layout.hbar = width < needWidth;
    layout.vbar = height < needHeight;
    if (layout.vbar) {
        width -= sizes.cxVScroll;
    }
    if (layout.hbar) {
        height -= sizes.cyHScroll;
    }
    layout.hMax = Saturate(needWidth);
    layout.hPage = NonNegative(width + 1);
    layout.vMax = Saturate(needHeight);
    layout.vPage = NonNegative(height + 1);
    return layout;
}

int32_t CentreCoordinate(int32_t movieSize, int32_t clientSize, int32_t scrollPosition,
                         int32_t room) {
    const int64_t origin =
        int64_t{movieSize} + room < clientSize ? (int64_t{clientSize} - movieSize) / 2 : room / 2;
    return Saturate(origin - scrollPosition);
}

int32_t ScrollChange(int32_t code, int32_t thumb, int32_t position) {
    switch (code) {
    case 0: // SB_LINEUP, SB_LINELEFT
        return -SCROLL_LINE;
    case 1: // SB_LINEDOWN, SB_LINERIGHT
        return SCROLL_LINE;
    case 2: // SB_PAGEUP, SB_PAGELEFT
        return -SCROLL_PAGE;
    case 3: // SB_PAGEDOWN, SB_PAGERIGHT
        return SCROLL_PAGE;
    case 4: // SB_THUMBPOSITION
    case 5: // SB_THUMBTRACK
        return Saturate(int64_t{thumb} - position);
    default: // SB_TOP, SB_BOTTOM, SB_ENDSCROLL and anything else
        return 0;
    }
}

int32_t ClampScrollChange(int32_t change, int32_t minimum, int32_t maximum, int32_t page,
                          int32_t position) {
    const int64_t down = int64_t{minimum} - position;
    const int64_t up = int64_t{maximum} - page - position + 1;
    return Saturate(std::max(down, std::min<int64_t>(change, up)));
}

int32_t ContextMenuCoordinate(int32_t coordinate) {
    return coordinate == -1 ? 0 : coordinate;
}
