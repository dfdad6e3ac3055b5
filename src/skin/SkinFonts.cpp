#include "skin/SkinFonts.h"

#include <cmath>

namespace pyxom::skin {

int fontBase(int dpiX) {
  const double scale = static_cast<double>(dpiX) / 96.0;
  if (scale == 1.0) return 87;
  if (scale == 1.25) return 63;
  if (scale == 1.5) return 53;
  if (scale == 1.75 || scale == 2.0) return 43;
  return 30;
}

FontSizes fontSizesForDpi(int dpiX) {
  const int base = fontBase(dpiX);
  return {base + 14, base + 13, base + 7};
}

int fontHeightPixels(int tenthsOfPoint, int dpiY) {
  return -static_cast<int>(std::lround(static_cast<double>(tenthsOfPoint) * dpiY / 720.0));
}

}  // namespace pyxom::skin
