#include "app/ShellState.h"

#include <gtest/gtest.h>

#include <map>

namespace pyxom::app {
namespace {

// Just enough of a private-profile file for the start-up reads.
class MapProfile final : public platform::PrivateProfile {
 public:
  std::map<std::wstring, std::wstring> values;  // "section/key" -> value
  std::wstring readString(const std::wstring&, const std::wstring& section, const std::wstring& key,
                          std::size_t size, const std::wstring& def) override {
    auto it = values.find(section + L"/" + key);
    std::wstring v = it == values.end() ? def : it->second;
    return v.substr(0, size - 1);
  }
  bool writeString(const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&) override { return true; }
  bool deleteKey(const std::wstring&, const std::wstring&, const std::wstring&) override { return true; }
  bool deleteSection(const std::wstring&, const std::wstring&) override { return true; }
};

TEST(ShellState, PathsComeFromTheModulePath) {
  EXPECT_EQ(applicationFolder(L"C:\\Games\\Pyxom\\pyxom.exe"), L"C:\\Games\\Pyxom");
  EXPECT_EQ(applicationName(L"C:\\Games\\Pyxom\\pyxom.exe"), L"pyxom");
  MapProfile ini;
  ShellState s = readShellState(ini, L"C:\\P");
  EXPECT_EQ(s.skinsFolder, L"C:\\P\\skins");
  EXPECT_EQ(s.configPath, L"C:\\P\\config.ini");
}

struct LanguageCase {
  const wchar_t* verSel;  // nullptr: key missing
  UiLanguage language;
  const wchar_t* message;
};

TEST(ShellState, LanguageTitleAndNoMouseMessageFollowVerSel) {
  const LanguageCase cases[] = {
      {L"1", UiLanguage::English, L"Please connect your USB mouse : Pyxom Graviton"},
      {L"2", UiLanguage::English, L"Please connect your USB mouse : Pyxom Graviton"},
      {L" -1", UiLanguage::English, L"Please connect your USB mouse : Pyxom Graviton"},
      {L"0", UiLanguage::Second, L"Подключите мышь : Pyxom Гравитон"},
      {L"256", UiLanguage::Second, L"Подключите мышь : Pyxom Гравитон"},  // low 8 bits only
      {L"abc", UiLanguage::Second, L"Подключите мышь : Pyxom Гравитон"},
      {nullptr, UiLanguage::Second, L"Подключите мышь : Pyxom Гравитон"},
  };
  for (const auto& c : cases) {
    MapProfile ini;
    ini.values[L"PRODUCTNAME/PRODUCTNAME_EN"] = L"Pyxom Graviton";
    ini.values[L"PRODUCTNAME/PRODUCTNAME_CN"] = L"Pyxom Гравитон";
    if (c.verSel) ini.values[L"Init/VER_SEL"] = c.verSel;
    ShellState s = readShellState(ini, L"C:\\P");
    EXPECT_EQ(s.language, c.language) << (c.verSel ? c.verSel : L"(missing)");
    EXPECT_EQ(noMouseMessage(s), c.message);
    EXPECT_EQ(s.productName(), c.language == UiLanguage::English ? L"Pyxom Graviton" : L"Pyxom Гравитон");
  }
}

TEST(ShellState, CurrentProfileTextNumberAndSection) {
  MapProfile ini;
  EXPECT_EQ(readShellState(ini, L"C:\\P").profile.section, L"Config");
  EXPECT_EQ(readShellState(ini, L"C:\\P").profile.number, 0);
  ini.values[L"Init/CurConfig"] = L"3";
  EXPECT_EQ(readShellState(ini, L"C:\\P").profile.section, L"Config3");
  ini.values[L"Init/CurConfig"] = L"123456";  // at most 4 characters
  ShellState s = readShellState(ini, L"C:\\P");
  EXPECT_EQ(s.profile.text, L"1234");
  EXPECT_EQ(s.profile.number, 1234);
}

TEST(CommandLine, SimulateAndTrace) {
  const wchar_t* ok[] = {L"pyxom.exe", L"--simulate=2", L"--sim-trace=C:\\t.txt"};
  CommandLine c = parseCommandLine(3, ok);
  ASSERT_TRUE(c.valid);
  EXPECT_EQ(c.simulateModel, 2);
  EXPECT_EQ(c.simTracePath, L"C:\\t.txt");
  const wchar_t* bad[] = {L"pyxom.exe", L"--simulate=7"};
  EXPECT_FALSE(parseCommandLine(2, bad).valid);
  const wchar_t* none[] = {L"pyxom.exe"};
  EXPECT_FALSE(parseCommandLine(1, none).simulateModel.has_value());
}

}  // namespace
}  // namespace pyxom::app
