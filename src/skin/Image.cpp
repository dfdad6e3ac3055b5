#include "skin/Image.h"

#include <algorithm>

namespace pyxom::skin {

Rect clipTo(const Rect& r, int width, int height) {
  const std::int64_t l = std::max<std::int64_t>(r.x, 0), t = std::max<std::int64_t>(r.y, 0);
  const std::int64_t rr = std::min<std::int64_t>(std::int64_t{r.x} + r.w, width);
  const std::int64_t b = std::min<std::int64_t>(std::int64_t{r.y} + r.h, height);
  if (rr <= l || b <= t) return {};
  return {static_cast<std::int32_t>(l), static_cast<std::int32_t>(t), static_cast<std::int32_t>(rr - l),
          static_cast<std::int32_t>(b - t)};
}

void premultiplyAlpha(Image& image) {
  for (Argb& p : image.pixels()) {
    const Argb a = alphaOf(p);
    p = (a << 24) | ((redOf(p) * a / 255) << 16) | ((greenOf(p) * a / 255) << 8) | (blueOf(p) * a / 255);
  }
}

}  // namespace pyxom::skin
