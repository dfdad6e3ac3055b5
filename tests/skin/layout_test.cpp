#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/IniFileProfile.h"
#include "skin/SkinLayout.h"

namespace pyxom::skin {
namespace {

namespace fs = std::filesystem;

TEST(SplitLayoutValue, Cases) {
  struct Case {
    std::wstring value;
    std::array<std::wstring, 7> f;
    bool tooMany;
  };
  const std::vector<Case> cases = {
      {L"label,10,20,30,40,Text,", {L"label", L"10", L"20", L"30", L"40", L"Text", L""}, false},
      {L"a,1,2,3,4,T,x,y", {L"a", L"1", L"2", L"3", L"4", L"T", L"x,y"}, true},
      {L"a,1,2,3,4,T,,", {L"a", L"1", L"2", L"3", L"4", L"T", L","}, true},
      {L"whole value", {L"whole value", L"", L"", L"", L"", L"", L""}, false},
      {L"", {L"", L"", L"", L"", L"", L"", L""}, false},
      {L"l,1,2", {L"l", L"1", L"2", L"", L"", L"", L""}, false},
      {L",,,,,,", {L"", L"", L"", L"", L"", L"", L""}, false},
  };
  for (const Case& c : cases) {
    SplitResult r = splitLayoutValue(c.value);
    EXPECT_EQ(r.entry.f, c.f) << std::string(c.value.begin(), c.value.end());
    EXPECT_EQ(r.tooManyCommas, c.tooMany);
  }
}

TEST(SplitLayoutValue, NumbersAreDecimalText) {
  EXPECT_EQ(splitLayoutValue(L"l,10,20,30,40,T,").entry.rect(), (Rect{10, 20, 30, 40}));
  EXPECT_EQ(splitLayoutValue(L"l, -5,+7,12px,abc,T,").entry.rect(), (Rect{-5, 7, 12, 0}));
  EXPECT_EQ(splitLayoutValue(L"no commas").entry.rect(), (Rect{}));
}

struct FakeHost final : LayoutHost {
  std::vector<std::wstring> messages;
  int shutdowns = 0;
  bool fileExists(const std::wstring& p) override { return layoutFileExists(p); }
  void showMessage(const std::wstring& t) override { messages.push_back(t); }
  void shutdown() override { ++shutdowns; }
};

class LayoutFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("pyxom-layout-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "INI_EN");
    fs::create_directories(root_ / "INI_CN");
  }
  void TearDown() override { fs::remove_all(root_); }

  // Program path (backslashes) of the skins folder.
  std::wstring skins() const {
    std::wstring p = root_.wstring();
#ifndef _WIN32
    return p;
#else
    for (auto& c : p) if (c == L'/') c = L'\\';
    return p;
#endif
  }
  void write(const std::string& rel, const std::string& text) {
    std::ofstream(root_ / rel, std::ios::binary) << text;
  }
  // A complete set of files of one language; `tag` goes into every text.
  void writeAll(const std::string& folder, const std::string& suffix, const std::string& tag) {
    std::string main = "[BUTTONPOS]\n";
    for (int i = 0; i < 50; ++i) main += std::to_string(i) + "=e" + std::to_string(i) + "," + std::to_string(i) + ",1,2,3," + tag + std::to_string(i) + ",\n";
    main += "[BtnExpand]\n50=x,900,5,40,20," + tag + "X,\n[FUN_STRING]\n";
    for (int k = 1; k <= 54; ++k) main += std::to_string(k) + "=" + tag + "F" + std::to_string(k) + ",\n";
    write(folder + "/skin_main" + suffix + ".ini", main);
    std::string adv = "[BUTTONPOS]\n30=slider,100,200,240,10,,\n5=wheel,1,2,3,4," + tag + "W,\n";
    write(folder + "/skin_advance" + suffix + ".ini", adv);
    write(folder + "/skin_color" + suffix + ".ini", "[BUTTONPOS]\n5=swatch,10,10,50,50," + tag + "S,\n");
    write(folder + "/skin_mac" + suffix + ".ini",
          "[BUTTONPOS]\n12=count,1,1,1,1,N,\n[EDIT]\n1=edit,10,20,30,40,\n[MACRODISPLAY]\n1=l1,5,6,100,200,\n2=l2,200,6,150,300,\n");
    write(folder + "/LBWarning" + suffix + ".ini", "[BUTTONPOS]\n0=ok,1,2,3,4," + tag + "OK,\n");
  }

  fs::path root_;
  platform::IniFileProfile ini_;
  FakeHost host_;
};

TEST_F(LayoutFiles, LanguagePicksFolderAndLoadersFillTables) {
  writeAll("INI_EN", "_en", "en");
  writeAll("INI_CN", "", "ru");
  for (auto [lang, tag] : {std::pair{UiLanguage::English, std::wstring(L"en")}, std::pair{UiLanguage::Second, std::wstring(L"ru")}}) {
    LayoutReader reader(ini_, host_);
    SkinLayout l;
    ASSERT_TRUE(loadStartupLayouts(reader, skins(), lang, 12, l));
    EXPECT_EQ(l.main.rects[7], (Rect{7, 1, 2, 3}));
    EXPECT_EQ(l.main.texts[49], tag + L"49");
    EXPECT_EQ(l.main.rects[50], (Rect{900, 5, 40, 20}));  // BtnExpand
    EXPECT_EQ(l.main.texts[50], tag + L"X");
    EXPECT_EQ(l.functionName(1), tag + L"F1");
    EXPECT_EQ(l.functionName(54), tag + L"F54");
    EXPECT_EQ(l.functionName(0), L"");
    EXPECT_EQ(l.functionName(55), L"");
    EXPECT_EQ(l.advanced.texts[5], tag + L"W");
    EXPECT_EQ(l.advanced.rects[4], (Rect{}));  // missing key
    EXPECT_EQ(l.sliderOrigin, 100);
    EXPECT_EQ(l.sliderLength, 240);
    EXPECT_DOUBLE_EQ(l.sliderStep, 20.0);
    EXPECT_EQ(l.color.texts[5], tag + L"S");
    EXPECT_EQ(l.warning.texts[0], tag + L"OK");
    EXPECT_EQ(l.editBounds, (Bounds{10, 20, 40, 60}));
    EXPECT_EQ(l.list1Bounds, (Bounds{5, 6, 105, 206}));
    EXPECT_EQ(l.list2Rect, (Rect{200, 6, 150, 300}));
  }
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(host_.shutdowns, 0);
}

TEST_F(LayoutFiles, SliderStepFollowsTheModel) {
  writeAll("INI_EN", "_en", "en");
  for (auto [steps, expected] : {std::pair{12, 20.0}, std::pair{17, 240.0 / 17}, std::pair{5, 48.0}}) {
    LayoutReader reader(ini_, host_);
    SkinLayout l;
    LoadAdvancedLayout(reader, skins(), UiLanguage::English, steps, l);
    EXPECT_DOUBLE_EQ(l.sliderStep, expected);
  }
}

TEST_F(LayoutFiles, TooManyCommasWarnsOncePerValueAndLongValuesAreCut) {
  std::string longText(300, 'z');
  write("INI_EN/LBWarning_en.ini", "[BUTTONPOS]\n0=a,1,2,3,4,T,x,y,z\n1=" + longText + "\n2=b,1,2,3,4,U,\n");
  LayoutReader reader(ini_, host_);
  SkinLayout l;
  LoadWarningLayout(reader, skins(), UiLanguage::English, l);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0], L"Error INI\uFF01");
  EXPECT_EQ(l.warning.rects[0], (Rect{1, 2, 3, 4}));
  EXPECT_EQ(l.warning.texts[0], L"T");
  EXPECT_EQ(reader.ReadLayoutEntry(layoutPath(skins(), LayoutFile::Warning, UiLanguage::English), L"BUTTONPOS", 1).f[0].size(), 259u);
  EXPECT_EQ(l.warning.texts[2], L"U");
}

TEST_F(LayoutFiles, MissingFileEndsTheProgramOnceAndYieldsEmptyEntries) {
  writeAll("INI_EN", "_en", "en");
  fs::remove(root_ / "INI_EN" / "skin_color_en.ini");
  LayoutReader reader(ini_, host_);
  SkinLayout l;
  EXPECT_FALSE(loadStartupLayouts(reader, skins(), UiLanguage::English, 12, l));
  EXPECT_EQ(host_.shutdowns, 1);
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(l.color.rects[5], (Rect{}));
  EXPECT_EQ(l.main.texts[3], L"en3");  // files that exist still load

  LayoutReader second(ini_, host_);
  SkinLayout other;
  EXPECT_FALSE(loadStartupLayouts(second, skins(), UiLanguage::Second, 12, other));  // no INI_CN files at all
  EXPECT_EQ(host_.shutdowns, 2);
}

}  // namespace
}  // namespace pyxom::skin
