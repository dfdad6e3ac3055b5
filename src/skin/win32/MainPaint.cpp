#include "skin/win32/MainPaint.h"

#include <chrono>

#include "skin/win32/SkinPicture.h"

namespace pyxom::skin::win32 {
namespace {

using Clock = std::chrono::steady_clock;
double msSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

COLORREF colorRef(Argb c) { return RGB(redOf(c), greenOf(c), blueOf(c)); }

Image loadOr(const std::wstring& folder, const wchar_t* name) {
  std::optional<Image> img = LoadSkinPicture(folder, name);
  return img ? std::move(*img) : Image();
}

}  // namespace

Size GdiTextMeasurer::measure(FontId font, const std::wstring& text) const {
  HGDIOBJ old = SelectObject(dc_, fonts_.font(font));
  SIZE sz{};
  GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &sz);
  SelectObject(dc_, old);
  return {sz.cx, sz.cy};
}

PaintSources DecodedPage::sources() const {
  auto p = [](const Image& i) { return i.empty() ? nullptr : &i; };
  return PaintSources{p(hover), p(pressed), p(ledGray), p(ledBlue), p(knob)};
}

DecodedPage DecodePagePictures(const std::wstring& skinsFolder, MainPage page, Size size) {
  DecodedPage d;
  const PagePictures files = pagePictures(page);
  d.normal = loadOr(skinsFolder, files.normal);
  if (d.normal.empty()) d.normal = Image(size.cx, size.cy, rgb(0, 0, 0));
  d.hover = loadOr(skinsFolder, files.hover);
  d.pressed = loadOr(skinsFolder, files.pressed);
  if (page == MainPage::Advanced) {
    d.knob = loadOr(skinsFolder, kKnobPicture);
    premultiplyAlpha(d.knob);
  }
  if (page == MainPage::Color) {
    d.ledGray = loadOr(skinsFolder, kLedGrayPicture);
    d.ledBlue = loadOr(skinsFolder, kLedBluePicture);
  }
  return d;
}

PaintPlan PaintMainWindow(HDC target, const std::wstring& skinsFolder, const SkinLayout& layout,
                          const PaintState& state, const SkinFontSet& fonts, Size size, PaintTimes* times) {
  PaintTimes t;
  auto start = Clock::now();
  DecodedPage pics = DecodePagePictures(skinsFolder, state.page, size);
  PictureDc buffer(pics.normal, target);
  PictureDc hover(pics.hover, target), pressed(pics.pressed, target);
  PictureDc gray(pics.ledGray, target), blue(pics.ledBlue, target), knob(pics.knob, target);
  t.decodeMs = msSince(start);

  start = Clock::now();
  PaintPlan plan;
  if (buffer) {
    GdiTextMeasurer measurer(buffer.dc(), fonts);
    plan = composePage(layout, state, measurer);
  }
  t.composeMs = msSince(start);

  start = Clock::now();
  if (buffer) {
    HDC dc = buffer.dc();
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = GetCurrentObject(dc, OBJ_FONT);
    for (const PaintOp& op : plan.ops) {
      switch (op.kind) {
        case PaintOp::Kind::Copy: {
          const PictureDc* src = nullptr;
          switch (op.source) {
            case Picture::Hover: src = &hover; break;
            case Picture::Pressed: src = &pressed; break;
            case Picture::LedGray: src = &gray; break;
            case Picture::LedBlue: src = &blue; break;
            default: break;
          }
          if (!src || !*src) break;
          const Rect r = clipTo(clipTo(op.rect, buffer.width(), buffer.height()), src->width(), src->height());
          if (!r.empty()) BitBlt(dc, r.x, r.y, r.w, r.h, src->dc(), r.x, r.y, SRCCOPY);
          break;
        }
        case PaintOp::Kind::Fill: {
          const Rect r = clipTo(op.rect, buffer.width(), buffer.height());
          if (r.empty()) break;
          HBRUSH brush = CreateSolidBrush(colorRef(op.color));
          RECT rc{r.x, r.y, r.right(), r.bottom()};
          FillRect(dc, &rc, brush);
          DeleteObject(brush);
          break;
        }
        case PaintOp::Kind::Blend: {
          if (!knob) break;
          const Rect r = clipTo({op.x, op.y, knob.width(), knob.height()}, buffer.width(), buffer.height());
          if (r.empty()) break;
          BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
          AlphaBlend(dc, r.x, r.y, r.w, r.h, knob.dc(), r.x - op.x, r.y - op.y, r.w, r.h, bf);
          break;
        }
        case PaintOp::Kind::Text:
          SelectObject(dc, fonts.font(op.font));
          SetTextColor(dc, colorRef(op.color));
          TextOutW(dc, op.x, op.y, op.text.c_str(), static_cast<int>(op.text.size()));
          break;
      }
    }
    SelectObject(dc, oldFont);
  }
  t.drawMs = msSince(start);

  start = Clock::now();
  if (buffer) BitBlt(target, 0, 0, size.cx, size.cy, buffer.dc(), 0, 0, SRCCOPY);
  t.copyMs = msSince(start);
  if (times) *times = t;
  return plan;
}

}  // namespace pyxom::skin::win32
