// A tiny skin for composition tests: solid pictures (so every pixel tells which picture it came
// from) and a layout whose elements sit in separate cells of a grid.
#pragma once

#include <string>

#include "skin/PagePaint.h"

namespace pyxom::skin::testing {

inline constexpr int kWidth = 140, kHeight = 110;
inline constexpr Argb kNormal = rgb(10, 20, 30), kHover = rgb(40, 50, 60), kPressed = rgb(70, 80, 90),
                      kGray = rgb(100, 100, 100), kBlue = rgb(0, 0, 200);

// Cell k of a 10-column grid of 12 x 10 cells; elements are 10 x 8.
inline Rect cell(int k) { return {(k % 10) * 12, (k / 10) * 10, 10, 8}; }

inline SkinLayout syntheticLayout() {
  SkinLayout l;
  for (int i = 0; i < 50; ++i) l.main.rects[static_cast<std::size_t>(i)] = cell(i);
  l.main.rects[50] = cell(60);
  for (int j = 0; j < kAdvancedElements; ++j) l.advanced.rects[static_cast<std::size_t>(j)] = cell(20 + j);
  l.advanced.rects[kSliderElement] = {0, 70, 120, 8};
  l.advanced.rects[1] = {0, 82, 100, 4};
  l.advanced.rects[4] = {0, 88, 100, 4};
  l.advanced.rects[7] = {0, 94, 90, 4};
  for (int j = 0; j < kMacroElements; ++j) l.macro.rects[static_cast<std::size_t>(j)] = cell(20 + j);
  for (int j = 0; j < kColorElements; ++j) l.color.rects[static_cast<std::size_t>(j)] = cell(20 + j);
  l.sliderOrigin = 0;
  l.sliderLength = 120;
  l.sliderStep = 120.0 / 12;
  return l;
}

// Knob 4 x 8: column 0 opaque red, column 1 half green, column 2 transparent, column 3 quarter white.
inline Image knobPicture() {
  Image k(4, 8);
  for (int y = 0; y < 8; ++y) {
    k.set(0, y, 0xFFFF0000u);
    k.set(1, y, 0x8000FF00u);
    k.set(2, y, 0x00FFFFFFu);
    k.set(3, y, 0x40FFFFFFu);
  }
  premultiplyAlpha(k);
  return k;
}

// Fixed metrics: every character is 3 (large), 2 (medium) or 1 (small) pixel wide, and the
// fonts are 9, 7 and 5 pixels high.
class FixedMeasurer final : public TextMeasurer {
 public:
  Size measure(FontId font, const std::wstring& text) const override {
    const int n = static_cast<int>(text.size());
    switch (font) {
      case FontId::Large: return {3 * n, 9};
      case FontId::Medium: return {2 * n, 7};
      case FontId::Small: return {n, 5};
    }
    return {};
  }
};

}  // namespace pyxom::skin::testing
