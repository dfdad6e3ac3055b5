// The main window's paint: decode the page's pictures, compose the page, execute the plan
// with GDI into the normal picture's memory DC and copy it to the window in one block.
#pragma once

#include <windows.h>

#include <string>

#include "skin/PagePaint.h"
#include "skin/SkinLayout.h"
#include "skin/win32/WinSkinFonts.h"

namespace pyxom::skin::win32 {

// Measures with GetTextExtentPoint32W in the given DC, each font selected first.
class GdiTextMeasurer final : public TextMeasurer {
 public:
  GdiTextMeasurer(HDC dc, const SkinFontSet& fonts) : dc_(dc), fonts_(fonts) {}
  Size measure(FontId font, const std::wstring& text) const override;

 private:
  HDC dc_;
  const SkinFontSet& fonts_;
};

struct PaintTimes {
  double decodeMs = 0, composeMs = 0, drawMs = 0, copyMs = 0;
  double totalMs() const { return decodeMs + composeMs + drawMs + copyMs; }
};

// Paints the page of `state` into `target` at (0, 0) with the drawing size `size` (the main
// mask's size). Pictures are decoded for this paint and released before it returns. Returns
// the plan that was executed.
PaintPlan PaintMainWindow(HDC target, const std::wstring& skinsFolder, const SkinLayout& layout,
                          const PaintState& state, const SkinFontSet& fonts, Size size,
                          PaintTimes* times = nullptr);

// The pictures one paint of `page` reads (the knob premultiplied), for comparing with the
// portable execution. The normal picture comes back in `normal`.
struct DecodedPage {
  Image normal, hover, pressed, ledGray, ledBlue, knob;
  PaintSources sources() const;
};
DecodedPage DecodePagePictures(const std::wstring& skinsFolder, MainPage page, Size size);

}  // namespace pyxom::skin::win32
