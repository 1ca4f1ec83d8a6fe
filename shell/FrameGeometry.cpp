#include "shell/FrameGeometry.h"

#include <algorithm>
#include <limits>

namespace {

// Window sizes come from the platform as 32-bit values that may be anything while a window is
// minimised or half-made; sums are taken in 64 bits and brought back into range here.
int32_t Saturate(int64_t value) {
    const int64_t low = std::numeric_limits<int32_t>::min();
    const int64_t high = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::min(high, std::max(low, value)));
}

int32_t NonNegative(int64_t value) {
    return Saturate(std::max<int64_t>(0, value));
}

// The fitted size in one direction: at least the minimum, at most the maximized size; a
// maximized size below the minimum gives the minimum.
int32_t FitSize(int64_t wanted, int32_t maxSize, int32_t minSize) {
    if (std::min<int64_t>(wanted, maxSize) < minSize) {
        return minSize;
    }
    if (wanted >= maxSize) {
        return maxSize;
    }
    return static_cast<int32_t>(wanted);
}

} // namespace

int32_t Scaled(int32_t value, int32_t dpi) {
    const int64_t d = dpi > 0 ? dpi : DEFAULT_DPI;
    const int64_t product = int64_t{value} * d;
    const int64_t half = DEFAULT_DPI / 2;
    return Saturate(product >= 0 ? (product + half) / DEFAULT_DPI
                                 : -((-product + half) / DEFAULT_DPI));
}

Placement FitFrame(const Placement& frame, int32_t hostClientWidth, int32_t hostClientHeight,
                   int32_t movieWidth, int32_t movieHeight, int32_t maxWidth, int32_t maxHeight,
                   int32_t dpi) {
    // The frame grows by what the host's client area lacks for the movie and its margin.
    const int32_t room = Scaled(MOVIE_ROOM, dpi);
    const int64_t wantedWidth = int64_t{frame.width} + movieWidth - int64_t{hostClientWidth} + room;
    const int64_t wantedHeight =
        int64_t{frame.height} + movieHeight - int64_t{hostClientHeight} + room;

    Placement fitted;
    fitted.width = FitSize(wantedWidth, maxWidth, Scaled(MIN_FRAME_WIDTH, dpi));
    fitted.height = FitSize(wantedHeight, maxHeight, Scaled(MIN_FRAME_HEIGHT, dpi));
    fitted.x = fitted.width == maxWidth ? 0 : frame.x;
    fitted.y = fitted.height == maxHeight ? 0 : frame.y;
    return fitted;
}

Edges SizingRule(const Edges& proposed, const Edges& current, int32_t dpi) {
    Edges result = proposed;
    if (int64_t{proposed.right} - proposed.left < Scaled(MIN_FRAME_WIDTH, dpi)) {
        result.left = current.left;
        result.right = current.right;
    }
    if (int64_t{proposed.bottom} - proposed.top < Scaled(MIN_FRAME_HEIGHT, dpi)) {
        result.top = current.top;
        result.bottom = current.bottom;
    }
    return result;
}

std::array<int32_t, 3> StatusPartEdges(int32_t width, int32_t height) {
    // The status control reads a negative edge, -1 in particular, as "to the right end", so a
    // minimised frame's negative edges would give part 0 the whole bar: clamp them instead.
    return StatusPartEdgesFor(width, height, STATUS_PART_WIDTH, STATUS_PART_WIDTH);
}

std::array<int32_t, 3> StatusPartEdgesFor(int32_t width, int32_t height, int32_t stateWidth,
                                          int32_t timeWidth) {
    const int64_t end = int64_t{width} - height;
    const int64_t time = std::max(0, timeWidth);
    const int64_t state = std::max(0, stateWidth);
    return {NonNegative(end - time - state), NonNegative(end - time), NonNegative(end)};
}

int32_t StatusPartWidth(int32_t textWidth, int32_t dpi) {
    return Saturate(std::max<int64_t>(Scaled(STATUS_PART_WIDTH, dpi),
                                      int64_t{textWidth} + Scaled(STATUS_TEXT_ROOM, dpi)));
}

int32_t TrackbarCreateWidth(int32_t toolbarWidth, int32_t dpi) {
    // 208 on the left, 10 on the right.
    return NonNegative(int64_t{toolbarWidth} - Scaled(TRACKBAR_LEFT, dpi) -
                       Scaled(TRACKBAR_RIGHT_GAP, dpi));
}

int32_t TrackbarNewWidth(int32_t toolbarRight, int32_t trackbarLeft, int32_t dpi) {
    return NonNegative(int64_t{toolbarRight} - Scaled(TRACKBAR_RIGHT_GAP, dpi) - trackbarLeft);
}

Placement HostPlacement(ScreenMode mode, int32_t clientWidth, int32_t clientHeight,
                        int32_t toolbarHeight, int32_t statusHeight) {
    Placement placement;
    placement.x = 0;
    if (mode == FullScreen) {
        placement.y = 0;
        placement.width = NonNegative(clientWidth);
        placement.height = NonNegative(clientHeight);
        return placement;
    }
    placement.y = toolbarHeight;
    placement.width = NonNegative(clientWidth);
    placement.height = NonNegative(int64_t{clientHeight} - toolbarHeight - statusHeight);
    return placement;
}

namespace {

// a * b / c rounded to the nearest integer, halves up; all three positive.
int64_t ScaledRounded(int64_t a, int64_t b, int64_t c) {
    return (a * b + c / 2) / c;
}

} // namespace

Placement FitPicture(int32_t areaWidth, int32_t areaHeight, int32_t sourceWidth,
                     int32_t sourceHeight) {
    if (areaWidth <= 0 || areaHeight <= 0 || sourceWidth <= 0 || sourceHeight <= 0) {
        return Placement{0, 0, 0, 0};
    }
    const int64_t w = areaWidth, h = areaHeight, sw = sourceWidth, sh = sourceHeight;
    int64_t width = w, height = h;
    // Compared as products: the area is relatively narrower than the source, or as wide.
    if (w * sh <= h * sw) {
        height = std::max<int64_t>(1, ScaledRounded(w, sh, sw));
    } else {
        width = std::max<int64_t>(1, ScaledRounded(h, sw, sh));
    }
    Placement picture;
    picture.width = static_cast<int32_t>(width);
    picture.height = static_cast<int32_t>(height);
    picture.x = static_cast<int32_t>((w - width) / 2);
    picture.y = static_cast<int32_t>((h - height) / 2);
    return picture;
}

Placement FullScreenPlacement(bool haveMonitor, const Edges& monitor, int32_t screenWidth,
                              int32_t screenHeight) {
    if (!haveMonitor) {
        return Placement{0, 0, NonNegative(screenWidth), NonNegative(screenHeight)};
    }
    return Placement{monitor.left, monitor.top, NonNegative(int64_t{monitor.right} - monitor.left),
                     NonNegative(int64_t{monitor.bottom} - monitor.top)};
}
