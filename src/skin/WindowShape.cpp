#include "skin/WindowShape.h"

#include <algorithm>
#include <utility>

namespace pyxom::skin {
namespace {

struct Run {
  int x0, x1;  // [x0, x1)
  bool operator==(const Run&) const = default;
};

// Runs of kept pixels on line y, minus the removed rectangles that cross the line.
void lineRuns(const Image& mask, int y, const std::vector<Rect>& removed, std::vector<Run>& out) {
  out.clear();
  const Argb* row = mask.row(y);
  const int w = mask.width();
  int x = 0;
  while (x < w) {
    while (x < w && maskPixelCut(row[x])) ++x;
    if (x >= w) break;
    int start = x;
    while (x < w && !maskPixelCut(row[x])) ++x;
    out.push_back({start, x});
  }
  for (const Rect& r : removed) {
    if (r.empty() || y < r.y || y >= r.y + r.h) continue;
    std::vector<Run> next;
    for (const Run& run : out) {
      const int cutL = std::max(run.x0, r.x), cutR = std::min(run.x1, r.x + r.w);
      if (cutL >= cutR) {
        next.push_back(run);
        continue;
      }
      if (run.x0 < cutL) next.push_back({run.x0, cutL});
      if (cutR < run.x1) next.push_back({cutR, run.x1});
    }
    out = std::move(next);
  }
}

std::vector<Rect> shapeRects(const Image& mask, const std::vector<Rect>& removed) {
  std::vector<Rect> done;
  std::vector<Rect> open;  // rectangles still growing downwards, one per run of the last line
  std::vector<Run> prev, cur;
  for (int y = 0; y < mask.height(); ++y) {
    lineRuns(mask, y, removed, cur);
    if (cur == prev) {
      for (Rect& r : open) ++r.h;
    } else {
      done.insert(done.end(), open.begin(), open.end());
      open.clear();
      for (const Run& run : cur) open.push_back({run.x0, y, run.x1 - run.x0, 1});
      prev = cur;
    }
  }
  done.insert(done.end(), open.begin(), open.end());
  return done;
}

}  // namespace

std::vector<Rect> maskShapeRects(const Image& mask) { return shapeRects(mask, {}); }

std::vector<Rect> maskShapeRectsWithout(const Image& mask, const std::vector<Rect>& removed) {
  return shapeRects(mask, removed);
}

std::vector<Rect> fallbackShape(int width, int height) {
  if (width <= 0 || height <= 0) return {};
  return {Rect{0, 0, width, height}};
}

}  // namespace pyxom::skin
