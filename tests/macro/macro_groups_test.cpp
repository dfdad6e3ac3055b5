#include <gtest/gtest.h>

#include "macro/GroupRig.h"

namespace pyxom::macro {
namespace {

using test::GroupRig;
using settings::UiLanguage;

std::vector<std::wstring> lineTexts(const std::vector<GroupListLine>& lines) {
  std::vector<std::wstring> out;
  for (const auto& l : lines) out.push_back(l.text);
  return out;
}

// Three groups on disk, loaded.
struct ThreeGroups : ::testing::Test {
  GroupRig rig;
  void SetUp() override {
    rig.writeGroup(rig.folders.macro, L"Alpha", {L"a1", L"a2"});
    rig.writeGroup(rig.folders.macro, L"Beta", {L"b1", L"b2", L"b3"});
    rig.writeGroup(rig.folders.macro, L"Gamma", {});
    rig.writeGroupList(rig.folders.macro, {L"Alpha", L"Beta", L"Gamma"});
    rig.store.startUp();
    rig.store.rebuildGroupList();
  }
};

TEST_F(ThreeGroups, StartUpLoadsGroupsNamesAndTheFirstGroup) {
  EXPECT_EQ(rig.store.groupCount(), 3);
  EXPECT_EQ(rig.store.currentGroup(), 0);
  EXPECT_EQ(rig.store.table().count, 2);
  EXPECT_EQ(rig.store.table().slots[1].name(), L"a2");
  EXPECT_EQ(rig.store.macroCount(1), 3);
  EXPECT_EQ(rig.store.macroName(1, 2), L"b3");
  EXPECT_EQ(rig.store.macroNameOfCode(settings::macroCode(2, 1)), L"b2");
  EXPECT_EQ(rig.store.macroNameOfCode(settings::macroCode(2, 3)), L"");  // beyond the group
  EXPECT_EQ(rig.store.macroNameOfCode(settings::macroCode(4, 0)), L"");  // no fourth group
  EXPECT_TRUE(rig.view.messages.empty());
}

TEST_F(ThreeGroups, SelectingLinesExpandsGroupsAndSwitchesTheTable) {
  // Rows of collapsed groups; selecting group 1 opens it and loads its file.
  rig.store.selectLine(1);
  EXPECT_EQ(rig.store.currentGroup(), 1);
  EXPECT_EQ(rig.store.table().slots[0].name(), L"b1");
  EXPECT_EQ(lineTexts(rig.view.lines),
            (std::vector<std::wstring>{L"Alpha", L"Beta", L"b1", L"b2", L"b3", L"Gamma"}));
  EXPECT_EQ(rig.view.lines[1].icon, 1);
  EXPECT_EQ(rig.view.lines[2], (GroupListLine{L"b1", 2, 10}));
  EXPECT_EQ(rig.store.rows()[3], (GroupRow{0, 1, 1}));
  EXPECT_EQ(rig.view.repeatBox, L"1");
  EXPECT_FALSE(rig.view.repeatBoxEnabled);
  // A macro line: the edited macro; the repeat count typed for it is stored when another
  // macro line is chosen.
  rig.store.selectLine(3);
  EXPECT_EQ(rig.store.table().edited, 1);
  rig.view.repeatBox = L"77";
  rig.store.selectLine(4);
  EXPECT_EQ(rig.store.table().edited, 2);
  GroupMacroTable fromFile;
  loadGroupMacros(rig.ini, rig.store.groupFilePath(1), UiLanguage::English, fromFile);
  EXPECT_EQ(fromFile.slots[1].repeatCount(), 77);
  // Choosing the open group line closes it; choosing it again while selected opens it.
  rig.store.selectLine(1);
  EXPECT_FALSE(rig.store.expanded(1));
  EXPECT_EQ(rig.view.lines.size(), 3u);
  rig.store.selectLine(1);
  EXPECT_TRUE(rig.store.expanded(1));
}

TEST_F(ThreeGroups, DeletingTheMiddleGroupRewritesTheListInOrder) {
  rig.store.selectLine(1);
  rig.store.deleteGroup();
  EXPECT_FALSE(rig.hasFile(rig.folders.macro + L"Beta.dat"));
  EXPECT_EQ(rig.listedCount(), L"2");
  EXPECT_EQ(rig.listed(0), L"Alpha");
  EXPECT_EQ(rig.listed(1), L"Gamma");
  for (int k = 2; k < 12; ++k) EXPECT_EQ(rig.listed(k), L"") << k;  // written, empty
  EXPECT_EQ(rig.store.currentGroup(), 0);
  EXPECT_EQ(rig.store.table().slots[0].name(), L"a1");
  EXPECT_EQ(rig.store.macroCount(1), 0);  // Gamma moved up with its count
  EXPECT_EQ(lineTexts(rig.view.lines), (std::vector<std::wstring>{L"Alpha", L"Gamma"}));
  EXPECT_GE(rig.clock.now, 10u);
}

TEST_F(ThreeGroups, DeletingEveryGroupEmptiesTheLists) {
  for (int i = 0; i < 3; ++i) rig.store.deleteGroup();
  EXPECT_EQ(rig.store.groupCount(), 0);
  EXPECT_EQ(rig.store.table().count, 0);
  EXPECT_TRUE(rig.view.lines.empty());
  rig.store.deleteGroup();  // nothing left: nothing happens
  EXPECT_EQ(rig.listedCount(), L"0");
}

TEST_F(ThreeGroups, DeleteMacroMovesTheRestDownAndSelectsTheLineAbove) {
  rig.store.selectLine(1);   // Beta open: rows Alpha, Beta, b1, b2, b3, Gamma
  rig.store.selectLine(3);   // b2
  rig.store.deleteMacro();
  EXPECT_EQ(rig.store.table().count, 2);
  EXPECT_EQ(rig.store.table().slots[1].name(), L"b3");
  EXPECT_EQ(rig.store.table().slots[2], Macro{});
  EXPECT_EQ(rig.store.selectedRow(), 2);
  EXPECT_EQ(rig.store.table().edited, 0);
  EXPECT_EQ(lineTexts(rig.view.lines),
            (std::vector<std::wstring>{L"Alpha", L"Beta", L"b1", L"b3", L"Gamma"}));
  EXPECT_EQ(readMacroCount(rig.ini, rig.store.groupFilePath(1)), 2);
  // The first macro: the group line above is selected.
  rig.store.deleteMacro();
  EXPECT_EQ(rig.store.selectedRow(), 1);
  EXPECT_EQ(rig.store.macroName(1, 0), L"b3");
}

TEST(MacroGroups, NewGroupsAndMacrosUpToTheLimits) {
  GroupRig rig;
  rig.writeGroupList(rig.folders.macro, {});
  rig.store.startUp();
  rig.store.newGroup();
  ASSERT_EQ(rig.store.groupCount(), 1);
  EXPECT_TRUE(rig.hasFile(rig.folders.macro + L"New.dat"));
  EXPECT_EQ(rig.view.editorLine, 0);  // named at once
  // A second "New" while the first is not renamed.
  rig.store.newGroup();
  EXPECT_EQ(rig.view.lastMessage(), L"'New' Name Already In Used!");
  EXPECT_EQ(rig.store.groupCount(), 1);

  for (int k = 1; k < 12; ++k) {
    rig.store.renameLine(rig.store.selectedRow(), L"G" + std::to_wstring(k));
    rig.store.newGroup();
  }
  EXPECT_EQ(rig.store.groupCount(), 12);
  rig.view.messages.clear();
  rig.store.newGroup();
  EXPECT_EQ(rig.view.lastMessage(), L"More than limit!");
  EXPECT_EQ(rig.store.groupCount(), 12);

  // Macros in the selected (last, "New") group.
  rig.store.newMacro();
  EXPECT_EQ(rig.store.macroName(11, 0), L"New");
  rig.store.newMacro();
  EXPECT_EQ(rig.view.lastMessage(), L"'New' Name already in used!");
  for (int j = 1; j < 12; ++j) {
    const int macroRow = static_cast<int>(rig.store.rows().size()) - 1;
    rig.store.renameLine(macroRow, L"M" + std::to_wstring(j));
    rig.store.newMacro();
  }
  EXPECT_EQ(rig.store.macroCount(11), 12);
  rig.view.messages.clear();
  rig.store.newMacro();
  EXPECT_EQ(rig.view.lastMessage(), L"More than limit!");
  EXPECT_EQ(readMacroCount(rig.ini, rig.store.groupFilePath(11)), 12);
}

TEST(MacroGroups, SecondLanguageTexts) {
  GroupRig rig(UiLanguage::Second);
  rig.writeGroupList(rig.folders.macro, {});
  rig.store.startUp();
  rig.store.newGroup();
  EXPECT_EQ(rig.store.groupName(0), L"новый");
  rig.store.newGroup();
  EXPECT_EQ(rig.view.lastMessage(), L"'новый' Имя уже используется!");
  rig.store.newMacro();
  rig.store.newMacro();
  EXPECT_EQ(rig.view.lastMessage(), L"'новый' Имя уже используется!");
  // The group list keeps Cyrillic names through the private-profile file.
  MacroGroupStore again(rig.ini, rig.files, rig.view, rig.clock);
  again.setFolders(rig.folders, UiLanguage::Second);
  again.startUp();
  EXPECT_EQ(again.groupName(0), L"новый");
  EXPECT_EQ(again.macroName(0, 0), L"новый");
}

TEST_F(ThreeGroups, RenameMacroRules) {
  rig.store.selectLine(1);  // Beta open; b1 at row 2
  struct Case {
    std::wstring text;
    std::wstring message;  // empty: accepted without a message
    std::wstring nameAfter;
  } cases[] = {
      {L"", L"The name cannot be empty!", L"b1"},
      {L"b2", L"'b2' Name already in used!", L"b1"},
      {L"12345678901234567890", L"more than limit!", L"b1"},
      {L"1234567890123456789", L"", L"1234567890123456789"},
      {L"1234567890123456789", L"", L"1234567890123456789"},  // its own name: nothing
  };
  for (const auto& c : cases) {
    rig.view.messages.clear();
    rig.store.renameLine(2, c.text);
    EXPECT_EQ(rig.view.lastMessage(), c.message) << std::string(c.text.begin(), c.text.end());
    EXPECT_EQ(rig.store.macroName(1, 0), c.nameAfter);
  }
  GroupMacroTable fromFile;
  loadGroupMacros(rig.ini, rig.store.groupFilePath(1), UiLanguage::English, fromFile);
  EXPECT_EQ(fromFile.slots[0].name(), L"1234567890123456789");
}

TEST_F(ThreeGroups, RenameGroupMovesItsFileAndRefusesBadNames) {
  rig.store.renameLine(1, L"Racing");
  EXPECT_TRUE(rig.view.messages.empty());
  EXPECT_TRUE(rig.hasFile(rig.folders.macro + L"Racing.dat"));
  EXPECT_FALSE(rig.hasFile(rig.folders.macro + L"Beta.dat"));
  EXPECT_EQ(rig.listed(1), L"Racing");
  EXPECT_EQ(readMacroCount(rig.ini, rig.folders.macro + L"Racing.dat"), 3);

  struct Case {
    std::wstring text, message;
  } refused[] = {
      {L"Alpha", L" Дубликат имени!!"},
      {L"alpha", L" Дубликат имени!!"},  // the same file on Windows
      {L"", L"The name cannot be empty!"},
      {L"..\\..\\outside", L""},
      {L"../outside", L""},
      {L"..", L""},
      {L"a:b", L""},
      {L"what?", L""},
      {L"trailing.", L""},
      {L"CON", L""},
      {L"nul.txt", L""},
      {L" lead", L""},
      {L"'quoted'", L""},
      {std::wstring(40, L'x'), L"more than limit!"},
  };
  const std::wstring invalid = macroText(MacroText::InvalidFileName, UiLanguage::English);
  for (const auto& c : refused) {
    rig.view.messages.clear();
    rig.view.restored.clear();
    rig.store.renameLine(1, c.text);
    EXPECT_EQ(rig.view.lastMessage(), c.message.empty() ? invalid : c.message)
        << std::string(c.text.begin(), c.text.end());
    EXPECT_EQ(rig.store.groupName(1), L"Racing");
    ASSERT_FALSE(rig.view.restored.empty());
    EXPECT_EQ(rig.view.restored.back(), (std::pair<int, std::wstring>{1, L"Racing"}));
  }
  EXPECT_EQ(rig.listed(1), L"Racing");
  EXPECT_TRUE(rig.hasFile(rig.folders.macro + L"Racing.dat"));
  EXPECT_FALSE(rig.dir.exists(L"skins\\outside.dat"));
  EXPECT_FALSE(rig.dir.exists(L"outside.dat"));
  // 39 characters fit what macroGrp.ini is read back with.
  rig.store.renameLine(1, std::wstring(39, L'y'));
  EXPECT_EQ(rig.listed(1), std::wstring(39, L'y'));
}

TEST_F(ThreeGroups, RenameOfAGroupWhoseFileVanished) {
  std::filesystem::remove(platform::toNativePath(rig.folders.macro + L"Gamma.dat"));
  rig.store.renameLine(2, L"Delta");
  EXPECT_EQ(rig.view.lastMessage(), L"not find File!");
  EXPECT_EQ(rig.listed(2), L"Delta");
}

TEST_F(ThreeGroups, ImportTakesTheNameBeforeDatAndRefusesItTwice) {
  std::filesystem::create_directories(rig.dir.native(L"elsewhere"));
  rig.writeGroup(rig.dir.path(L"elsewhere\\"), L"Racing", {L"r1"});
  rig.view.answers = {rig.dir.path(L"elsewhere\\Racing.dat"), rig.dir.path(L"elsewhere\\Racing.dat")};
  rig.store.importGroup();
  EXPECT_EQ(rig.view.lastDialog.filter, L"All Files(*.dat)|*.dat||");
  EXPECT_EQ(rig.view.lastDialog.initialFolder, rig.folders.macro);
  EXPECT_EQ(rig.store.groupCount(), 4);
  EXPECT_EQ(rig.store.groupName(3), L"Racing");
  EXPECT_EQ(rig.store.currentGroup(), 3);
  EXPECT_EQ(rig.store.table().slots[0].name(), L"r1");
  EXPECT_TRUE(rig.hasFile(rig.folders.macro + L"Racing.dat"));
  EXPECT_EQ(rig.listed(3), L"Racing");
  rig.store.importGroup();
  EXPECT_EQ(rig.view.lastMessage(), L"Name already in used!");
  EXPECT_EQ(rig.store.groupCount(), 4);

  // A name without ".dat" is ignored; names that are no file name are refused; a cancelled
  // dialog changes nothing.
  rig.view.messages.clear();
  rig.view.answers = {rig.dir.path(L"elsewhere\\Racing.txt"), rig.dir.path(L"elsewhere\\.dat"),
                      rig.dir.path(L"elsewhere\\CON.dat"), std::nullopt};
  for (int i = 0; i < 4; ++i) rig.store.importGroup();
  EXPECT_EQ(rig.view.messages.size(), 2u);
  EXPECT_EQ(rig.store.groupCount(), 4);
}

TEST_F(ThreeGroups, ExportWritesTheMacrosInMemoryOnly) {
  rig.store.selectLine(1);  // Beta, three macros
  rig.store.selectLine(2);
  rig.store.deleteMacro();  // Beta.dat keeps a stale line "2"
  ASSERT_FALSE(rig.ini.readString(rig.store.groupFilePath(1), L"Macros", L"2", 4000).empty());
  const std::wstring out = rig.dir.path(L"export.dat");
  rig.view.answers = {out};
  rig.store.exportGroup();
  EXPECT_EQ(rig.view.lastDialog.defaultExtension, L"dat");
  EXPECT_TRUE(rig.view.lastDialog.confirmOverwrite);
  EXPECT_EQ(rig.ini.readString(out, L"Macros", L"macroNum", 3), L"2");
  EXPECT_EQ(macroNameOfLine(rig.ini.readString(out, L"Macros", L"0", 4000)), L"b2");
  EXPECT_EQ(macroNameOfLine(rig.ini.readString(out, L"Macros", L"1", 4000)), L"b3");
  EXPECT_EQ(rig.ini.readString(out, L"Macros", L"2", 4000), L"");
}

TEST_F(ThreeGroups, ResetRestoresTheFactoryGroups) {
  rig.writeGroup(rig.folders.reset, L"Factory", {L"f1"});
  std::filesystem::create_directories(platform::toNativePath(rig.folders.reset + L"sub"));
  rig.writeGroup(rig.folders.reset + L"sub\\", L"Nested", {});
  rig.writeGroupList(rig.folders.reset, {L"Factory"});
  rig.dir.write(L"skins\\INI_EN\\macro\\old\\junk.dat", "x");
  rig.dir.write(L"keep.dat", "outside the macro folder");
  rig.store.selectLine(1);
  rig.store.resetAllGroups();
  EXPECT_FALSE(rig.hasFile(rig.folders.macro + L"Alpha.dat"));
  EXPECT_FALSE(rig.dir.exists(L"skins\\INI_EN\\macro\\old"));
  EXPECT_TRUE(rig.dir.exists(L"keep.dat"));
  EXPECT_TRUE(rig.hasFile(rig.folders.macro + L"sub\\Nested.dat"));
  EXPECT_EQ(rig.store.groupCount(), 1);
  EXPECT_EQ(rig.store.groupName(0), L"Factory");
  EXPECT_EQ(rig.store.table().slots[0].name(), L"f1");
  EXPECT_FALSE(rig.store.expanded(1));
  EXPECT_EQ(rig.store.selectedRow(), 0);
  EXPECT_EQ(lineTexts(rig.view.lines), (std::vector<std::wstring>{L"Factory"}));
}

TEST_F(ThreeGroups, ResetWithoutFactoryListDeletesNothing) {
  rig.store.resetAllGroups();
  EXPECT_EQ(rig.view.lastMessage(), L"Can't find the file.");
  EXPECT_TRUE(rig.hasFile(rig.folders.macro + L"Alpha.dat"));
  EXPECT_EQ(rig.store.groupCount(), 3);
}

TEST(MacroGroups, LoadingDropsMissingAndUnsafeGroups) {
  GroupRig rig;
  rig.writeGroup(rig.folders.macro, L"Keep", {L"k"});
  rig.dir.write(L"skins\\INI_EN\\outside.dat", "[Macros]\r\nmacroNum=1\r\n");
  rig.writeGroupList(rig.folders.macro, {L"Gone", L"Keep", L"..\\outside", L"Keep2"});
  rig.store.startUp();
  EXPECT_EQ(rig.store.groupCount(), 1);
  EXPECT_EQ(rig.store.groupName(0), L"Keep");
  EXPECT_EQ(rig.listedCount(), L"1");
  EXPECT_EQ(rig.listed(1), L"");
  EXPECT_TRUE(rig.view.messages.empty());

  // A list that announces more groups than there are slots.
  rig.writeGroupList(rig.folders.macro, {L"Keep"});
  rig.ini.writeString(rig.store.groupIniPath(), L"MACRO_GROUP_NUM", L"macGrpNum", L"99");
  rig.store.loadGroups();
  EXPECT_EQ(rig.store.groupCount(), 1);

  // No list at all.
  GroupRig empty;
  empty.store.startUp();
  EXPECT_EQ(empty.view.lastMessage(), L"Can't find the file.");
  EXPECT_EQ(empty.store.groupCount(), 0);
}

TEST_F(ThreeGroups, CommandsByMenuId) {
  EXPECT_FALSE(rig.store.onCommand(32780));
  rig.store.beginContextMenu(0);
  EXPECT_TRUE(rig.store.onCommand(kCmdRenameLine));
  EXPECT_EQ(rig.view.editorLine, 0);
  rig.view.editorLine = -1;
  EXPECT_TRUE(rig.store.onCommand(kCmdRenameMacro));  // not on a group line
  EXPECT_EQ(rig.view.editorLine, -1);
  EXPECT_EQ(rig.store.beginContextMenu(1), MenuKind::Group);
  EXPECT_TRUE(rig.store.onCommand(kCmdNewMacro));
  EXPECT_EQ(rig.store.macroCount(1), 4);
  rig.store.endContextMenu(rig.store.rows()[1]);
  EXPECT_EQ(rig.store.currentGroup(), 1);
  EXPECT_EQ(rig.store.beginContextMenu(5), MenuKind::Macro);  // the new macro, b1..b3, New
  EXPECT_EQ(rig.store.beginContextMenu(99), MenuKind::None);
}

}  // namespace
}  // namespace pyxom::macro
