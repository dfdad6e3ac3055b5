// The three interface fonts: sizes from the display's pixels per inch.
#pragma once

namespace pyxom::skin {

enum class FontId { Large, Medium, Small };

struct FontSizes {
  int large = 0, medium = 0, small = 0;  // tenths of a point
};

inline constexpr const wchar_t* kFontFace = L"\u5FAE\u8F6F\u96C5\u9ED1";

// Base by scale = dpiX / 96: 1.0 -> 87, 1.25 -> 63, 1.5 -> 53, 1.75 and 2.0 -> 43, else 30.
int fontBase(int dpiX);
FontSizes fontSizesForDpi(int dpiX);
// Character height (negative: the em height) of a size in tenths of a point, rounded.
int fontHeightPixels(int tenthsOfPoint, int dpiY);

}  // namespace pyxom::skin
