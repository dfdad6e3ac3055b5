// A picture in memory: 32-bit pixels 0xAARRGGBB, rows top to bottom.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/Geometry.h"

namespace pyxom::skin {

using Argb = std::uint32_t;

constexpr Argb rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return 0xFF000000u | (Argb{r} << 16) | (Argb{g} << 8) | Argb{b};
}
constexpr std::uint8_t redOf(Argb c) { return static_cast<std::uint8_t>(c >> 16); }
constexpr std::uint8_t greenOf(Argb c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t blueOf(Argb c) { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t alphaOf(Argb c) { return static_cast<std::uint8_t>(c >> 24); }

class Image {
 public:
  Image() = default;
  Image(int width, int height, Argb fill = rgb(0, 0, 0))
      : w_(width > 0 ? width : 0), h_(height > 0 ? height : 0),
        px_(static_cast<std::size_t>(w_) * static_cast<std::size_t>(h_), fill) {}

  int width() const { return w_; }
  int height() const { return h_; }
  bool empty() const { return w_ == 0 || h_ == 0; }
  Argb at(int x, int y) const { return px_[index(x, y)]; }
  void set(int x, int y, Argb c) { px_[index(x, y)] = c; }
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
  Argb* row(int y) { return px_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w_); }
  const Argb* row(int y) const { return px_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w_); }
  std::vector<Argb>& pixels() { return px_; }
  const std::vector<Argb>& pixels() const { return px_; }

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(w_) + static_cast<std::size_t>(x);
  }
  int w_ = 0, h_ = 0;
  std::vector<Argb> px_;
};

// Rectangle clipped to the picture (empty when nothing is left).
Rect clipTo(const Rect& r, int width, int height);

// Pixels multiplied by their alpha (r * a / 255, truncated), as per-pixel alpha blending wants.
void premultiplyAlpha(Image& image);

}  // namespace pyxom::skin
