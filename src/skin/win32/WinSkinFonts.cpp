#include "skin/win32/WinSkinFonts.h"

#include <initializer_list>

namespace pyxom::skin::win32 {
namespace {
HFONT makeFont(int tenths, int dpiY) {
  LOGFONTW lf{};
  lf.lfHeight = fontHeightPixels(tenths, dpiY);
  lf.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(lf.lfFaceName, kFontFace, LF_FACESIZE - 1);
  return CreateFontIndirectW(&lf);
}
}  // namespace

SkinFontSet::~SkinFontSet() { release(); }

void SkinFontSet::release() {
  for (HFONT* f : {&large_, &medium_, &small_}) {
    if (*f) DeleteObject(*f);
    *f = nullptr;
  }
}

void SkinFontSet::create() {
  HDC dc = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
  int dpiX = 96, dpiY = 96;
  if (dc) {
    dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    DeleteDC(dc);
  }
  create(dpiX, dpiY);
}

void SkinFontSet::create(int dpiX, int dpiY) {
  release();
  sizes_ = fontSizesForDpi(dpiX);
  large_ = makeFont(sizes_.large, dpiY);
  medium_ = makeFont(sizes_.medium, dpiY);
  small_ = makeFont(sizes_.small, dpiY);
}

HFONT SkinFontSet::font(FontId id) const {
  switch (id) {
    case FontId::Large: return large_;
    case FontId::Medium: return medium_;
    case FontId::Small: return small_;
  }
  return large_;
}

}  // namespace pyxom::skin::win32
