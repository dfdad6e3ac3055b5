// Rectangles of the skin: x, y, width and height in window pixels, as the layout files give them.
#pragma once

#include <cstdint>

namespace pyxom::skin {

struct Rect {
  std::int32_t x = 0, y = 0, w = 0, h = 0;
  std::int32_t left() const { return x; }
  std::int32_t top() const { return y; }
  std::int32_t right() const { return x + w; }
  std::int32_t bottom() const { return y + h; }
  // Left and top inclusive, right and bottom exclusive.
  bool contains(std::int32_t px, std::int32_t py) const {
    return px >= x && px < x + w && py >= y && py < y + h;
  }
  bool empty() const { return w <= 0 || h <= 0; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
  std::int32_t cx = 0, cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

}  // namespace pyxom::skin
