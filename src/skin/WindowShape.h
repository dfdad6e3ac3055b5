// Window shapes from mask pictures, as lists of rectangles that the Windows shell turns into
// regions. A mask pixel whose red, green and blue are all above 100 is cut out of the window.
#pragma once

#include <vector>

#include "skin/Geometry.h"
#include "skin/Image.h"

namespace pyxom::skin {

constexpr bool maskPixelCut(Argb p) { return redOf(p) > 100 && greenOf(p) > 100 && blueOf(p) > 100; }

// The kept pixels of the mask as disjoint rectangles: runs per scan line, with equal runs of
// neighbouring lines merged into one taller rectangle.
std::vector<Rect> maskShapeRects(const Image& mask);

// The same shape with the given rectangles (the macro page's list boxes) removed.
std::vector<Rect> maskShapeRectsWithout(const Image& mask, const std::vector<Rect>& removed);

// Shape used when the mask is missing, empty, or cuts out every pixel: the whole rectangle.
std::vector<Rect> fallbackShape(int width, int height);

}  // namespace pyxom::skin
