// Macro groups: up to 12 named groups of up to 12 macros, one macro file per group, listed in
// "macroGrp.ini"; the two-level group list and every group and macro command of its menus.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "macro/Macro.h"
#include "macro/MacroFileSystem.h"
#include "macro/MacroPageView.h"
#include "macro/MacroTexts.h"
#include "platform/Clock.h"
#include "platform/PrivateProfile.h"
#include "settings/FunctionCodes.h"

namespace pyxom::macro {

inline constexpr int kMaxGroups = 12;
inline constexpr const wchar_t* kGroupIniName = L"macroGrp.ini";
inline constexpr const wchar_t* kGroupCountSection = L"MACRO_GROUP_NUM";
inline constexpr const wchar_t* kGroupCountKey = L"macGrpNum";
inline constexpr const wchar_t* kGroupNameSection = L"MACRO_GROUP_NAME";

// Menu command ids of the group menu and the macro menu.
enum MacroCommand : int {
  kCmdNewGroup = 32848,
  kCmdResetGroups = 32850,
  kCmdDeleteGroup = 32851,
  kCmdImportGroup = 32853,
  kCmdExportGroup = 32854,
  kCmdRenameLine = 32857,
  kCmdNewMacro = 32858,
  kCmdRenameMacro = 32862,
  kCmdDeleteMacro = 32863,
};

// The macro folder and the macro reset folder of one language, each ending in a backslash.
struct MacroFolders {
  std::wstring macro;
  std::wstring reset;
};
MacroFolders macroFoldersFor(const std::wstring& skinsFolder, UiLanguage language);

struct GroupRow {
  std::int32_t isGroup = 1;  // 1 group line, 0 macro line
  std::uint8_t group = 0;
  std::int8_t macro = -1;    // index in the group; -1 on a group line
  friend bool operator==(const GroupRow&, const GroupRow&) = default;
};

enum class MenuKind { None, Group, Macro };

class MacroGroupStore {
 public:
  MacroGroupStore(platform::PrivateProfile& ini, MacroFileSystem& files, MacroPageView& view,
                  platform::Clock& clock);

  void setFolders(const MacroFolders& folders, UiLanguage language);
  const MacroFolders& folders() const { return folders_; }
  UiLanguage language() const { return language_; }

  // State.
  int groupCount() const { return groupCount_; }
  const std::wstring& groupName(int g) const { return names_[clampGroup(g)]; }
  int macroCount(int g) const { return macroCounts_[clampGroup(g)]; }
  const std::wstring& macroName(int g, int j) const;
  bool expanded(int g) const { return expanded_[clampGroup(g)] != 0; }
  int currentGroup() const { return currentGroup_; }
  const std::vector<GroupRow>& rows() const { return rows_; }
  const std::vector<GroupListLine>& lines() const { return lines_; }
  int selectedRow() const { return selectedRow_; }
  GroupMacroTable& table() { return table_; }
  const GroupMacroTable& table() const { return table_; }
  std::wstring groupFilePath(int g) const;
  std::wstring groupIniPath() const { return folders_.macro + kGroupIniName; }

  // Loading and saving.
  void loadGroups();      // reads macroGrp.ini, drops groups without a usable file
  bool saveGroups();      // count, then all twelve names
  void loadMacroNames();  // counts and names of every group from its file
  bool openGroup(int g, bool load);
  void rebuildGroupList();
  // Start-up: loadGroups, openGroup(current, true), loadMacroNames.
  void startUp();

  // The name shown for a button that carries a macro code; empty when no such macro exists.
  std::wstring macroNameOfCode(settings::ButtonFunction code) const;

  // The group list.
  void selectLine(int row);
  MenuKind beginContextMenu(int row);  // a right click: selects the line, says which menu
  void endContextMenu(const GroupRow& row);  // after the menu closed
  // Returns false for ids that are not group or macro menu commands.
  bool onCommand(int id);
  // The in-place editor ended on `row` with `text`.
  void renameLine(int row, const std::wstring& text);

  void newGroup();
  void newMacro();
  void deleteMacro();
  void deleteGroup();
  void resetAllGroups();
  void exportGroup();
  void importGroup();

 private:
  static int clampGroup(int g) { return g < 0 ? 0 : (g >= kMaxGroups ? kMaxGroups - 1 : g); }
  std::wstring text(MacroText t, std::wstring_view name = {}) const { return macroText(t, language_, name); }
  const GroupRow* rowAt(int row) const;
  // Checks a new group name for use as a file name; shows the message and returns false.
  bool acceptGroupFileName(const std::wstring& name);
  bool nameClashes(const std::wstring& name, int except) const;
  void removeGroupSlot(int g);
  void makeCurrent(int g);  // loads the group's file when it changes
  void storeRepeatCount(const GroupRow& macroRow);
  void renameGroup(int row, const GroupRow& r, const std::wstring& text);
  void renameMacro(int row, const GroupRow& r, const std::wstring& text);

  platform::PrivateProfile& ini_;
  MacroFileSystem& files_;
  MacroPageView& view_;
  platform::Clock& clock_;
  MacroFolders folders_;
  UiLanguage language_ = UiLanguage::English;

  int groupCount_ = 0;
  std::array<std::wstring, kMaxGroups> names_{};
  std::array<std::int32_t, kMaxGroups> macroCounts_{};
  std::array<std::array<std::wstring, kGroupMacroSlots>, kMaxGroups> macroNames_{};
  std::array<std::int32_t, kMaxGroups> expanded_{};
  int currentGroup_ = 0;
  std::vector<GroupRow> rows_;
  std::vector<GroupListLine> lines_;
  int selectedRow_ = 0;
  GroupMacroTable table_;
};

}  // namespace pyxom::macro
