#include <gtest/gtest.h>

#include "macro/KeyCodes.h"
#include "macro/MacroFile.h"
#include "macro/MacroTestSupport.h"
#include "platform/IniFileProfile.h"

namespace pyxom::macro {
namespace {

using settings::UiLanguage;

Macro pressRelease(std::uint8_t key, std::uint8_t pressAction = kActionPress) {
  Macro m;
  m.setName(L"Test");
  m.setEventCount(2);
  m.setEvent(0, {key, pressAction, 30});
  m.setEvent(1, {key, kActionRelease, 300});
  return m;
}

TEST(MacroRecord, OffsetsAreTheFileLayout) {
  Macro m;
  m.setOptions(kPlayCount);
  m.setRepeatCount(0x1234);
  m.setEventCount(3);
  m.setEvent(254, {0x04, kActionPress, 0xABCD});
  EXPECT_EQ(m.bytes[40], 1);
  EXPECT_EQ(m.bytes[41], 0x34);
  EXPECT_EQ(m.bytes[42], 0x12);
  EXPECT_EQ(m.bytes[43], 3);
  EXPECT_EQ(m.bytes[44 + 2 * 254], 0x04);
  EXPECT_EQ(m.bytes[45 + 2 * 254], kActionPress);
  EXPECT_EQ(m.bytes[554 + 2 * 254], 0xCD);
  EXPECT_EQ(m.bytes[555 + 2 * 254], 0xAB);
  // Slots outside 0..254 neither read nor write.
  m.setEvent(255, {1, 1, 1});
  m.setEvent(-1, {1, 1, 1});
  EXPECT_EQ(m.event(255), MacroEvent{});
}

TEST(MacroRecord, NameIsClearedAndStoredAsUtf16Le) {
  Macro m;
  m.setName(L"Abcdefghijklmnopqrs");  // 19 characters
  m.setName(L"Fire");                 // leaves no tail of the longer name
  EXPECT_EQ(m.name(), L"Fire");
  EXPECT_EQ(m.bytes[0], 'F');
  EXPECT_EQ(m.bytes[1], 0);
  for (std::size_t i = 8; i < 40; ++i) EXPECT_EQ(m.bytes[i], 0) << i;
  m.setName(L"Щит");
  EXPECT_EQ(m.bytes[0], 0x29);  // U+0429
  EXPECT_EQ(m.bytes[1], 0x04);
  EXPECT_EQ(m.name(), L"Щит");
  // Longer names are cut to 19 units, so a NUL always follows.
  m.setName(L"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(m.name(), L"ABCDEFGHIJKLMNOPQRS");
  EXPECT_EQ(m.bytes[38], 0);
}

TEST(MacroLine, FormatFieldPadsToThreeDigits) {
  EXPECT_EQ(formatField(0), L"000");
  EXPECT_EQ(formatField(7), L"007");
  EXPECT_EQ(formatField(42), L"042");
  EXPECT_EQ(formatField(255), L"255");
}

TEST(MacroLine, AllZeroRecordIs3192Zeros) {
  EXPECT_EQ(formatMacroLine(Macro{}), std::wstring(3192, L'0'));
}

TEST(MacroLine, KeysAreVirtualKeysInTheFileAndUsagesInMemory) {
  const Macro a = pressRelease(0x04);  // usage of A
  const std::wstring line = formatMacroLine(a);
  ASSERT_EQ(line.size(), 3192u);
  EXPECT_EQ(line.substr(3 * 44, 3), L"065");
  EXPECT_EQ(line.substr(3 * 45, 3), L"001");
  EXPECT_EQ(line.substr(3 * 46, 6), L"030000");
  EXPECT_EQ(line.substr(3 * 50, 6), L"044001");  // step 1, 300 ms: low 44, high 1
  EXPECT_EQ(parseMacroLine(line, UiLanguage::English), a);
  EXPECT_EQ(parseMacroLine(line, UiLanguage::Second), a);
  // Without conversion (model-2 blocks) the stored code stays.
  EXPECT_EQ(parseMacroLine(line, std::nullopt).event(0).key, 0x41);
}

struct KeyCase {
  const char* what;
  std::uint8_t key, action;
  const wchar_t* field;
  std::uint8_t english, second;
};

TEST(MacroLine, KeyRoundTripsPerLanguage) {
  const KeyCase cases[] = {
      {"minus", 0x2D, kActionPress, L"189", 0x2D, 0x56},
      {"keypad minus", 0x56, kActionPress, L"109", 0x56, 0x56},
      {"movement distance 10", 10, kActionMoveRight, L"071", 10, 10},
      {"distance 0", 0, kActionMoveUp, L"000", 0, 0},
      {"left button", kKeyMouseLeft, kActionPress, L"240", 0xF0, 0xF0},
      {"right button", kKeyMouseRight, kActionRelease, L"241", 0xF1, 0xF1},
      {"middle button", kKeyMouseMiddle, kActionPress, L"242", 0xF2, 0xF2},
      {"F12", 0x45, kActionPress, L"123", 0x45, 0x45},
      {"right Win", 0xE7, kActionPress, L"092", 0xE7, 0xE7},
  };
  for (const auto& c : cases) {
    const std::wstring line = formatMacroLine(pressRelease(c.key, c.action));
    EXPECT_EQ(line.substr(3 * 44, 3), c.field) << c.what;
    EXPECT_EQ(parseMacroLine(line, UiLanguage::English).event(0).key, c.english) << c.what;
    EXPECT_EQ(parseMacroLine(line, UiLanguage::Second).event(0).key, c.second) << c.what;
  }
  EXPECT_EQ(vkToUsage(0xDF, UiLanguage::Second), 0x55);
  EXPECT_EQ(vkToUsage(0xDF, UiLanguage::English), 0xDF);
}

TEST(KeyCodes, UsageToVkInvertsTheEnglishTable) {
  int pairs = 0;
  for (int vk = 0; vk < 256; ++vk) {
    const auto u = vkToUsage(static_cast<std::uint8_t>(vk), UiLanguage::English);
    if (u != vk) {
      ++pairs;
      EXPECT_EQ(usageToVk(u), vk) << vk;
    }
  }
  // No pair of the table maps a code to itself, so the changed codes are exactly its 120 pairs.
  EXPECT_EQ(pairs, 120);
}

TEST(MacroLine, DamagedLinesReadSafely) {
  // Short line: the missing fields are zeros.
  const std::wstring full = formatMacroLine(pressRelease(0x04));
  Macro shortOne = parseMacroLine(full.substr(0, 3 * 46 + 2), UiLanguage::English);
  EXPECT_EQ(shortOne.name(), L"Test");
  EXPECT_EQ(shortOne.event(0).key, 0x04);
  EXPECT_EQ(shortOne.event(0).action, 1);
  EXPECT_EQ(shortOne.event(0).delay, 3);  // "03" of the cut piece "030"
  EXPECT_EQ(shortOne.event(1), MacroEvent{});
  // Pieces without digits give 0; blanks lead; numbers keep their low 8 bits; extra text is
  // ignored.
  std::wstring odd = L"abc 65999-01" + std::wstring(3192, L'9') + L"garbage";
  Macro m = parseMacroLine(odd, UiLanguage::English);
  EXPECT_EQ(m.bytes[0], 0);
  EXPECT_EQ(m.bytes[1], 65);
  EXPECT_EQ(m.bytes[2], 999 & 0xFF);
  EXPECT_EQ(m.bytes[3], 0xFF);  // "-01"
  EXPECT_EQ(parseMacroLine(L"", UiLanguage::English), Macro{});
  // A name field without NUL yields its 20 units and nothing beyond.
  std::wstring noNul;
  for (int i = 0; i < 20; ++i) noNul += L"066000";
  noNul += L"067000";
  EXPECT_EQ(macroNameOfLine(noNul), std::wstring(20, L'B'));
}

class MacroFileTest : public ::testing::Test {
 protected:
  test::TempFolder dir;
  platform::IniFileProfile ini;
  std::wstring file = dir.path(L"Group.dat");
};

TEST_F(MacroFileTest, SaveAndLoadGroup) {
  GroupMacroTable t;
  t.count = 3;
  for (int k = 0; k < 3; ++k) {
    t.slots[k] = pressRelease(static_cast<std::uint8_t>(0x04 + k));
    t.slots[k].setName(L"M" + std::to_wstring(k));
    t.slots[k].setOptions(kPlayCount);
    t.slots[k].setRepeatCount(static_cast<std::uint16_t>(500 + k));
  }
  ASSERT_TRUE(saveGroupMacros(ini, file, t));
  EXPECT_EQ(ini.readString(file, L"Macros", L"macroNum", 3), L"3");
  GroupMacroTable back;
  back.edited = 7;
  loadGroupMacros(ini, file, UiLanguage::English, back);
  EXPECT_EQ(back.count, 3);
  EXPECT_EQ(back.edited, 0);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(back.slots[k], t.slots[k]) << k;

  // saveMacro writes the count and one line.
  t.slots[1].setName(L"Renamed");
  t.count = 2;
  ASSERT_TRUE(saveMacro(ini, file, t, 1));
  loadGroupMacros(ini, file, UiLanguage::English, back);
  EXPECT_EQ(back.count, 2);
  EXPECT_EQ(back.slots[1].name(), L"Renamed");
  EXPECT_EQ(back.slots[2], Macro{});  // stale line 2 is not read
  EXPECT_FALSE(saveMacro(ini, file, t, 12));
}

TEST_F(MacroFileTest, CountsOutsideTheTablesAreBounded) {
  const std::wstring line = formatMacroLine(pressRelease(0x04));
  const struct {
    const char* count;
    int group, builtIn;
  } cases[] = {{"0", 0, 0}, {"", 0, 0}, {"-5", 0, 0}, {"12", 12, 12}, {"13", 12, 13},
               {"99", 12, 13}, {"123", 12, 12}, {"x7", 0, 0}};
  for (const auto& c : cases) {
    std::string body = "[Macros]\r\nmacroNum=" + std::string(c.count) + "\r\n";
    for (int k = 0; k < 15; ++k) body += std::to_string(k) + "=" + std::string(line.begin(), line.end()) + "\r\n";
    dir.write(L"Group.dat", body);
    GroupMacroTable g;
    g.edited = 4;
    loadGroupMacros(ini, file, UiLanguage::English, g);
    EXPECT_EQ(g.count, c.group) << c.count;
    EXPECT_EQ(g.edited, 0);
    BuiltInMacroTable b;
    loadBuiltInMacros(ini, file, UiLanguage::English, b);
    EXPECT_EQ(b.count, c.builtIn) << c.count;
  }
  GroupMacroTable missing;
  loadGroupMacros(ini, dir.path(L"none.dat"), UiLanguage::English, missing);
  EXPECT_EQ(missing.count, 0);
}

}  // namespace
}  // namespace pyxom::macro
