#include <gtest/gtest.h>

#include "macro/GroupRig.h"
#include "macro/MacroSystem.h"
#include "macro/PlaybackBlocks.h"

namespace pyxom::macro {
namespace {

using settings::UiLanguage;

// Group 0 "First" with one macro, group 1 "Second" with four; macro k of "Second" presses
// A + k (usage 4 + k) and moves the pointer 10 to the right.
struct PlaybackTest : ::testing::Test {
  test::GroupRig rig;
  PlaybackBlocks blocks{rig.ini};
  device::ButtonTables tables;

  void SetUp() override {
    writeGroup(L"First", 1);
    writeGroup(L"Second", 4);
    rig.writeGroupList(rig.folders.macro, {L"First", L"Second"});
    blocks.setFolder(rig.folders.macro, UiLanguage::English);
  }
  void writeGroup(const std::wstring& name, int count) {
    GroupMacroTable t;
    for (int k = 0; k < count; ++k) {
      Macro& m = t.slots[static_cast<std::size_t>(k)];
      m.setName(name + std::to_wstring(k));
      m.setOptions(kPlayCount);
      m.setRepeatCount(3);
      m.setEventCount(3);
      m.setEvent(0, {static_cast<std::uint8_t>(4 + k), kActionPress, 30});
      m.setEvent(1, {static_cast<std::uint8_t>(4 + k), kActionRelease, 40});
      m.setEvent(2, {10, kActionMoveRight, 50});
    }
    t.count = static_cast<std::int16_t>(count);
    rig.files.createUnicodeFile(rig.folders.macro + name + L".dat");
    saveGroupMacros(rig.ini, rig.folders.macro + name + L".dat", t);
  }
  static Macro asMacro(const device::MacroBlock& b) { return Macro{b}; }
};

TEST_F(PlaybackTest, ModelZeroButtonBlockHoldsUsages) {
  fillButtonBlock(tables, blocks, 2, 0x203);
  const Macro m = asMacro(tables.copyButtonBlock(2));
  EXPECT_EQ(m.event(0), (MacroEvent{4 + 3, kActionPress, 30}));
  EXPECT_EQ(m.event(2), (MacroEvent{10, kActionMoveRight, 50}));
  EXPECT_EQ(m.eventCount(), 3);
  EXPECT_EQ(m.repeatCount(), 3);
  EXPECT_EQ(m.name(), L"Second3");
  // Any other code gives the button an empty block.
  fillButtonBlock(tables, blocks, 2, 33);
  EXPECT_EQ(tables.copyButtonBlock(2), device::MacroBlock{});
}

TEST_F(PlaybackTest, ModelTwoGroupBlockHoldsVirtualKeysAsStored) {
  fillGroupBlock(tables, blocks, 0x203);
  const Macro m = asMacro(tables.copyGroupBlock(1, 3));
  EXPECT_EQ(m.event(0).key, 'D');   // usage 7 stored as virtual key 0x44
  EXPECT_EQ(m.event(2).key, 0x47);  // distance 10 stored through usageToVk
  EXPECT_EQ(vkToUsage(m.event(2).key, UiLanguage::English), 10);
}

TEST_F(PlaybackTest, CodesThatFillNothingOrZeros) {
  // Model 2: index 12 and above are not in the table; nothing is written.
  device::MacroBlock marker{};
  marker[43] = 9;
  tables.setGroupBlock(1, 11, marker);
  fillGroupBlock(tables, blocks, 0x20C);
  fillGroupBlock(tables, blocks, 0x2FF);
  fillGroupBlock(tables, blocks, 14);
  EXPECT_EQ(tables.copyGroupBlock(1, 11), marker);
  EXPECT_EQ(blocks.groupBlock(1, 12), device::MacroBlock{});
  // An empty group slot, an index beyond the file, a group beyond the list: all zeros.
  EXPECT_EQ(blocks.buttonBlock(0x300), device::MacroBlock{});
  EXPECT_EQ(blocks.buttonBlock(0x204), device::MacroBlock{});
  EXPECT_EQ(blocks.buttonBlock(0x7F00), device::MacroBlock{});
  EXPECT_EQ(blocks.groupMacroCount(1), 4);
  EXPECT_EQ(blocks.groupMacroCount(2), 0);
  // A group list naming a file outside the folder is not followed.
  rig.dir.write(L"skins\\INI_EN\\evil.dat", "[Macros]\r\nmacroNum=1\r\n0=065001030000\r\n");
  rig.ini.writeString(rig.folders.macro + L"macroGrp.ini", L"MACRO_GROUP_NAME", L"2", L"..\\evil");
  EXPECT_EQ(blocks.buttonBlock(0x300), device::MacroBlock{});
  EXPECT_EQ(blocks.groupMacroCount(2), 0);
}

TEST_F(PlaybackTest, BlocksFollowRenamesOnlyAtTheNextRead) {
  fillButtonBlock(tables, blocks, 0, 0x100);
  rig.store.startUp();
  rig.store.rebuildGroupList();
  rig.store.renameLine(0, L"Renamed");
  ASSERT_TRUE(rig.hasFile(rig.folders.macro + L"Renamed.dat"));
  rig.store.table().slots[0].setName(L"Changed");
  saveMacro(rig.ini, rig.folders.macro + L"Renamed.dat", rig.store.table(), 0);
  // The block already read keeps its content; a new read uses the renamed file.
  EXPECT_EQ(asMacro(tables.copyButtonBlock(0)).name(), L"First0");
  fillButtonBlock(tables, blocks, 1, 0x100);
  EXPECT_EQ(asMacro(tables.copyButtonBlock(1)).name(), L"Changed");
}

TEST_F(PlaybackTest, StartUpSetsNamesAndBuiltInMacros) {
  // constMacro.dat beside the program.
  GroupMacroTable shortcuts;
  shortcuts.count = 2;
  shortcuts.slots[0].setName(L"Copy");
  shortcuts.slots[0].setEventCount(4);
  shortcuts.slots[0].setEvent(0, {0xE0, kActionPress, 20});
  shortcuts.slots[1].setName(L"Paste");
  saveGroupMacros(rig.ini, rig.dir.path(L"constMacro.dat"), shortcuts);

  MacroSystem system(rig.ini, rig.view, rig.clock);
  settings::MouseSettings s;
  s.buttons[0] = 1;
  s.buttons[1] = 0x201;
  s.buttons[2] = 0x100;
  s.buttons[3] = 0x100;  // beyond keyCount
  system.startUp(rig.dir.path(L"skins"), rig.dir.path(), UiLanguage::English, s, 3);
  EXPECT_EQ(system.buttonMacroNames()[0], L"");
  EXPECT_EQ(system.buttonMacroNames()[1], L"Second1");
  EXPECT_EQ(system.buttonMacroNames()[2], L"First0");
  EXPECT_EQ(system.buttonMacroNames()[3], L"");
  EXPECT_EQ(system.builtIn().count, 2);
  EXPECT_EQ(system.builtIn().slots[0].event(0).key, 0xE0);
  EXPECT_EQ(system.groups().table().slots[0].name(), L"First0");
  EXPECT_EQ(Macro{system.blocks().buttonBlock(0x201)}.name(), L"Second1");
}

}  // namespace
}  // namespace pyxom::macro
