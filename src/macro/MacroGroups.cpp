#include "macro/MacroGroups.h"

#include <algorithm>

#include "macro/MacroFile.h"
#include "settings/Decimal.h"

namespace pyxom::macro {
namespace {

const std::wstring kNoName;
constexpr const wchar_t* kDatFilter = L"All Files(*.dat)|*.dat||";

// The file name of a dialog result: the part after its last separator.
std::wstring fileNameOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

MacroFolders macroFoldersFor(const std::wstring& skinsFolder, UiLanguage language) {
  const std::wstring lang = language == UiLanguage::English ? L"\\INI_EN" : L"\\INI_CN";
  return {skinsFolder + lang + L"\\macro\\", skinsFolder + lang + L"\\macroReset\\"};
}

MacroGroupStore::MacroGroupStore(platform::PrivateProfile& ini, MacroFileSystem& files,
                                 MacroPageView& view, platform::Clock& clock)
    : ini_(ini), files_(files), view_(view), clock_(clock) {}

void MacroGroupStore::setFolders(const MacroFolders& folders, UiLanguage language) {
  folders_ = folders;
  language_ = language;
}

const std::wstring& MacroGroupStore::macroName(int g, int j) const {
  if (j < 0 || j >= kGroupMacroSlots) return kNoName;
  return macroNames_[clampGroup(g)][static_cast<std::size_t>(j)];
}

std::wstring MacroGroupStore::groupFilePath(int g) const {
  return folders_.macro + names_[clampGroup(g)] + L".dat";
}

const GroupRow* MacroGroupStore::rowAt(int row) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
  return &rows_[static_cast<std::size_t>(row)];
}

// ---- loading and saving --------------------------------------------------------------------

void MacroGroupStore::loadGroups() {
  const std::wstring path = groupIniPath();
  if (!files_.fileExists(path)) view_.showMessage(text(MacroText::CantFindFile));
  groupCount_ = std::clamp(
      settings::decimalToInt(ini_.readString(path, kGroupCountSection, kGroupCountKey, 3)), 0, kMaxGroups);
  for (auto& n : names_) n.clear();
  macroCounts_.fill(0);
  for (auto& row : macroNames_) {
    for (auto& n : row) n.clear();
  }
  if (groupCount_ != 0) currentGroup_ = 0;
  for (int k = 0; k < groupCount_; ++k) {
    names_[static_cast<std::size_t>(k)] =
        ini_.readString(path, kGroupNameSection, std::to_wstring(k), kMaxGroupNameLength + 1);
  }
  // A group whose file is missing, or whose name cannot be a file of this folder, is dropped.
  bool pruned = false;
  for (int k = 0; k < groupCount_;) {
    const std::wstring& name = names_[static_cast<std::size_t>(k)];
    if (isValidGroupFileName(name) && files_.fileExists(groupFilePath(k))) {
      ++k;
      continue;
    }
    removeGroupSlot(k);
    pruned = true;
  }
  if (pruned) saveGroups();
}

void MacroGroupStore::removeGroupSlot(int g) {
  for (int k = g; k + 1 < kMaxGroups; ++k) {
    const auto i = static_cast<std::size_t>(k);
    names_[i] = std::move(names_[i + 1]);
    macroCounts_[i] = macroCounts_[i + 1];
    macroNames_[i] = std::move(macroNames_[i + 1]);
    expanded_[i] = expanded_[i + 1];
  }
  names_.back().clear();
  macroCounts_.back() = 0;
  for (auto& n : macroNames_.back()) n.clear();
  expanded_.back() = 0;
  --groupCount_;
}

bool MacroGroupStore::saveGroups() {
  const std::wstring path = groupIniPath();
  if (!files_.fileExists(path)) files_.createUnicodeFile(path);
  bool ok = ini_.writeString(path, kGroupCountSection, kGroupCountKey, std::to_wstring(groupCount_));
  for (int k = 0; k < kMaxGroups; ++k) {
    ok = ini_.writeString(path, kGroupNameSection, std::to_wstring(k),
                          k < groupCount_ ? names_[static_cast<std::size_t>(k)] : std::wstring()) && ok;
  }
  return ok;
}

void MacroGroupStore::loadMacroNames() {
  for (int k = 0; k < groupCount_; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const std::wstring path = groupFilePath(k);
    // A count above the 12 slots lists the first 12 macros.
    macroCounts_[i] = std::clamp(readMacroCount(ini_, path), 0, kGroupMacroSlots);
    for (int j = 0; j < macroCounts_[i]; ++j) {
      macroNames_[i][static_cast<std::size_t>(j)] = macroNameOfLine(readMacroLine(ini_, path, j));
    }
  }
}

bool MacroGroupStore::openGroup(int g, bool load) {
  const bool exists = g >= 0 && g < groupCount_ && files_.fileExists(groupFilePath(g));
  if (load) {
    if (exists) {
      loadGroupMacros(ini_, groupFilePath(g), language_, table_);
    } else {
      // Never keep another group's macros in the table: a later save would write them here.
      table_.clear();
      table_.edited = 0;
    }
  }
  return exists;
}

void MacroGroupStore::rebuildGroupList() {
  rows_.clear();
  lines_.clear();
  for (int k = 0; k < groupCount_; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const auto g = static_cast<std::uint8_t>(k);
    if (!expanded_[i]) {
      rows_.push_back({1, g, -1});
      lines_.push_back({names_[i], 0, 0});
      continue;
    }
    rows_.push_back({1, g, -1});
    lines_.push_back({names_[i], 1, 0});
    for (int j = 0; j < macroCounts_[i]; ++j) {
      rows_.push_back({0, g, static_cast<std::int8_t>(j)});
      lines_.push_back({macroNames_[i][static_cast<std::size_t>(j)], 2, 10});
    }
  }
  view_.showGroupList(lines_, selectedRow_);
}

void MacroGroupStore::startUp() {
  loadGroups();
  openGroup(currentGroup_, true);
  loadMacroNames();
}

std::wstring MacroGroupStore::macroNameOfCode(settings::ButtonFunction code) const {
  if (!settings::isMacroCode(code)) return {};
  const int g = (code >> 8) - 1;
  const int j = code & 0xFF;
  if (g < 0 || g >= groupCount_ || j >= macroCounts_[static_cast<std::size_t>(g)]) return {};
  return macroNames_[static_cast<std::size_t>(g)][static_cast<std::size_t>(j)];
}

// ---- the group list ------------------------------------------------------------------------

void MacroGroupStore::makeCurrent(int g) {
  if (g == currentGroup_) return;
  currentGroup_ = g;
  openGroup(g, true);
}

void MacroGroupStore::storeRepeatCount(const GroupRow& macroRow) {
  if (macroRow.group != currentGroup_ || macroRow.macro < 0 || macroRow.macro >= table_.count) return;
  Macro& m = table_.slots[static_cast<std::size_t>(macroRow.macro)];
  m.setRepeatCount(static_cast<std::uint16_t>(settings::decimalToInt(view_.repeatBoxText())));
  saveMacro(ini_, groupFilePath(macroRow.group), table_, macroRow.macro);
}

void MacroGroupStore::selectLine(int row) {
  if (view_.isRecording()) view_.stopRecording();
  const GroupRow* target = rowAt(row);
  if (!target) return;
  const GroupRow line = *target;
  if (row == selectedRow_) {
    if (line.isGroup) {
      expanded_[line.group] = !expanded_[line.group];
      rebuildGroupList();
      view_.clearEventList();
    }
    return;
  }
  const GroupRow* previous = rowAt(selectedRow_);
  const bool previousWasMacro = previous && !previous->isGroup;
  const GroupRow before = previous ? *previous : GroupRow{};
  selectedRow_ = row;
  view_.clearEventList();
  table_.edited = 0;
  const bool groupChanged = line.group != currentGroup_;
  if (line.isGroup) {
    if (groupChanged) currentGroup_ = line.group;
    expanded_[line.group] = !expanded_[line.group];
    rebuildGroupList();
    view_.setRepeatBox(L"1", false);
    if (groupChanged) openGroup(line.group, true);
    return;
  }
  // The macro left behind keeps the repeat count typed for it (saved before another group
  // replaces the table).
  if (previousWasMacro) storeRepeatCount(before);
  if (groupChanged) {
    currentGroup_ = line.group;
    openGroup(line.group, true);
  }
  table_.edited = line.macro;
  view_.fillEventList();
}

MenuKind MacroGroupStore::beginContextMenu(int row) {
  const GroupRow* r = rowAt(row);
  if (!r) return MenuKind::None;
  selectedRow_ = row;
  return r->isGroup ? MenuKind::Group : MenuKind::Macro;
}

void MacroGroupStore::endContextMenu(const GroupRow& row) {
  // The command may have removed the line's group or macro.
  if (row.group >= groupCount_) return;
  makeCurrent(row.group);
  if (row.isGroup) {
    table_.edited = 0;
    view_.clearEventList();
    return;
  }
  if (row.macro < 0 || row.macro >= table_.count) return;
  table_.edited = row.macro;
  view_.fillEventList();
}

bool MacroGroupStore::onCommand(int id) {
  switch (id) {
    case kCmdNewGroup: newGroup(); return true;
    case kCmdNewMacro: newMacro(); return true;
    case kCmdDeleteGroup: deleteGroup(); return true;
    case kCmdResetGroups: resetAllGroups(); return true;
    case kCmdImportGroup: importGroup(); return true;
    case kCmdExportGroup: exportGroup(); return true;
    case kCmdRenameLine:
      if (groupCount_ > 0 && rowAt(selectedRow_)) view_.openEditor(selectedRow_);
      return true;
    case kCmdRenameMacro:
      if (const GroupRow* r = rowAt(selectedRow_); r && !r->isGroup) view_.openEditor(selectedRow_);
      return true;
    case kCmdDeleteMacro: deleteMacro(); return true;
    default: return false;
  }
}

// ---- commands ------------------------------------------------------------------------------

bool MacroGroupStore::nameClashes(const std::wstring& name, int except) const {
  for (int k = 0; k < groupCount_; ++k) {
    if (k != except && sameFileName(names_[static_cast<std::size_t>(k)], name)) return true;
  }
  return false;
}

bool MacroGroupStore::acceptGroupFileName(const std::wstring& name) {
  if (!isValidGroupFileName(name)) {
    view_.showMessage(text(MacroText::InvalidFileName));
    return false;
  }
  if (name.size() > kMaxGroupNameLength) {
    view_.showMessage(text(MacroText::NameTooLong));
    return false;
  }
  return true;
}

void MacroGroupStore::newGroup() {
  if (groupCount_ >= kMaxGroups) {
    view_.showMessage(text(MacroText::MoreThanLimit));
    return;
  }
  table_.edited = 0;
  const std::wstring name = text(MacroText::NewName);
  // Exact comparison as the name rules say, and letter case ignored as the file system does,
  // so that "new.dat" of another group is never emptied.
  if (nameClashes(name, -1)) {
    view_.showMessage(text(MacroText::GroupNameInUse, name));
    return;
  }
  const int g = groupCount_;
  const auto i = static_cast<std::size_t>(g);
  names_[i] = name;
  ++groupCount_;
  currentGroup_ = g;
  saveGroups();
  if (!files_.createUnicodeFile(groupFilePath(g))) view_.showMessage(text(MacroText::CreateFileFailed));
  view_.clearEventList();
  macroCounts_[i] = 0;
  for (auto& n : macroNames_[i]) n.clear();
  expanded_[i] = 0;
  table_.clear();
  // The new group's line is the last line of the list.
  rebuildGroupList();
  selectedRow_ = static_cast<int>(rows_.size()) - 1;
  rebuildGroupList();
  view_.openEditor(selectedRow_);
}

void MacroGroupStore::newMacro() {
  const GroupRow* r = rowAt(selectedRow_);
  if (groupCount_ == 0 || !r) return;
  const int g = r->group;
  makeCurrent(g);
  const auto gi = static_cast<std::size_t>(g);
  if (macroCounts_[gi] >= kGroupMacroSlots || table_.count >= kGroupMacroSlots) {
    view_.showMessage(text(MacroText::MoreThanLimit));
    return;
  }
  const std::wstring name = text(MacroText::NewName);
  for (int j = 0; j < macroCounts_[gi]; ++j) {
    if (macroNames_[gi][static_cast<std::size_t>(j)] == name) {
      view_.showMessage(text(MacroText::NewMacroNameInUse, name));
      return;
    }
  }
  view_.clearEventList();
  const int slot = table_.count;
  ++table_.count;
  table_.edited = slot;
  Macro& m = table_.slots[static_cast<std::size_t>(slot)];
  m.clear();
  m.setName(name);
  saveMacro(ini_, groupFilePath(g), table_, slot);
  loadMacroNames();
  expanded_[gi] = 1;
  rebuildGroupList();
}

void MacroGroupStore::deleteMacro() {
  if (view_.isRecording()) return;
  const GroupRow* r = rowAt(selectedRow_);
  if (!r || r->isGroup) return;
  const GroupRow line = *r;
  makeCurrent(line.group);
  const int n = table_.count;
  const int m = line.macro;
  if (m < 0 || m >= n) return;
  for (int k = m; k + 1 < n; ++k) {
    table_.slots[static_cast<std::size_t>(k)] = table_.slots[static_cast<std::size_t>(k + 1)];
  }
  table_.slots[static_cast<std::size_t>(n - 1)].clear();
  table_.count = static_cast<std::int16_t>(n - 1);
  // The line above: the group line or the previous macro of the same group.
  selectedRow_ -= 1;
  if (m == 0) {
    table_.edited = 0;
    view_.clearEventList();
    view_.setRepeatBox(L"1", false);
  } else {
    table_.edited = m - 1;
    view_.fillEventList();
  }
  saveGroupMacros(ini_, groupFilePath(line.group), table_);
  loadMacroNames();
  rebuildGroupList();
}

void MacroGroupStore::deleteGroup() {
  if (groupCount_ == 0) return;
  const GroupRow* r = rowAt(selectedRow_);
  if (!r) return;
  const int g = r->group;
  table_.edited = 0;
  const std::wstring path = groupFilePath(g);
  if (files_.fileExists(path)) {
    files_.deleteFile(path);
    clock_.sleepMs(10);
    if (files_.fileExists(path)) files_.deleteFile(path);
  }
  expanded_[static_cast<std::size_t>(g)] = 0;
  removeGroupSlot(g);
  currentGroup_ = 0;
  selectedRow_ = 0;
  saveGroups();
  openGroup(0, true);
  loadMacroNames();
  rebuildGroupList();
  if (groupCount_ == 0) {
    view_.clearEventList();
    table_.clear();
  }
}

void MacroGroupStore::resetAllGroups() {
  // Without both folders, or without a factory list to copy back, a reset would only delete.
  if (folders_.macro.empty() || folders_.reset.empty() ||
      !files_.fileExists(folders_.reset + kGroupIniName)) {
    view_.showMessage(text(MacroText::CantFindFile));
    return;
  }
  currentGroup_ = 0;
  table_.edited = 0;
  selectedRow_ = 0;
  files_.clearFolder(folders_.macro);
  files_.copyFolder(folders_.reset, folders_.macro);
  clock_.sleepMs(100);
  loadGroups();
  loadMacroNames();
  openGroup(0, true);
  expanded_.fill(0);
  rebuildGroupList();
}

void MacroGroupStore::exportGroup() {
  if (groupCount_ == 0) return;
  auto path = view_.askSavePath({L"dat", kDatFilter, folders_.macro, true});
  if (!path || path->empty()) return;
  if (!files_.fileExists(*path)) files_.createUnicodeFile(*path);
  saveGroupMacros(ini_, *path, table_);
}

void MacroGroupStore::importGroup() {
  if (groupCount_ >= kMaxGroups) {
    view_.showMessage(text(MacroText::MoreThanLimit));
    return;
  }
  auto path = view_.askOpenPath({L"", kDatFilter, folders_.macro, false});
  if (!path) return;
  const std::wstring file = fileNameOf(*path);
  const std::size_t dat = file.find(L".dat");
  if (dat == std::wstring::npos) return;
  const std::wstring name = file.substr(0, dat);
  if (!acceptGroupFileName(name)) return;
  if (nameClashes(name, -1)) {
    view_.showMessage(text(MacroText::ImportNameInUse));
    return;
  }
  // The copy is the group's file, name + ".dat", whatever followed ".dat" in the chosen name.
  const int g = groupCount_;
  names_[static_cast<std::size_t>(g)] = name;
  const std::wstring target = groupFilePath(g);
  if (!files_.sameFile(*path, target)) files_.copyFile(*path, target);
  if (!files_.fileExists(target)) {
    names_[static_cast<std::size_t>(g)].clear();
    view_.showMessage(text(MacroText::FileNotFound));
    return;
  }
  ++groupCount_;
  expanded_[static_cast<std::size_t>(g)] = 0;
  saveGroups();
  loadMacroNames();
  currentGroup_ = g;
  openGroup(g, true);
  rebuildGroupList();
}

void MacroGroupStore::renameLine(int row, const std::wstring& newText) {
  const GroupRow* r = rowAt(row);
  if (!r) return;
  const GroupRow line = *r;
  if (line.isGroup) {
    renameGroup(row, line, newText);
  } else {
    renameMacro(row, line, newText);
  }
}

void MacroGroupStore::renameGroup(int row, const GroupRow& r, const std::wstring& newName) {
  const int g = r.group;
  const auto gi = static_cast<std::size_t>(g);
  const std::wstring oldName = names_[gi];
  for (int k = 0; k < groupCount_; ++k) {
    if (k != g && names_[static_cast<std::size_t>(k)] == newName) {
      view_.showMessage(text(MacroText::DuplicateGroupName));
      view_.setLineText(row, oldName);
      return;
    }
  }
  if (newName == oldName) return;
  auto refuse = [&](MacroText t) {
    view_.showMessage(text(t));
    view_.setLineText(row, oldName);
  };
  if (newName.empty()) {
    refuse(MacroText::NameEmpty);
    selectLine(row);
    return;
  }
  // Another group whose file differs only in letter case would be overwritten by the copy.
  if (nameClashes(newName, g)) {
    refuse(MacroText::DuplicateGroupName);
    return;
  }
  if (!acceptGroupFileName(newName)) {
    view_.setLineText(row, oldName);
    return;
  }
  const std::wstring oldPath = groupFilePath(g);
  names_[gi] = newName;
  if (files_.fileExists(oldPath)) {
    const std::wstring newPath = groupFilePath(g);
    if (files_.copyFile(oldPath, newPath)) {
      if (files_.fileExists(oldPath) && !files_.sameFile(oldPath, newPath)) files_.deleteFile(oldPath);
    } else {
      names_[gi] = oldName;
      view_.setLineText(row, oldName);
    }
  } else {
    view_.showMessage(text(MacroText::FileNotFound));
  }
  // Saved once the name is settled, so a failed copy never lists a group without its file.
  saveGroups();
  selectLine(row);
}

void MacroGroupStore::renameMacro(int row, const GroupRow& r, const std::wstring& newName) {
  makeCurrent(r.group);
  if (r.macro < 0 || r.macro >= table_.count) return;
  table_.edited = r.macro;
  Macro& m = table_.slots[static_cast<std::size_t>(r.macro)];
  const std::wstring stored = m.name();
  if (newName.empty()) {
    view_.showMessage(text(MacroText::NameEmpty));
    view_.setLineText(row, stored);
    return;
  }
  if (utf16Length(newName) > kMaxMacroNameLength) {
    view_.showMessage(text(MacroText::NameTooLong));
    view_.setLineText(row, stored);
    view_.fillEventList();
    return;
  }
  const auto gi = static_cast<std::size_t>(r.group);
  for (int j = 0; j < macroCounts_[gi]; ++j) {
    if (j != r.macro && macroNames_[gi][static_cast<std::size_t>(j)] == newName) {
      view_.showMessage(text(MacroText::RenameMacroInUse, newName));
      view_.setLineText(row, stored);
      return;
    }
  }
  if (newName == stored) return;
  m.setName(newName);
  saveMacro(ini_, groupFilePath(r.group), table_, r.macro);
  loadMacroNames();
}

}  // namespace pyxom::macro
