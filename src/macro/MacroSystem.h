// Everything of the macro subsystem that the main window owns: the groups, the constant
// macros, the playback block source and the macro names shown on buttons, with the start-up
// steps that set them up.
#pragma once

#include <array>
#include <string>

#include "macro/MacroFile.h"
#include "macro/MacroFileSystem.h"
#include "macro/MacroGroups.h"
#include "macro/PlaybackBlocks.h"

namespace pyxom::macro {

class MacroSystem {
 public:
  MacroSystem(platform::PrivateProfile& ini, MacroPageView& view, platform::Clock& clock)
      : ini_(ini), groups_(ini, files_, view, clock), blocks_(ini) {}

  // Macro folders of the language, the groups with their current group and names, the button
  // macro names, the constant macros (appFolder + "\constMacro.dat").
  void startUp(const std::wstring& skinsFolder, const std::wstring& appFolder, UiLanguage language,
               const settings::MouseSettings& settings, int keyCount) {
    setFolders(skinsFolder, language);
    groups_.startUp();
    refreshButtonMacroNames(settings, keyCount);
    loadBuiltInMacros(ini_, appFolder + L"\\constMacro.dat", language, builtIn_);
  }
  void setFolders(const std::wstring& skinsFolder, UiLanguage language) {
    const MacroFolders f = macroFoldersFor(skinsFolder, language);
    groups_.setFolders(f, language);
    blocks_.setFolder(f.macro, language);
  }
  // Language switch: the folders of the new language and its groups (the current group again
  // when groups are loaded). The constant macros stay as loaded at start-up.
  void changeLanguage(const std::wstring& skinsFolder, UiLanguage language) {
    setFolders(skinsFolder, language);
    groups_.loadGroups();
    if (groups_.groupCount() > 0) groups_.openGroup(groups_.currentGroup(), true);
    groups_.loadMacroNames();
  }
  void refreshButtonMacroNames(const settings::MouseSettings& settings, int keyCount) {
    buttonMacroNames_ = macro::buttonMacroNames(groups_, settings, keyCount);
  }

  MacroGroupStore& groups() { return groups_; }
  PlaybackBlocks& blocks() { return blocks_; }
  const BuiltInMacroTable& builtIn() const { return builtIn_; }
  const std::array<std::wstring, device::kMaxButtons>& buttonMacroNames() const { return buttonMacroNames_; }

 private:
  platform::PrivateProfile& ini_;
  StdMacroFileSystem files_;
  MacroGroupStore groups_;
  PlaybackBlocks blocks_;
  BuiltInMacroTable builtIn_;
  std::array<std::wstring, device::kMaxButtons> buttonMacroNames_{};
};

}  // namespace pyxom::macro
