#include "skin/win32/WinWindowShape.h"

#include <vector>

#include "skin/WindowShape.h"
#include "skin/win32/SkinPicture.h"

namespace pyxom::skin::win32 {

HRGN regionFromRects(const std::vector<Rect>& rects) {
  if (rects.empty()) return nullptr;
  std::vector<std::uint8_t> buf(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(buf.data());
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(rects.size());
  data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  RECT bound{rects[0].x, rects[0].y, rects[0].right(), rects[0].bottom()};
  auto* out = reinterpret_cast<RECT*>(data->Buffer);
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const Rect& r = rects[i];
    out[i] = RECT{r.x, r.y, r.right(), r.bottom()};
    if (r.x < bound.left) bound.left = r.x;
    if (r.y < bound.top) bound.top = r.y;
    if (r.right() > bound.right) bound.right = r.right();
    if (r.bottom() > bound.bottom) bound.bottom = r.bottom();
  }
  data->rdh.rcBound = bound;
  return ExtCreateRegion(nullptr, static_cast<DWORD>(buf.size()), data);
}

namespace {
Size clientSize(HWND window) {
  RECT rc{};
  GetClientRect(window, &rc);
  return {rc.right - rc.left, rc.bottom - rc.top};
}
}  // namespace

MaskShape ShapeWindowFromMask(HWND window, const Image* mask) {
  MaskShape shape;
  std::vector<Rect> rects;
  if (mask && !mask->empty()) {
    shape.size = {mask->width(), mask->height()};
    rects = maskShapeRects(*mask);
    shape.fromMask = !rects.empty();
  }
  if (!shape.fromMask) {
    if (shape.size.cx <= 0 || shape.size.cy <= 0) shape.size = clientSize(window);
    rects = fallbackShape(shape.size.cx, shape.size.cy);
  }
  HRGN rgn = regionFromRects(rects);
  // The system owns the region from here on. No region at all keeps the window as it is.
  if (rgn && !SetWindowRgn(window, rgn, TRUE)) DeleteObject(rgn);
  return shape;
}

MaskShape ShapeWindowFromMask(HWND window, const std::wstring& maskPath) {
  std::optional<Image> mask = LoadSkinPicture(maskPath);
  return ShapeWindowFromMask(window, mask ? &*mask : nullptr);
}

HRGN PageRepaintRegion(const Image* mask, Size fallback, const Rect& list1, const Rect& list2) {
  std::vector<Rect> rects;
  if (mask && !mask->empty()) rects = maskShapeRectsWithout(*mask, {list1, list2});
  if (rects.empty()) {
    // Same cut of the list boxes out of the whole window.
    Image whole(fallback.cx, fallback.cy, rgb(0, 0, 0));
    rects = maskShapeRectsWithout(whole, {list1, list2});
  }
  return regionFromRects(rects);
}

}  // namespace pyxom::skin::win32
