// Window regions from mask pictures.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "skin/Geometry.h"
#include "skin/Image.h"

namespace pyxom::skin::win32 {

// One region from disjoint rectangles (one ExtCreateRegion call). Null when there are none.
HRGN regionFromRects(const std::vector<Rect>& rects);

struct MaskShape {
  Size size;            // mask width and height: the main window's drawing size
  bool fromMask = false;  // false: the mask was missing or empty and the whole window is kept
};

// Gives `window` the shape of the mask picture (full path) and redraws it. A missing, empty or
// fully cut-out mask keeps the whole window (its current client size).
MaskShape ShapeWindowFromMask(HWND window, const std::wstring& maskPath);
MaskShape ShapeWindowFromMask(HWND window, const Image* mask);

// The kept pixels of the mask without the macro page's two list boxes; the whole rectangle
// `fallback` without them when the mask is missing or empty.
HRGN PageRepaintRegion(const Image* mask, Size fallback, const Rect& list1, const Rect& list2);

}  // namespace pyxom::skin::win32
