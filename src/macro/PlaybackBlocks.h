// Playback blocks: macro records read straight from the group files for the action threads,
// independent of the group the macro page shows. Models 0 and 1 play HID usages, model 2
// virtual-key codes as stored.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>

#include "device/ButtonTables.h"
#include "device/MacroBlock.h"
#include "macro/KeyCodes.h"
#include "macro/Macro.h"
#include "macro/MacroGroups.h"
#include "platform/PrivateProfile.h"
#include "settings/FunctionCodes.h"
#include "settings/MouseSettings.h"

namespace pyxom::macro {

// Line `index` of the file of group `group` (0-based) named in folder + "macroGrp.ini".
// A missing name, file or line, or a name that is no file of the folder, gives all zeros.
Macro readMacroBlock(platform::PrivateProfile& ini, const std::wstring& macroFolder,
                     UiLanguage language, int group, int index, bool convertKeys);

// The macro block source of the configuration download. Thread-safe: the folder may change
// (language switch) while an action thread asks for a group's macro count.
class PlaybackBlocks final : public device::MacroBlockSource {
 public:
  explicit PlaybackBlocks(platform::PrivateProfile& ini) : ini_(ini) {}

  void setFolder(const std::wstring& macroFolder, UiLanguage language);

  // Models 0 and 1: the block of a macro code with usages; zeros for any other code.
  device::MacroBlock buttonBlock(std::int32_t code) override;
  // Model 2: the block of (group, index) with virtual-key codes; zeros outside index 0..11.
  device::MacroBlock groupBlock(int group, int index) override;
  // "macroNum" of the group's file, 0..12.
  int groupMacroCount(int group) override;

 private:
  platform::PrivateProfile& ini_;
  std::mutex mutex_;
  std::wstring folder_;
  UiLanguage language_ = UiLanguage::English;
};

// Models 0 and 1: the button's block for `code` (zeros when it is not a macro code).
void fillButtonBlock(device::ButtonTables& tables, device::MacroBlockSource& source, int button,
                     settings::ButtonFunction code);
// Model 2: the block of a macro code whose index is 0..11; other codes leave the table as it is.
void fillGroupBlock(device::ButtonTables& tables, device::MacroBlockSource& source,
                    settings::ButtonFunction code);

// The remembered macro name of every button below keyCount: the name of the macro its code
// names, empty for other codes.
std::array<std::wstring, device::kMaxButtons> buttonMacroNames(const MacroGroupStore& groups,
                                                               const settings::MouseSettings& s,
                                                               int keyCount);

}  // namespace pyxom::macro
