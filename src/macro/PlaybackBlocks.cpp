#include "macro/PlaybackBlocks.h"

#include <algorithm>

#include "macro/MacroFile.h"
#include "macro/MacroTexts.h"

namespace pyxom::macro {

Macro readMacroBlock(platform::PrivateProfile& ini, const std::wstring& macroFolder,
                     UiLanguage language, int group, int index, bool convertKeys) {
  if (macroFolder.empty() || group < 0 || index < 0) return {};
  const std::wstring name = ini.readString(macroFolder + kGroupIniName, kGroupNameSection,
                                           std::to_wstring(group), kMaxGroupNameLength + 1);
  if (!isValidGroupFileName(name)) return {};
  const std::wstring line = readMacroLine(ini, macroFolder + name + L".dat", index);
  return parseMacroLine(line, convertKeys ? std::optional<UiLanguage>(language) : std::nullopt);
}

void PlaybackBlocks::setFolder(const std::wstring& macroFolder, UiLanguage language) {
  std::lock_guard lock(mutex_);
  folder_ = macroFolder;
  language_ = language;
}

device::MacroBlock PlaybackBlocks::buttonBlock(std::int32_t code) {
  if (!settings::isMacroCode(code)) return {};
  std::lock_guard lock(mutex_);
  return readMacroBlock(ini_, folder_, language_, settings::macroGroup(code),
                        settings::macroIndex(code), true).bytes;
}

device::MacroBlock PlaybackBlocks::groupBlock(int group, int index) {
  if (index < 0 || index >= settings::kMacrosPerGroup) return {};
  std::lock_guard lock(mutex_);
  return readMacroBlock(ini_, folder_, language_, group, index, false).bytes;
}

int PlaybackBlocks::groupMacroCount(int group) {
  if (group < 0) return 0;
  std::lock_guard lock(mutex_);
  if (folder_.empty()) return 0;
  const std::wstring name = ini_.readString(folder_ + kGroupIniName, kGroupNameSection,
                                            std::to_wstring(group), kMaxGroupNameLength + 1);
  if (!isValidGroupFileName(name)) return 0;
  return std::clamp(readMacroCount(ini_, folder_ + name + L".dat"), 0, kGroupMacroSlots);
}

void fillButtonBlock(device::ButtonTables& tables, device::MacroBlockSource& source, int button,
                     settings::ButtonFunction code) {
  tables.setButtonBlock(button, settings::isMacroCode(code) ? source.buttonBlock(code) : device::MacroBlock{});
}

void fillGroupBlock(device::ButtonTables& tables, device::MacroBlockSource& source,
                    settings::ButtonFunction code) {
  if (!settings::isMacroCode(code)) return;
  const int group = settings::macroGroup(code), index = settings::macroIndex(code);
  if (!device::ButtonTables::inGroupTable(group, index)) return;
  tables.setGroupBlock(group, index, source.groupBlock(group, index));
}

std::array<std::wstring, device::kMaxButtons> buttonMacroNames(const MacroGroupStore& groups,
                                                               const settings::MouseSettings& s,
                                                               int keyCount) {
  std::array<std::wstring, device::kMaxButtons> names{};
  const int n = std::clamp(keyCount, 0, std::min<int>(device::kMaxButtons, settings::kMaxKeys));
  for (int i = 0; i < n; ++i) {
    names[static_cast<std::size_t>(i)] = groups.macroNameOfCode(s.buttons[static_cast<std::size_t>(i)]);
  }
  return names;
}

}  // namespace pyxom::macro
