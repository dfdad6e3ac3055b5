// The shipped macro folders through the Windows private-profile functions, in both languages.
#include <gtest/gtest.h>

#include "macro/MacroSystem.h"
#include "platform/win32/WinPrivateProfile.h"

namespace pyxom::macro {
namespace {

class SilentView : public MacroPageView {
 public:
  void showMessage(const std::wstring& text) override { messages.push_back(text); }
  std::optional<std::wstring> askSavePath(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::wstring> askOpenPath(const FileDialogRequest&) override { return std::nullopt; }
  std::vector<std::wstring> messages;
};

class NoWait : public platform::Clock {
 public:
  std::uint64_t nowMs() override { return 0; }
  void sleepMs(unsigned) override {}
};

// The dist folder as a Windows path (Z: is the host root under Wine).
std::wstring distFolder() {
  std::string p = PYXOM_DIST_DIR;
  std::wstring w(p.begin(), p.end());
  for (auto& c : w) {
    if (c == L'/') c = L'\\';
  }
  return w.size() > 1 && w[1] == L':' ? w : L"Z:" + w;
}

TEST(ShippedGroupsOnWindows, BothLanguagesLoadWithTheirNames) {
  platform::win32::WinPrivateProfile ini;
  SilentView view;
  NoWait clock;
  const struct {
    UiLanguage language;
    const wchar_t *group, *macro;
  } cases[] = {{UiLanguage::English, L"Office", L"Copy"}, {UiLanguage::Second, L"Офис", L"Копировать"}};
  for (const auto& c : cases) {
    MacroSystem system(ini, view, clock);
    settings::MouseSettings s;
    s.buttons[0] = 0x101;  // Office, second macro
    system.startUp(distFolder() + L"\\skins", distFolder(), c.language, s, 1);
    EXPECT_TRUE(view.messages.empty());
    ASSERT_EQ(system.groups().groupCount(), 3);
    EXPECT_EQ(system.groups().groupName(0), c.group);
    EXPECT_EQ(system.groups().table().slots[0].name(), c.macro);
    EXPECT_EQ(system.builtIn().count, 8);
    EXPECT_FALSE(system.buttonMacroNames()[0].empty());
    const Macro block{system.blocks().buttonBlock(0x101)};
    EXPECT_EQ(block.name(), system.buttonMacroNames()[0]);
    EXPECT_EQ(block.event(0).key, 0xE0);  // left Ctrl as a usage
    EXPECT_EQ(Macro{system.blocks().groupBlock(0, 1)}.event(0).key, 0xA2);  // as stored
  }
}

}  // namespace
}  // namespace pyxom::macro
