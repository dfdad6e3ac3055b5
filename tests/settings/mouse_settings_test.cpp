#include "settings/MouseSettings.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cwchar>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/IniFileProfile.h"
#include "platform/TempFolder.h"

namespace pyxom::settings {
namespace {

using platform::IniFileProfile;
using testing::TempFolder;

// Forwards to the portable INI file and records every call as "r Section Key size" or
// "w Section Key=value".
class RecordingProfile final : public platform::PrivateProfile {
 public:
  std::wstring readString(const std::wstring& path, const std::wstring& section,
                          const std::wstring& key, std::size_t size,
                          const std::wstring& def) override {
    log.push_back(L"r " + section + L" " + key + L" " + std::to_wstring(size));
    return file.readString(path, section, key, size, def);
  }
  bool writeString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) override {
    log.push_back(L"w " + section + L" " + key + L"=" + value);
    return file.writeString(path, section, key, value);
  }
  bool deleteKey(const std::wstring&, const std::wstring&, const std::wstring&) override {
    return false;
  }
  bool deleteSection(const std::wstring&, const std::wstring&) override { return false; }

  IniFileProfile file;
  std::vector<std::wstring> log;
};

class MouseSettingsTest : public ::testing::Test {
 protected:
  void write(std::wstring_view text) { testing::writeBytes(path, testing::utf16le(text)); }
  std::wstring value(const std::wstring& section, const std::wstring& key) {
    return ini.readString(path, section, key, 64);
  }

  TempFolder tmp;
  std::wstring path = tmp.file(L"config.ini");
  IniFileProfile ini;
};

// A section with every key, and the DPI step keys of all three models.
constexpr std::wstring_view kProfile3 =
    L"[Config3]\r\nK0=1\r\nK1=25\r\nK2=771\r\nK3=40\r\nDPI_LEVEL=2\r\nWHEEL_STATUS=7\r\n"
    L"MACRO_MODE2=1\r\n"
    L"DPI_E_SET0=1\r\nDPI_F_SET0=2\r\nDPI_C_SET0=3\r\nDPI_SET_EN0=1\r\n"
    L"DPI_E_SET1=4\r\nDPI_F_SET1=5\r\nDPI_C_SET1=1\r\nDPI_SET_EN1=0\r\n"
    L"DPI_E_SET2=7\r\nDPI_F_SET2=8\r\nDPI_C_SET2=4\r\nDPI_SET_EN2=5\r\n"
    L"DPI_E_SET3=10\r\nDPI_F_SET3=11\r\nDPI_C_SET3=2\r\nDPI_SET_EN3=1\r\n"
    L"LED_STATUS=3\r\nDPI_SPEED=7\r\nWHEEL_SPEED=4\r\nUSB_SPEED=1\r\nFIRE_TIME=120\r\n"
    L"[Config4]\r\nK0=1\r\nDPI_LEVEL=3\r\n";

TEST_F(MouseSettingsTest, LoadReadsEveryKeyInOrderWithItsReadSize) {
  write(kProfile3);
  RecordingProfile rec;
  MouseSettings s;
  loadSettings(rec, path, 3, false, 2, 1, 0, s);
  std::vector<std::wstring> want = {L"r Config3 K0 5", L"r Config3 K1 5",
                                    L"r Config3 WHEEL_STATUS 5", L"r Config3 MACRO_MODE2 5",
                                    L"r Config3 DPI_LEVEL 5"};
  for (int j = 0; j < 4; ++j) {
    want.push_back(L"r Config3 DPI_F_SET" + std::to_wstring(j) + L" 10");
    want.push_back(L"r Config3 DPI_SET_EN" + std::to_wstring(j) + L" 10");
  }
  for (const wchar_t* k : {L"LED_STATUS", L"DPI_SPEED", L"WHEEL_SPEED", L"USB_SPEED", L"FIRE_TIME"})
    want.push_back(std::wstring(L"r Config3 ") + k + L" 5");
  EXPECT_EQ(rec.log, want);
}

TEST_F(MouseSettingsTest, LoadConvertsEachField) {
  write(kProfile3);
  for (int model : {0, 1, 2}) {
    SCOPED_TRACE("model " + std::to_string(model));
    MouseSettings s;
    loadSettings(ini, path, 3, false, 4, model, 0, s);
    EXPECT_EQ(s.buttons[0], 1);
    EXPECT_EQ(s.buttons[1], 25);
    EXPECT_EQ(s.buttons[2], 771);
    EXPECT_EQ(s.buttons[3], 40);
    EXPECT_EQ(s.buttons[4], 0);  // beyond KeyNum: untouched
    EXPECT_EQ(s.dpiLevel, 2);
    EXPECT_EQ(s.wheelStatus, 0);
    EXPECT_EQ(s.macroMode, 1);
    const std::uint8_t steps[3][4] = {{1, 4, 7, 10}, {2, 5, 8, 11}, {3, 1, 4, 2}};
    for (int j = 0; j < 4; ++j) EXPECT_EQ(s.dpiStep[j], steps[model][j]) << "level " << j;
    EXPECT_EQ(s.dpiEnabled[0], 1);
    EXPECT_EQ(s.dpiEnabled[1], 0);
    EXPECT_EQ(s.dpiEnabled[2], 1);  // stored 5
    EXPECT_EQ(s.ledMode, 3);
    EXPECT_EQ(s.pointerSpeed, 7);
    EXPECT_EQ(s.wheelSpeed, 4);
    EXPECT_EQ(s.reportRate, 1);
    EXPECT_EQ(s.fireInterval, 120);
  }
}

// Save writes the keys in the stored order, only the attached model's DPI step keys, WHEEL_STATUS
// as "0" and DPI_SET_EN as "1" or "0"; the other models' step keys and other sections stay.
TEST_F(MouseSettingsTest, SaveRoundTripsPerModelAndLeavesOtherModelsKeys) {
  for (int model : {0, 1, 2}) {
    SCOPED_TRACE("model " + std::to_string(model));
    write(kProfile3);
    MouseSettings s;
    loadSettings(ini, path, 3, false, 4, model, 0, s);
    s.buttons[1] = 3083;
    s.dpiStep[3] = 0;
    s.ledMode = 1;
    saveSettings(ini, path, 3, 4, model, s);

    const wchar_t* own[] = {L"DPI_E_SET", L"DPI_F_SET", L"DPI_C_SET"};
    const wchar_t* before[3][4] = {{L"1", L"4", L"7", L"10"}, {L"2", L"5", L"8", L"11"},
                                   {L"3", L"1", L"4", L"2"}};
    for (int m = 0; m < 3; ++m) {
      for (int j = 0; j < 4; ++j) {
        std::wstring expect = m == model && j == 3 ? L"0" : before[m][j];
        EXPECT_EQ(value(L"Config3", own[m] + std::to_wstring(j)), expect) << m << "/" << j;
      }
    }
    EXPECT_EQ(value(L"Config3", L"K1"), L"3083");
    EXPECT_EQ(value(L"Config3", L"WHEEL_STATUS"), L"0");
    EXPECT_EQ(value(L"Config3", L"DPI_SET_EN2"), L"1");
    EXPECT_EQ(value(L"Config4", L"DPI_LEVEL"), L"3");

    MouseSettings again;
    loadSettings(ini, path, 3, false, 4, model, 0, again);
    for (int i = 0; i < kMaxKeys; ++i) EXPECT_EQ(again.buttons[i], s.buttons[i]);
    for (int j = 0; j < 4; ++j) {
      EXPECT_EQ(again.dpiStep[j], s.dpiStep[j]);
      EXPECT_EQ(again.dpiEnabled[j], s.dpiEnabled[j]);
    }
    EXPECT_EQ(again.ledMode, 1);
    EXPECT_EQ(again.fireInterval, 120);
  }
}

TEST_F(MouseSettingsTest, SaveOrderAndFormat) {
  RecordingProfile rec;
  MouseSettings s;
  s.buttons[0] = 1;
  s.buttons[1] = -7;
  s.dpiLevel = 1;
  s.macroMode = 2;
  s.dpiStep = {0, 1, 2, 4};
  s.dpiEnabled = {1, 9, 0, 1};
  s.ledMode = 255;
  s.pointerSpeed = 5;
  s.wheelSpeed = 2;
  s.reportRate = 3;
  s.fireInterval = 8;
  s.wheelStatus = 7;
  saveSettings(rec, path, 2, 2, 2, s);
  std::vector<std::wstring> want = {L"w Config2 K0=1", L"w Config2 K1=-7",
                                    L"w Config2 DPI_LEVEL=1", L"w Config2 WHEEL_STATUS=0",
                                    L"w Config2 MACRO_MODE2=2"};
  const wchar_t* en[] = {L"1", L"1", L"0", L"1"};
  for (int j = 0; j < 4; ++j) {
    want.push_back(L"w Config2 DPI_C_SET" + std::to_wstring(j) + L"=" +
                   std::to_wstring(s.dpiStep[j]));
    want.push_back(L"w Config2 DPI_SET_EN" + std::to_wstring(j) + L"=" + en[j]);
  }
  for (const wchar_t* kv : {L"LED_STATUS=255", L"DPI_SPEED=5", L"WHEEL_SPEED=2", L"USB_SPEED=3",
                            L"FIRE_TIME=8"})
    want.push_back(std::wstring(L"w Config2 ") + kv);
  EXPECT_EQ(rec.log, want);

  // A model without a DPI table writes no step keys at all.
  rec.log.clear();
  saveSettings(rec, path, 2, 0, 7, s);
  for (const auto& line : rec.log) EXPECT_EQ(line.find(L"_SET"), line.find(L"_SET_EN")) << line;
}

// Stored texts of a damaged or hand-edited file, one key at a time.
TEST_F(MouseSettingsTest, StoredValueConversions) {
  struct Row {
    const wchar_t* line;
    std::function<std::int64_t(const MouseSettings&)> field;
    std::int64_t expected;
  };
  auto fire = [](const MouseSettings& s) -> std::int64_t { return s.fireInterval; };
  auto level = [](const MouseSettings& s) -> std::int64_t { return s.dpiLevel; };
  auto k0 = [](const MouseSettings& s) -> std::int64_t { return s.buttons[0]; };
  auto en0 = [](const MouseSettings& s) -> std::int64_t { return s.dpiEnabled[0]; };
  auto step0 = [](const MouseSettings& s) -> std::int64_t { return s.dpiStep[0]; };
  auto led = [](const MouseSettings& s) -> std::int64_t { return s.ledMode; };
  auto rate = [](const MouseSettings& s) -> std::int64_t { return s.reportRate; };
  const Row rows[] = {
      {L"FIRE_TIME=3", fire, 8},
      {L"FIRE_TIME=8", fire, 8},
      {L"FIRE_TIME=9", fire, 9},
      {L"FIRE_TIME=0", fire, 8},
      {L"FIRE_TIME=", fire, 8},
      {L"FIRE_TIME=-5", fire, -5},  // compared as unsigned: not 8 or less
      {L"FIRE_TIME=99999", fire, 9999},  // four characters are read
      {L"K0=12345", k0, 1234},
      {L"K0= -7", k0, -7},
      {L"K0=abc", k0, 0},
      {L"K0=3x", k0, 3},
      {L"K0=\"40\"", k0, 40},
      {L"DPI_SET_EN0=5", en0, 1},
      {L"DPI_SET_EN0=-1", en0, 1},
      {L"DPI_SET_EN0=x", en0, 0},
      {L"DPI_SET_EN0=000000001", en0, 1},   // nine characters fit
      {L"DPI_SET_EN0=0000000001", en0, 0},  // the tenth is cut
      {L"LED_STATUS=258", led, 2},           // low 8 bits
      {L"USB_SPEED=-1", rate, 255},
      {L"DPI_E_SET0=11", step0, 11},
      {L"DPI_E_SET0=12", step0, 11},   // beyond model 0's 12 steps: the last step
      {L"DPI_E_SET0=-1", step0, 11},
      {L"DPI_LEVEL=3", level, 3},
      {L"DPI_LEVEL=4", level, 0},      // outside 0..3: level 0
      {L"DPI_LEVEL=-1", level, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.line, r.line + std::wcslen(r.line)));
    write(std::wstring(L"[Config1]\r\n") + r.line + L"\r\n");
    MouseSettings s;
    loadSettings(ini, path, 1, false, 1, 0, 0, s);
    EXPECT_EQ(r.field(s), r.expected);
  }
}

TEST_F(MouseSettingsTest, FactorySectionFollowsStoredLanguageExactlyOne) {
  write(L"[Config5]\r\nK0=10\r\n[CfgReset5]\r\nK0=20\r\n[CfgReset_EN5]\r\nK0=30\r\n"
        L"[CfgReset3]\r\nK0=40\r\n[Config0]\r\nK0=50\r\n");
  struct {
    int profile;
    bool factory;
    std::uint8_t stored;
    int k0;
  } cases[] = {{5, true, 1, 30}, {5, true, 0, 20}, {5, true, 2, 20}, {5, false, 1, 10},
               {3, true, 1, 40}, {0, false, 0, 50}, {4, true, 1, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.profile << " " << c.factory << " " << int(c.stored));
    MouseSettings s;
    s.buttons[0] = 99;
    loadSettings(ini, path, c.profile, c.factory, 1, 0, c.stored, s);
    EXPECT_EQ(s.buttons[0], c.k0);
  }
}

// The partial writers touch only their keys: every other byte of the file stays as it was.
TEST_F(MouseSettingsTest, PartialSavesWriteOnlyTheirKeys) {
  write(kProfile3);
  MouseSettings s;
  loadSettings(ini, path, 3, false, 4, 0, 0, s);
  s.dpiLevel = 1;
  s.reportRate = 3;
  s.buttons[0] = 2;
  s.ledMode = 0;  // must not reach the file
  const std::string before = testing::readBytes(path);
  saveDpiLevel(ini, path, 3, s);
  saveReportRate(ini, path, 3, s);
  std::wstring expected(kProfile3);
  auto replace = [&](std::wstring_view from, std::wstring_view to) {
    expected.replace(expected.find(from), from.size(), to);
  };
  replace(L"DPI_LEVEL=2", L"DPI_LEVEL=1");
  replace(L"USB_SPEED=1", L"USB_SPEED=3");
  EXPECT_EQ(testing::readBytes(path), testing::utf16le(expected));
  EXPECT_NE(testing::readBytes(path), before);

  saveButtons(ini, path, 3, 2, s);
  replace(L"K0=1\r\nK1", L"K0=2\r\nK1");
  expected += L"[Init]\r\nCurConfig=3\r\n";
  EXPECT_EQ(testing::readBytes(path), testing::utf16le(expected));
}

TEST_F(MouseSettingsTest, ReadLayout) {
  write(L"[PRODUCTNAME]\r\nPRODUCTNAME_CN=Мышь 0123456789012345678901234567890123\r\n"
        L"PRODUCTNAME_EN=Pyxom\r\n[KEYNUM]\r\nKeyNum=3\r\n"
        L"[KEYMAP]\r\nK1_MAP=1\r\nK2_MAP=258\r\nK3_MAP=x\r\nK4_MAP=4\r\n"
        L"[KEY_UIFC]\r\nK1_INIT_VAL=1\r\nK2_INIT_VAL=15\r\nK3_INIT_VAL=16\r\n");
  ButtonLayout l = readLayout(ini, path);
  EXPECT_EQ(l.productNameSecond, L"Мышь 01234567890123456789012345678");  // 34 characters
  EXPECT_EQ(l.productNameEnglish, L"Pyxom");
  EXPECT_EQ(l.keyCount, 3);
  EXPECT_EQ(l.deviceKeyIndex[0], 1);
  EXPECT_EQ(l.deviceKeyIndex[1], 2);  // low 8 bits
  EXPECT_EQ(l.deviceKeyIndex[2], 0);
  EXPECT_EQ(l.deviceKeyIndex[3], 0);  // beyond KeyNum: not read
  EXPECT_EQ(l.factoryFunction[1], 15);
  EXPECT_EQ(l.factoryFunction[2], 16);
}

// KeyNum above 10 is truncated: the first 10 buttons are read and stored, the rest never.
TEST_F(MouseSettingsTest, KeyNumBeyondTenIsTruncated) {
  struct {
    const wchar_t* text;
    int stored, count;
  } cases[] = {{L"12", 12, 10}, {L"10", 10, 10}, {L"-3", -3, 0}, {L"", 0, 0},
               {L"abc", 0, 0},  {L"4294967297", 1, 1}, {L"99999999999999", 276447231, 10}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "KeyNum=" << std::string(c.text, c.text + std::wcslen(c.text)));
    std::wstring text = std::wstring(L"[KEYNUM]\r\nKeyNum=") + c.text + L"\r\n[KEYMAP]\r\n";
    for (int n = 1; n <= 12; ++n) text += L"K" + std::to_wstring(n) + L"_MAP=" + std::to_wstring(n) + L"\r\n";
    write(text);
    RecordingProfile rec;
    ButtonLayout l = readLayout(rec, path);
    EXPECT_EQ(l.storedKeyNum, c.stored);
    EXPECT_EQ(l.keyCount, c.count);
    for (int i = 0; i < kMaxKeys; ++i) EXPECT_EQ(l.deviceKeyIndex[i], i < c.count ? i + 1 : 0);
    for (const auto& line : rec.log) EXPECT_EQ(line.find(L"K11_MAP"), std::wstring::npos);

    // Loading and saving with the stored count never reach past the 10 entries.
    write(L"[Config1]\r\nK0=1\r\nK10=5\r\n");
    MouseSettings s;
    loadSettings(ini, path, 1, false, l.storedKeyNum, 0, 0, s);
    saveSettings(ini, path, 1, l.storedKeyNum, 0, s);
    EXPECT_EQ(value(L"Config1", L"K10"), L"5");
    EXPECT_EQ(value(L"Config1", L"K11"), L"");
  }
}

TEST_F(MouseSettingsTest, InitKeys) {
  write(L"[Init]\r\nCurConfig=123456\r\nVER_SEL=257\r\n");
  CurrentProfile p = readCurrentProfile(ini, path);
  EXPECT_EQ(p.text, L"1234");
  EXPECT_EQ(p.number, 1234);
  EXPECT_EQ(p.section, L"Config1234");
  EXPECT_EQ(readStoredLanguage(ini, path), 1);  // 257: low 8 bits
  writeStoredLanguage(ini, path, UiLanguage::Second);
  writeCurrentProfile(ini, path, 4);
  EXPECT_EQ(value(L"Init", L"VER_SEL"), L"0");
  EXPECT_EQ(value(L"Init", L"CurConfig"), L"4");
}

// A missing file or a file that is not text loads as zeros, never crashes, and loading never
// writes to the file.
TEST_F(MouseSettingsTest, MissingOrGarbageFileLoadsZeros) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 7919 + 13) % 256));
  garbage.insert(100, "\n[Config1]\nK0=77\n");  // a readable line inside the garbage
  for (bool present : {false, true}) {
    SCOPED_TRACE(present ? "garbage" : "missing");
    std::filesystem::remove(std::filesystem::path(path));
    if (present) testing::writeBytes(path, garbage);
    MouseSettings s;
    s.macroMode = 9;
    ButtonLayout l = readLayout(ini, path);
    EXPECT_EQ(l.keyCount, 0);
    EXPECT_EQ(readCurrentProfile(ini, path).number, 0);
    loadSettings(ini, path, 1, false, 2, 0, 0, s);
    EXPECT_EQ(s.buttons[0], present ? 77 : 0);
    EXPECT_EQ(s.buttons[1], 0);
    EXPECT_EQ(s.macroMode, 0);
    EXPECT_EQ(s.fireInterval, 8);
    EXPECT_EQ(std::filesystem::exists(std::filesystem::path(path)), present);
    if (present) {
      EXPECT_EQ(testing::readBytes(path), garbage);
    }
  }
}

TEST(MouseSettingsFactory, ProfileOneValuesPerModel) {
  ButtonLayout l;
  l.keyCount = 3;
  l.factoryFunction = {1, 15, 16, 9, 9, 9, 9, 9, 9, 9};
  const std::uint8_t steps[3][4] = {{3, 5, 6, 8}, {5, 10, 13, 16}, {0, 1, 2, 4}};
  for (int model : {0, 1, 2}) {
    SCOPED_TRACE("model " + std::to_string(model));
    MouseSettings s;
    s.buttons[5] = 300;
    s.macroMode = 1;
    s.dpiLevel = 3;
    s.dpiEnabled = {0, 0, 0, 0};
    applyFactoryValues(s, l, model);
    EXPECT_EQ(s.buttons[0], 1);
    EXPECT_EQ(s.buttons[1], 15);
    EXPECT_EQ(s.buttons[2], 16);
    EXPECT_EQ(s.buttons[3], 0);
    EXPECT_EQ(s.buttons[5], 0);
    EXPECT_EQ(s.dpiLevel, 0);
    for (int j = 0; j < 4; ++j) {
      EXPECT_EQ(s.dpiStep[j], steps[model][j]);
      EXPECT_EQ(s.dpiEnabled[j], 1);
    }
    EXPECT_EQ(s.ledMode, 0);
    EXPECT_EQ(s.pointerSpeed, 5);
    EXPECT_EQ(s.wheelSpeed, 2);
    EXPECT_EQ(s.reportRate, 2);
    EXPECT_EQ(s.fireInterval, 50);
    EXPECT_EQ(s.macroMode, 1);  // unchanged
  }
}

// The action thread saves the DPI level while the user-interface thread saves the whole
// profile through the same INI object: no write is lost and the file keeps every key.
// (Run under the native-tsan preset this also checks the shared fields.)
TEST_F(MouseSettingsTest, ActionThreadSavesWhileTheInterfaceSaves) {
  write(kProfile3);
  MouseSettings s;
  loadSettings(ini, path, 3, false, 4, 0, 0, s);
  std::atomic<bool> stop{false};
  std::thread action([&] {
    for (int i = 0; i < 40; ++i) {
      s.dpiLevel = i % 4;
      s.reportRate = static_cast<std::uint8_t>(i % 4);
      saveDpiLevel(ini, path, 3, s);
      saveReportRate(ini, path, 3, s);
    }
    stop = true;
  });
  int saves = 0;
  while (!stop || saves == 0) {
    MouseSettings copy = s;  // the interface thread reads the record while it changes
    copy.fireInterval = 100 + saves;  // only this thread writes FIRE_TIME
    saveSettings(ini, path, 3, 4, 0, copy);
    ++saves;
  }
  action.join();
  // A write based on an older read would have brought back an older FIRE_TIME.
  EXPECT_EQ(value(L"Config3", L"FIRE_TIME"), std::to_wstring(100 + saves - 1));
  MouseSettings back;
  loadSettings(ini, path, 3, false, 4, 0, 0, back);
  EXPECT_EQ(back.buttons[2], 771);
  EXPECT_EQ(value(L"Config3", L"DPI_E_SET3"), L"10");
  EXPECT_EQ(value(L"Config4", L"DPI_LEVEL"), L"3");
}

}  // namespace
}  // namespace pyxom::settings
