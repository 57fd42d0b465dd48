#pragma once

namespace vantrel {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

inline constexpr int kTraceAreaLeft = 5;
inline constexpr int kTraceAreaTop = 25;

// The trace text area's place in the main window's client area (the menu bar
// at its top), kept on every resize: 5 pixels from the left, 25 from the top
// (lower only when a large font makes the menu bar taller), reaching the right
// and bottom edges so that neither scroll bar is cut off.
constexpr Rect TraceAreaGeometry(int clientWidth, int clientHeight, int menuBarHeight = 0) {
    const int top = menuBarHeight + 5 > kTraceAreaTop ? menuBarHeight + 5 : kTraceAreaTop;
    const int width = clientWidth - kTraceAreaLeft;
    const int height = clientHeight - top;
    return Rect{kTraceAreaLeft, top, width < 0 ? 0 : width, height < 0 ? 0 : height};
}

}  // namespace vantrel
