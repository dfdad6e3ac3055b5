// The three interface fonts as GDI fonts, created once from the display's pixels per inch.
#pragma once

#include <windows.h>

#include "skin/SkinFonts.h"

namespace pyxom::skin::win32 {

class SkinFontSet {
 public:
  SkinFontSet() = default;
  ~SkinFontSet();
  SkinFontSet(const SkinFontSet&) = delete;
  SkinFontSet& operator=(const SkinFontSet&) = delete;

  // Creates FontLarge, FontMedium and FontSmall for the screen ("DISPLAY").
  void create();
  // For given pixels per inch (tests).
  void create(int dpiX, int dpiY);

  HFONT font(FontId id) const;
  FontSizes sizes() const { return sizes_; }

 private:
  void release();
  HFONT large_ = nullptr, medium_ = nullptr, small_ = nullptr;
  FontSizes sizes_;
};

}  // namespace pyxom::skin::win32
