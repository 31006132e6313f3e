// The scrolling lists of the player dialog and the level-set chooser: rows of one font line in
// a clipped window, and a scroll bar whose thumb shows which part of the list is in view.
#pragma once

#include <algorithm>
#include <cstdint>

// How far the list reaches below its window: rows x row height - window, never negative.
inline int32_t ListOverhang(size_t rows, int32_t rowHeight, int32_t window) {
    const int64_t whole = int64_t(rows) * rowHeight;
    return int32_t(std::clamp<int64_t>(whole - window, 0, INT32_MAX));
}

// The thumb in a track of trackHeight pixels: as tall as the window's share of the whole list,
// and as far down as the list is scrolled.
struct ScrollThumb {
    float top = 0;
    float height = 0;
    int32_t content = 0;  // height of the whole list, at least the window

    ScrollThumb(float offset, int32_t overhang, int32_t window, float trackTop, float trackHeight) {
        content = std::max(overhang + window, window);
        height = trackHeight * float(window) / float(content);
        top = trackTop + offset / float(content) * trackHeight;
    }
    // The offset that puts the thumb's centre on the pointer at mouseY, within 0 .. overhang.
    float OffsetFor(float mouseY, float trackTop, float trackHeight, int32_t overhang) const {
        const float offset = ((mouseY - trackTop) - height / 2) / trackHeight * float(content);
        return std::clamp(offset, 0.0f, float(overhang));
    }
};
