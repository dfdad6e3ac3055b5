#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "ShippedMacros.h"
#include "macro/GroupRig.h"

namespace pyxom::macro {
namespace {

using settings::UiLanguage;

// Every pressed key and mouse button is released again, in a macro that does something, with
// delays the player keeps.
void expectPlayable(const Macro& m, const std::wstring& where) {
  const std::string at(where.begin(), where.end());
  ASSERT_GT(m.eventCount(), 0) << at;
  EXPECT_LE(m.eventCount(), kMaxEventCount) << at;
  EXPECT_LE(m.options(), kPlayUntilStopped) << at;
  EXPECT_GE(m.repeatCount(), 1) << at;
  std::multiset<int> held;
  for (int e = 0; e < m.eventCount(); ++e) {
    const MacroEvent ev = m.event(e);
    EXPECT_GE(ev.delay, 15) << at << " step " << e;
    if (ev.action == kActionPress) {
      held.insert(ev.key);
    } else if (ev.action == kActionRelease) {
      auto it = held.find(ev.key);
      ASSERT_NE(it, held.end()) << at << " releases a key it never pressed, step " << e;
      held.erase(it);
    } else {
      EXPECT_TRUE(ev.action == kActionMoveRight || ev.action == kActionMoveLeft ||
                  ev.action == kActionMoveDown || ev.action == kActionMoveUp)
          << at << " step " << e;
    }
  }
  EXPECT_TRUE(held.empty()) << at << " leaves keys held";
}

#ifndef _WIN32
std::string readBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::filesystem::path dataPath(const std::wstring& relative) {
  std::u8string u8 = std::filesystem::path(PYXOM_SOURCE_DIR "/data").u8string() + u8"/";
  for (wchar_t c : relative) {
    if (c < 0x80) {
      u8.push_back(static_cast<char8_t>(c));
    } else if (c < 0x800) {
      u8.push_back(static_cast<char8_t>(0xC0 | (c >> 6)));
      u8.push_back(static_cast<char8_t>(0x80 | (c & 0x3F)));
    } else {
      u8.push_back(static_cast<char8_t>(0xE0 | (c >> 12)));
      u8.push_back(static_cast<char8_t>(0x80 | ((c >> 6) & 0x3F)));
      u8.push_back(static_cast<char8_t>(0x80 | (c & 0x3F)));
    }
  }
  return std::filesystem::path(u8);
}

TEST(ShippedData, CommittedFilesAreWhatTheWriterProduces) {
  const auto files = macrodata::shippedFiles();
  ASSERT_EQ(files.size(), 1u + 2 * 2 * 4);  // constMacro.dat; 2 languages x 2 folders x (list + 3 groups)
  for (const auto& [relative, bytes] : files) {
    EXPECT_EQ(readBytes(dataPath(relative)), bytes)
        << "stale or missing: data/" << reinterpret_cast<const char*>(dataPath(relative).u8string().c_str())
        << " - regenerate with build/native/tests/macro/pyxom_macrodata data";
  }
}
#endif

TEST(ShippedData, BuiltInMacrosLoadInTheOrderOfTheirCodes) {
  // Written and read back through the program's file functions.
  test::TempFolder dir;
  platform::IniFileProfile ini;
  const auto bytes = macrodata::shippedFiles().at(L"constMacro.dat");
  dir.write(L"constMacro.dat", bytes);
  BuiltInMacroTable t;
  loadBuiltInMacros(ini, dir.path(L"constMacro.dat"), UiLanguage::English, t);
  ASSERT_EQ(t.count, 8);
  const wchar_t* names[] = {L"Copy", L"Paste", L"Select All", L"Undo", L"Find", L"Close Window", L"Computer", L"Lock"};
  // The key each shortcut taps inside its modifier: C, V, A, Z, F, F4, E, L.
  const std::uint8_t keys[] = {0x06, 0x19, 0x04, 0x1D, 0x09, 0x3D, 0x08, 0x0F};
  const std::uint8_t modifiers[] = {0xE0, 0xE0, 0xE0, 0xE0, 0xE0, 0xE2, 0xE3, 0xE3};
  for (int k = 0; k < 8; ++k) {
    const Macro& m = t.slots[static_cast<std::size_t>(k)];
    EXPECT_EQ(m.name(), names[k]);
    EXPECT_EQ(m.options(), kPlayOnce);
    EXPECT_EQ(m.event(0), (MacroEvent{modifiers[k], kActionPress, 30})) << k;
    EXPECT_EQ(m.event(1).key, keys[k]) << k;
    expectPlayable(m, names[k]);
  }
}

TEST(ShippedData, FactoryGroupsLoadCompletelyInBothLanguages) {
  for (UiLanguage lang : {UiLanguage::English, UiLanguage::Second}) {
    const std::wstring base = lang == UiLanguage::English ? L"skins/INI_EN/" : L"skins/INI_CN/";
    const auto groups = macrodata::factoryGroups(lang);
    ASSERT_EQ(groups.size(), 3u);
    for (const auto& g : groups) {
      EXPECT_TRUE(isValidGroupFileName(g.name));
      EXPECT_LE(g.name.size(), kMaxGroupNameLength);
      EXPECT_LE(g.macros.size(), 12u);
      std::set<std::wstring> names;
      for (const auto& m : g.macros) {
        EXPECT_TRUE(names.insert(m.name()).second) << "duplicate macro name";
        EXPECT_LE(utf16Length(m.name()), kMaxMacroNameLength);
        expectPlayable(m, g.name + L"/" + m.name());
        // The line survives a write and a read in this language.
        EXPECT_EQ(parseMacroLine(formatMacroLine(m), lang), m);
      }
    }
    const auto files = macrodata::shippedFiles();
    for (const auto* folder : {L"macro/", L"macroReset/"}) {
      const auto list = platform::IniDocument::parse(files.at(base + folder + L"macroGrp.ini"));
      EXPECT_EQ(list.find(L"MACRO_GROUP_NUM", L"macGrpNum"), L"3");
      for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(list.find(L"MACRO_GROUP_NAME", std::to_wstring(k)),
                  k < 3 ? groups[static_cast<std::size_t>(k)].name : L"");
      }
      for (const auto& g : groups) {
        const auto file = platform::IniDocument::parse(files.at(base + folder + g.name + L".dat"));
        EXPECT_EQ(file.find(L"Macros", L"macroNum"), std::to_wstring(g.macros.size()));
        for (std::size_t j = 0; j < g.macros.size(); ++j) {
          EXPECT_EQ(parseMacroLine(*file.find(L"Macros", std::to_wstring(j)), lang), g.macros[j]);
        }
      }
    }
  }
}

TEST(ShippedData, EnglishResetFolderRestoresTheFactoryGroups) {
  // The reset path end to end with the shipped English files.
  test::GroupRig rig;
  for (const auto& [relative, bytes] : macrodata::shippedFiles()) {
    if (relative.rfind(L"skins/INI_EN/macroReset/", 0) == 0) {
      std::wstring r = relative;
      for (auto& c : r) {
        if (c == L'/') c = L'\\';
      }
      rig.dir.write(r, bytes);
    }
  }
  rig.writeGroupList(rig.folders.macro, {});
  rig.store.startUp();
  rig.store.resetAllGroups();
  EXPECT_TRUE(rig.view.messages.empty());
  ASSERT_EQ(rig.store.groupCount(), 3);
  EXPECT_EQ(rig.store.groupName(0), L"Office");
  EXPECT_EQ(rig.store.macroCount(0), 7);
  EXPECT_EQ(rig.store.table().slots[0].name(), L"Copy");
  EXPECT_EQ(rig.store.macroName(2, 1), L"Rapid Fire");
}

}  // namespace
}  // namespace pyxom::macro
