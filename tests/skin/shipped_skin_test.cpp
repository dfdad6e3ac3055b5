// The skin that ships in data/skins: every layout of both languages loads, every element the
// program uses has a rectangle inside its window, and every picture has its window's size.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/IniFileProfile.h"
#include "skin/PagePaint.h"
#include "skin/SkinLayout.h"

namespace pyxom::skin {
namespace {

namespace fs = std::filesystem;

const fs::path kSkins = fs::path(PYXOM_SOURCE_DIR) / "data" / "skins";

struct PictureInfo {
  int width = 0, height = 0;
  bool alpha = false;
};

// Size from the PNG header or the JPEG frame header.
std::optional<PictureInfo> pictureInfo(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)), {});
  auto be16 = [&](std::size_t i) { return (b[i] << 8) | b[i + 1]; };
  if (b.size() > 26 && b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G') {
    auto be32 = [&](std::size_t i) { return static_cast<int>((b[i] << 24) | (b[i + 1] << 16) | (b[i + 2] << 8) | b[i + 3]); };
    return PictureInfo{be32(16), be32(20), b[25] == 6 || b[25] == 4};
  }
  if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8) return std::nullopt;
  for (std::size_t i = 2; i + 9 < b.size();) {
    if (b[i] != 0xFF) return std::nullopt;
    const std::uint8_t marker = b[i + 1];
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
      return PictureInfo{be16(i + 7), be16(i + 5), false};
    i += 2 + static_cast<std::size_t>(be16(i + 2));
  }
  return std::nullopt;
}

struct Host final : LayoutHost {
  std::vector<std::wstring> messages;
  int shutdowns = 0;
  bool fileExists(const std::wstring& p) override { return layoutFileExists(p); }
  void showMessage(const std::wstring& t) override { messages.push_back(t); }
  void shutdown() override { ++shutdowns; }
};

class ShippedSkin : public ::testing::TestWithParam<UiLanguage> {
 protected:
  void SetUp() override {
    if (!fs::exists(kSkins / "main_mask.jpg")) FAIL() << "no shipped skin";
    auto mask = pictureInfo(kSkins / "main_mask.jpg");
    ASSERT_TRUE(mask);
    w_ = mask->width;
    h_ = mask->height;
    LayoutReader reader(ini_, host_);
    ASSERT_TRUE(loadStartupLayouts(reader, kSkins.wstring(), GetParam(), 12, layout_));
    EXPECT_TRUE(host_.messages.empty()) << "a value with more than six commas";
  }

  void expectInside(const ElementTable& t, std::initializer_list<int> used, const char* page) {
    for (int i : used) {
      const Rect r = t.rect(i);
      EXPECT_FALSE(r.empty()) << page << " element " << i << " has no rectangle";
      EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.right() <= w_ && r.bottom() <= h_) << page << " element " << i << " outside";
    }
    for (std::size_t i = 0; i < t.size(); ++i) {
      const Rect r = t.rects[i];
      if (!r.empty()) {
        EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.right() <= w_ && r.bottom() <= h_) << page << " element " << i;
      }
    }
  }

  platform::IniFileProfile ini_;
  Host host_;
  SkinLayout layout_;
  int w_ = 0, h_ = 0;
};

TEST_P(ShippedSkin, EveryUsedElementHasARectangleInsideTheWindow) {
  std::initializer_list<int> header = {4, 5, 6, 7, 9, 10, 11, 12, 18, 19, 50};
  expectInside(layout_.main, header, "main");
  constexpr int kButtons = 8;
  for (int i = 0; i < kButtons; ++i) {
    EXPECT_FALSE(layout_.main.rect(25 + i).empty()) << "label of button " << i;
    EXPECT_FALSE(layout_.main.rect(35 + i).empty()) << "marker of button " << i;
  }
  expectInside(layout_.advanced, {1, 2, 4, 5, 7, 8, 10, 11, 12, 13, 15, 16, 17, 18, 20, 21, 22, 23, 25, 26, 27, 28, 30, 31, 32},
               "advanced");
  expectInside(layout_.macro, {2, 3, 5, 6}, "macro");
  expectInside(layout_.color, {1, 2, 3, 4, 5}, "colour");
  for (const Rect& r : {layout_.editRect, layout_.list1Rect, layout_.list2Rect}) {
    EXPECT_FALSE(r.empty());
    EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.right() <= w_ && r.bottom() <= h_);
  }
  // The knob at full fill stays inside the window.
  auto knob = pictureInfo(kSkins / "moveRect.png");
  ASSERT_TRUE(knob);
  const Rect slider = layout_.advanced.rect(kSliderElement);
  EXPECT_LE(slider.right() + knob->width, w_);
  EXPECT_LE(slider.y + knob->height, h_);
  for (int k = 1; k <= kFunctionNames; ++k) EXPECT_FALSE(layout_.functionName(k).empty()) << "FUN_STRING " << k;
}

TEST_P(ShippedSkin, EveryPictureHasItsWindowsSize) {
  auto sizeOf = [](const std::string& name) { return pictureInfo(kSkins / name); };
  struct Family {
    std::string mask;
    std::vector<std::string> pictures;
  };
  std::vector<Family> families = {
      {"main_mask.jpg", {"color_normal_gray.jpg", "color_over_blue.jpg"}},
      {"menu_mask.jpg", {"menu_normal.jpg", "menu_over.jpg", "menu_down.jpg"}},
      {"advanced menu_mask.jpg", {"advanced menu_normal.jpg", "advanced menu_over.jpg", "advanced menu_down.jpg"}},
      {"keyset_mask.jpg", {"keyset_normal.jpg", "keyset_over.jpg", "keyset_down.jpg"}},
      {"warning_mask.jpg", {"warning_normal.jpg", "warning_over.jpg"}}};
  for (MainPage page : {MainPage::Main, MainPage::Advanced, MainPage::Macro, MainPage::Color}) {
    const PagePictures p = pagePictures(page);
    for (const wchar_t* name : {p.normal, p.hover, p.pressed}) {
      std::wstring w(name + 1);  // without the leading backslash
      families[0].pictures.emplace_back(w.begin(), w.end());
    }
  }
  for (const Family& f : families) {
    auto mask = sizeOf(f.mask);
    ASSERT_TRUE(mask) << f.mask;
    for (const std::string& pic : f.pictures) {
      auto info = sizeOf(pic);
      ASSERT_TRUE(info) << pic << " missing or not a picture";
      EXPECT_EQ(info->width, mask->width) << pic;
      EXPECT_EQ(info->height, mask->height) << pic;
    }
  }
  auto knob = sizeOf("moveRect.png");
  ASSERT_TRUE(knob);
  EXPECT_TRUE(knob->alpha);
  EXPECT_GE(w_, 900);
  EXPECT_GE(h_, 600);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ShippedSkin, ::testing::Values(UiLanguage::English, UiLanguage::Second),
                         [](const auto& info) { return info.param == UiLanguage::English ? "English" : "Second"; });

}  // namespace
}  // namespace pyxom::skin
