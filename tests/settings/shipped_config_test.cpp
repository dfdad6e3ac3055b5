// The config.ini that ships beside the program loads sanely for every model.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/IniFileProfile.h"
#include "platform/TempFolder.h"
#include "settings/FunctionCodes.h"
#include "settings/MouseSettings.h"

namespace pyxom::settings {
namespace {

#ifdef _WIN32
// Under Wine the source tree is reached through drive Z:, which maps the Unix root.
const std::wstring kShipped = std::filesystem::path("Z:" PYXOM_SOURCE_DIR "/data/config.ini").wstring();
#else
const std::wstring kShipped = std::filesystem::path(PYXOM_SOURCE_DIR "/data/config.ini").wstring();
#endif

TEST(ShippedConfig, IsUtf16WithByteOrderMark) {
  const std::string bytes = testing::readBytes(kShipped);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(bytes.size() % 2, 0u);
}

TEST(ShippedConfig, LayoutNamesAndInit) {
  platform::IniFileProfile ini;
  ButtonLayout l = readLayout(ini, kShipped);
  EXPECT_GE(l.keyCount, 8);
  EXPECT_EQ(l.storedKeyNum, l.keyCount);
  std::set<int> indices;
  bool primary = false;
  for (int i = 0; i < l.keyCount; ++i) {
    EXPECT_GE(l.deviceKeyIndex[i], 1) << "button " << i;
    indices.insert(l.deviceKeyIndex[i]);
    primary = primary || l.factoryFunction[i] == kPrimaryClick;
  }
  EXPECT_EQ(indices.size(), static_cast<std::size_t>(l.keyCount)) << "device key indices repeat";
  EXPECT_TRUE(primary);
  EXPECT_EQ(l.productNameEnglish, L"Pyxom Gaming Mouse");
  EXPECT_FALSE(l.productNameSecond.empty());
  EXPECT_NE(l.productNameSecond.find_first_of(L"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя"),
            std::wstring::npos)
      << "the second-language name is Russian";
  // The names fit the 34-character read: nothing of them is cut.
  EXPECT_EQ(ini.readString(kShipped, L"PRODUCTNAME", L"PRODUCTNAME_CN", 200), l.productNameSecond);
  CurrentProfile p = readCurrentProfile(ini, kShipped);
  EXPECT_GE(p.number, 1);
  EXPECT_LE(p.number, 5);
  EXPECT_EQ(readStoredLanguage(ini, kShipped), 1);
}

// Every profile and factory section, for every model: known codes with a device value, a
// primary click, steps inside the model's table, an enabled current level, ranges of the fields.
TEST(ShippedConfig, EveryProfileIsSaneForEveryModel) {
  platform::IniFileProfile ini;
  const ButtonLayout l = readLayout(ini, kShipped);
  struct Section {
    int profile;
    bool factory;
    std::uint8_t language;
  };
  const Section sections[] = {{1, false, 0}, {2, false, 0}, {3, false, 0}, {4, false, 0},
                              {5, false, 0}, {6, false, 0}, {2, true, 0},  {3, true, 0},
                              {4, true, 0},  {5, true, 0},  {5, true, 1}};
  for (int model : {0, 1, 2}) {
    std::set<std::wstring> distinct;
    for (const auto& sec : sections) {
      const std::wstring name =
          sec.factory ? factorySection(sec.profile, sec.language) : profileSection(sec.profile);
      SCOPED_TRACE(::testing::Message() << "model " << model << " section "
                                        << std::string(name.begin(), name.end()));
      MouseSettings s;
      loadSettings(ini, kShipped, sec.profile, sec.factory, l.keyCount, model, sec.language, s);
      bool primary = false;
      std::wstring signature;
      for (int i = 0; i < l.keyCount; ++i) {
        const ButtonFunction code = s.buttons[i];
        EXPECT_GE(code, 1) << "button " << i;
        EXPECT_TRUE(deviceValue(code, model).has_value()) << "button " << i << " code " << code;
        primary = primary || code == kPrimaryClick;
        signature += std::to_wstring(code) + L",";
      }
      EXPECT_TRUE(primary);
      EXPECT_EQ(s.buttons[0], kPrimaryClick) << "the left button keeps the primary click";
      // The raw step keys are inside the table (loading would hide a bad one).
      const wchar_t* stepKey = model == 0 ? L"DPI_E_SET" : model == 1 ? L"DPI_F_SET" : L"DPI_C_SET";
      for (int j = 0; j < kDpiLevels; ++j) {
        const std::wstring raw = ini.readString(kShipped, name, stepKey + std::to_wstring(j), 10);
        ASSERT_FALSE(raw.empty()) << j;
        EXPECT_LT(std::stoi(raw), dpiStepCount(model)) << j;
        signature += raw + L",";
      }
      ASSERT_FALSE(ini.readString(kShipped, name, L"DPI_LEVEL", 5).empty());
      EXPECT_EQ(s.dpiEnabled[s.dpiLevel], 1) << "the current level is enabled";
      EXPECT_LE(s.ledMode, 3);
      EXPECT_LE(s.pointerSpeed, 9);
      EXPECT_LE(s.wheelSpeed, 9);
      EXPECT_LE(s.reportRate, 3);
      EXPECT_GE(s.fireInterval, 8);
      EXPECT_LE(s.fireInterval, 255);
      if (sec.profile != 6 && (sec.factory || sec.profile == 1)) distinct.insert(signature);
    }
    // Profile 1 and the five factory sections differ from one another, the English factory
    // profile 5 included.
    EXPECT_EQ(distinct.size(), 6u) << "model " << model;
  }
}

// Profile 1 as shipped is the built-in factory profile 1, and Config6 is what a first start
// would send.
TEST(ShippedConfig, ProfileOneIsTheBuiltInFactoryProfile) {
  platform::IniFileProfile ini;
  const ButtonLayout l = readLayout(ini, kShipped);
  for (int model : {0, 1, 2}) {
    SCOPED_TRACE("model " + std::to_string(model));
    MouseSettings stored, factory;
    loadSettings(ini, kShipped, 1, false, l.keyCount, model, 1, stored);
    applyFactoryValues(factory, l, model);
    for (int i = 0; i < kMaxKeys; ++i) EXPECT_EQ(stored.buttons[i], factory.buttons[i]);
    for (int j = 0; j < kDpiLevels; ++j) {
      EXPECT_EQ(stored.dpiStep[j], factory.dpiStep[j]);
      EXPECT_EQ(stored.dpiEnabled[j], factory.dpiEnabled[j]);
    }
    EXPECT_EQ(stored.dpiLevel, factory.dpiLevel);
    EXPECT_EQ(stored.ledMode, factory.ledMode);
    EXPECT_EQ(stored.pointerSpeed, factory.pointerSpeed);
    EXPECT_EQ(stored.wheelSpeed, factory.wheelSpeed);
    EXPECT_EQ(stored.reportRate, factory.reportRate);
    EXPECT_EQ(stored.fireInterval, factory.fireInterval);
  }
}

// Saving into a copy of the shipped file keeps it UTF-16LE and keeps the Russian name.
TEST(ShippedConfig, SavingKeepsTheFileUtf16) {
  testing::TempFolder tmp;
  const std::wstring copy = tmp.file(L"config.ini");
  testing::writeBytes(copy, testing::readBytes(kShipped));
  platform::IniFileProfile ini;
  const ButtonLayout before = readLayout(ini, copy);
  MouseSettings s;
  loadSettings(ini, copy, 2, false, before.keyCount, 2, 1, s);
  saveSettings(ini, copy, 2, before.keyCount, 2, s);
  saveButtons(ini, copy, 2, before.keyCount, s);
  EXPECT_EQ(testing::readBytes(copy).substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(readLayout(ini, copy).productNameSecond, before.productNameSecond);
  EXPECT_EQ(readCurrentProfile(ini, copy).number, 2);
}

}  // namespace
}  // namespace pyxom::settings
