#include <gtest/gtest.h>

#include <vector>

#include "skin/SkinFonts.h"
#include "skin/WindowShape.h"

namespace pyxom::skin {
namespace {

TEST(SkinFonts, SizesAndHeightsByDisplayScale) {
  struct Case {
    int dpi, large, medium, small, largeHeight;
  };
  for (const Case& c : {Case{96, 101, 100, 94, -13}, Case{120, 77, 76, 70, -13}, Case{144, 67, 66, 60, -13},
                        Case{168, 57, 56, 50, -13}, Case{192, 57, 56, 50, -15}, Case{100, 44, 43, 37, -6},
                        Case{72, 44, 43, 37, -4}}) {
    FontSizes s = fontSizesForDpi(c.dpi);
    EXPECT_EQ(s.large, c.large) << c.dpi;
    EXPECT_EQ(s.medium, c.medium) << c.dpi;
    EXPECT_EQ(s.small, c.small) << c.dpi;
    EXPECT_EQ(fontHeightPixels(s.large, c.dpi), c.largeHeight) << c.dpi;
  }
}

TEST(MaskRule, OnlyPixelsAboveHundredInAllThreeAreCut) {
  EXPECT_TRUE(maskPixelCut(rgb(101, 101, 101)));
  EXPECT_TRUE(maskPixelCut(rgb(255, 255, 255)));
  EXPECT_FALSE(maskPixelCut(rgb(100, 255, 255)));
  EXPECT_FALSE(maskPixelCut(rgb(255, 100, 255)));
  EXPECT_FALSE(maskPixelCut(rgb(255, 255, 100)));
  EXPECT_FALSE(maskPixelCut(rgb(0, 0, 0)));
}

// Coverage count of every pixel by the rectangles.
std::vector<int> coverage(const std::vector<Rect>& rects, int w, int h) {
  std::vector<int> c(static_cast<std::size_t>(w * h), 0);
  for (const Rect& r : rects)
    for (int y = r.y; y < r.y + r.h; ++y)
      for (int x = r.x; x < r.x + r.w; ++x)
        if (x >= 0 && y >= 0 && x < w && y < h) ++c[static_cast<std::size_t>(y * w + x)];
        else ADD_FAILURE() << "rectangle outside the mask";
  return c;
}

Image patternMask(int w, int h) {
  Image m(w, h, rgb(0, 0, 0));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool corner = (x < 3 && y < 3) || (x > w - 4 && y > h - 4);
      const bool hole = x >= 10 && x < 14 && y >= 5 && y < 9;
      const bool noise = (x * 7 + y * 13) % 17 == 0;
      if (corner || hole || noise) m.set(x, y, rgb(101, 101, 101));
      if ((x + y) % 23 == 0) m.set(x, y, rgb(100, 255, 255));  // kept: red not above 100
    }
  return m;
}

TEST(WindowShape, RectanglesCoverExactlyTheKeptPixelsOnce) {
  const Image m = patternMask(40, 25);
  const auto rects = maskShapeRects(m);
  const auto c = coverage(rects, 40, 25);
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 40; ++x) EXPECT_EQ(c[static_cast<std::size_t>(y * 40 + x)], maskPixelCut(m.at(x, y)) ? 0 : 1) << x << "," << y;
}

TEST(WindowShape, EqualLinesMergeIntoOneRectangle) {
  Image m(30, 20, rgb(0, 0, 0));
  for (int y = 0; y < 20; ++y) m.set(0, y, rgb(255, 255, 255));
  EXPECT_EQ(maskShapeRects(m), (std::vector<Rect>{{1, 0, 29, 20}}));
}

TEST(WindowShape, RemovedRectanglesLeaveHolesAndNeverAddPixels) {
  const Image m = patternMask(40, 25);
  const std::vector<Rect> lists = {{2, 2, 10, 10}, {30, 15, 20, 20}};  // the second crosses the edge
  const auto c = coverage(maskShapeRectsWithout(m, lists), 40, 25);
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool inList = lists[0].contains(x, y) || lists[1].contains(x, y);
      EXPECT_EQ(c[static_cast<std::size_t>(y * 40 + x)], (!maskPixelCut(m.at(x, y)) && !inList) ? 1 : 0) << x << "," << y;
    }
}

TEST(WindowShape, EmptyOrFullyCutMaskGivesNoRectanglesAndTheFallbackIsTheWholeWindow) {
  EXPECT_TRUE(maskShapeRects(Image()).empty());
  EXPECT_TRUE(maskShapeRects(Image(8, 8, rgb(255, 255, 255))).empty());
  EXPECT_EQ(fallbackShape(1000, 700), (std::vector<Rect>{{0, 0, 1000, 700}}));
  EXPECT_TRUE(fallbackShape(0, 700).empty());
}

}  // namespace
}  // namespace pyxom::skin
