// One action pass at a time, without threads: the scan over buttons, DPI and rate buttons,
// consumer keys, programs, macros through the mouse (models 0, 1) and on the host (model 2).
#include <gtest/gtest.h>

#include "device/ActionFakes.h"

namespace pyxom::test {
namespace {

using device::MacroBlock;

// Report lines only ("F ..."), and every line after the first that starts with `from`.
Lines reportsOf(const Lines& all) {
  Lines r;
  for (const auto& l : all)
    if (l[0] == 'F') r.push_back(l);
  return r;
}

const std::string kReleaseButtons = "F 07 16 00 FF 00 00 00 00";

TEST(Actions01, DpiReportButtonTakesTheLevelFromTheReportAndSavesIt) {
  ActionRig rig(0);
  rig.settings.buttons[2] = 6;
  rig.tables.dpiReportFlag[2] = true;
  rig.press(2, 2);  // key index 3
  rig.pass();
  EXPECT_EQ(rig.settings.dpiLevel, 2);
  EXPECT_EQ(rig.saved(L"DPI_LEVEL"), "2");
  EXPECT_EQ(rig.repaints, 1);
  EXPECT_EQ(rig.events.buttonEventPending, 0);
  EXPECT_TRUE(rig.transport.reports().empty()) << "the mouse changed its level itself";

  // A level the mouse cannot have is not taken.
  rig.press(2, 7);
  rig.pass();
  EXPECT_EQ(rig.settings.dpiLevel, 2);
  EXPECT_EQ(rig.repaints, 1);
}

TEST(Actions01, RateCycleButtonAdvancesTheRateAndWrapsAfter3) {
  const std::pair<int, int> cases[] = {{0, 1}, {2, 3}, {3, 0}, {9, 0}};
  for (auto [from, to] : cases) {
    ActionRig rig(1);
    rig.settings.buttons[4] = 14;
    rig.tables.rateCycleFlag[4] = true;
    rig.settings.reportRate = static_cast<std::uint8_t>(from);
    rig.press(4);
    rig.pass();
    EXPECT_EQ(rig.settings.reportRate, to) << from;
    EXPECT_EQ(rig.saved(L"USB_SPEED"), std::to_string(to));
    EXPECT_EQ(rig.repaints, 1);
  }
}

TEST(Actions01, ConsumerKeysAndCommandPrompt) {
  const std::pair<int, const char*> consumer[] = {
      {21, "02 23"}, {22, "01 83"}, {23, "01 8A"}, {24, "00 E9"}, {25, "00 EA"},
      {26, "00 B6"}, {27, "00 B5"}, {28, "00 E2"}, {29, "00 CD"}, {30, "01 92"}};
  for (auto [code, usage] : consumer) {
    ActionRig rig(0);
    rig.settings.buttons[1] = code;
    rig.press(1);
    rig.pass();
    auto r = reportsOf(rig.log.lines());
    ASSERT_EQ(r.size(), 1u) << code;
    EXPECT_EQ(r[0].substr(5, 8), std::string("17 ") + usage) << code;
  }
  ActionRig rig(1);
  rig.settings.buttons[0] = 40;
  rig.press(0);
  rig.pass();
  EXPECT_EQ(rig.log.lines(), (Lines{"run cmd.exe 5", "sleep 2"}));
}

TEST(Actions01, OnlyTheButtonsWithTheReportedKeyIndexAreHandled) {
  ActionRig rig(0);
  rig.layout.deviceKeyIndex[3] = 2;  // buttons 1 and 3 share key index 2
  rig.settings.buttons[1] = 24;
  rig.settings.buttons[3] = 25;
  rig.settings.buttons[2] = 26;
  rig.press(1);
  rig.pass();
  auto r = reportsOf(rig.log.lines());
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].substr(5, 8), "17 00 E9");
  EXPECT_EQ(r[1].substr(5, 8), "17 00 EA");
  EXPECT_EQ(rig.events.currentButton, 4) << "the scan visits every button";
  // Nothing pending: nothing happens, the stop request is cleared.
  rig.log.clear();
  rig.events.macroStopRequest = 1;
  rig.pass();
  EXPECT_EQ(rig.log.lines(), (Lines{"sleep 2"}));
  EXPECT_EQ(rig.events.macroStopRequest, 0);
}

TEST(Actions01, MacroPlaysThroughTheMouseWithThe15MsFloorThenReleasesAll) {
  ActionRig rig(0);
  rig.settings.buttons[0] = 0x203;
  rig.tables.setButtonBlock(0, makeBlock({{4, 1, 5}, {10, 0x81, 30}, {7, 0xF2, 0}, {4, 2, 100},
                                          {0xF1, 1, 20}}));
  rig.press(0);
  rig.pass();
  EXPECT_EQ(rig.log.lines(), (Lines{
      "F 07 15 04 00 00 00 00 00", "sleep 15",
      "move 10 0", "sleep 30",
      "move 0 -7", "sleep 15",
      "F 07 15 00 00 00 00 00 00", "sleep 100",
      "F 07 16 00 FD 00 00 00 00", "sleep 20",
      "sleep 10", kReleaseButtons, "sleep 10", "F 07 15 00 00 00 00 00 00",
      "sleep 2"}));
}

TEST(Actions01, MacroCodeOutOfRangePlaysNothing) {
  struct Case { int code; int countOfGroup; };
  // Group 1 (block group 0) holds 2 macros; code 511 has index 255; group 14 does not exist.
  const Case cases[] = {{256 + 2, 2}, {511, 12}, {256 * 14, 12}};
  for (const Case& c : cases) {
    ActionRig rig(1);
    rig.macros.counts[settings::macroGroup(c.code)] = c.countOfGroup;
    rig.settings.buttons[0] = c.code;
    rig.tables.setButtonBlock(0, makeBlock({{4, 1, 0}}));
    rig.press(0);
    rig.pass();
    EXPECT_EQ(rig.log.lines(), (Lines{"sleep 2"})) << c.code;
  }
}

int keyPresses(const Lines& lines) {
  int n = 0;
  for (const auto& l : lines)
    if (l == "F 07 15 04 00 00 00 00 00" || l == "key 41 down scan 141") ++n;
  return n;
}

TEST(Actions, RepeatRule) {
  struct Case { int model; std::uint8_t options; unsigned repeat; int stopAfterSleeps; int presses; };
  const Case cases[] = {
      {0, 0, 7, 0, 1},     // options 0: once, whatever the count
      {1, 1, 3, 0, 3},     // other options: the repeat count
      {0, 4, 0, 0, 0},     // a count of 0 plays nothing
      {0, 2, 1, 9, 5},     // repeat until stopped: runs until the stop request
      {2, 1, 4, 0, 4},
      {2, 2, 0, 9, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "model " << c.model << " options " << int{c.options});
    ActionRig rig(c.model);
    const std::uint8_t key = c.model == 2 ? 0x41 : 4;
    const MacroBlock block = makeBlock({{key, 1, 15}, {key, 2, 15}}, c.options, c.repeat);
    rig.settings.buttons[0] = 0x100;
    rig.tables.setButtonBlock(0, block);
    rig.tables.setGroupBlock(0, 0, block);
    if (c.stopAfterSleeps) {
      rig.clock.onSleep = [&](int n) {
        if (n == c.stopAfterSleeps) rig.events.macroStopRequest = 1;
      };
    }
    rig.press(0);
    rig.pass();
    EXPECT_EQ(keyPresses(rig.log.lines()), c.presses);
    EXPECT_EQ(device::repetitions(block, c.model),
              c.options & 2 ? (c.model == 2 ? 100000 : 10000) : (c.options ? int(c.repeat) : 1));
  }
}

TEST(Actions01, BuiltInMacrosPlayOnceWhateverTheirMode) {
  ActionRig rig(0);
  rig.builtIns[5] = makeBlock({{4, 1, 15}, {4, 2, 15}}, 2, 9);
  rig.settings.buttons[2] = 36;  // close window: built-in slot 5
  rig.press(2);
  rig.pass();
  EXPECT_EQ(keyPresses(rig.log.lines()), 1);
  EXPECT_EQ(reportsOf(rig.log.lines()).back(), "F 07 15 00 00 00 00 00 00") << "released after";
}

// Second press and release during a macro, through the listener, step by step.
TEST(Actions01, SecondPressStopsInMode0AndReleaseStopsInOtherModes) {
  struct Case { int mode; bool secondPress; bool release; bool stops; };
  const Case cases[] = {
      {0, true, false, true},
      {0, false, true, false},  // the release does nothing in mode 0 (block without bit 1)
      {1, true, false, false},  // a second press is ignored in a nonzero mode
      {1, false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << (c.secondPress ? " press" : " release"));
    ActionRig rig(1);
    rig.settings.macroMode = c.mode;
    rig.settings.buttons[0] = 0x100;
    rig.settings.buttons[1] = 0x101;
    rig.tables.setButtonBlock(0, makeBlock({{4, 1, 15}, {4, 2, 15}}, 1, 6));
    rig.clock.onSleep = [&](int n) {
      if (n != 3) return;
      if (c.secondPress) rig.press(1);
      if (c.release) rig.release(0);
    };
    rig.press(0);
    rig.pass();
    EXPECT_EQ(keyPresses(rig.log.lines()), c.stops ? 2 : 6);
    EXPECT_EQ(reportsOf(rig.log.lines()).back(), "F 07 15 00 00 00 00 00 00") << "released after";
    EXPECT_EQ(rig.events.buttonEventPending, 0) << "the press during the macro is not queued";
    EXPECT_EQ(rig.events.macroStopRequest, 0);
  }
}

// ---- Model 2.

TEST(Actions2, DpiFunctionsAtTheLevelBoundaries) {
  struct Case { int action; int level; std::array<int, 4> enabled; int want; };
  const Case cases[] = {
      {-1, 0, {1, 1, 1, 1}, 0}, {-1, 3, {1, 1, 0, 1}, 1}, {-1, 2, {0, 0, 1, 1}, 2},
      {1, 3, {1, 1, 1, 1}, 3},  {1, 0, {1, 0, 0, 1}, 3},  {1, 1, {1, 1, 0, 0}, 1},
      {2, 3, {1, 1, 1, 1}, 0},  {2, 1, {1, 0, 0, 0}, 0},  {2, 2, {0, 0, 1, 0}, 2},
      {2, 1, {0, 0, 0, 0}, 1},  {2, 0, {0, 1, 0, 1}, 1},  {3, 2, {1, 1, 1, 1}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "action " << c.action << " at " << c.level);
    ActionRig rig(2);
    for (int j = 0; j < 4; ++j) {
      rig.settings.dpiEnabled[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(c.enabled[j]);
      rig.tables.dpiCodes[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(6 + 2 * j);
    }
    rig.settings.dpiLevel = c.level;
    rig.settings.ledMode = 2;
    rig.settings.buttons[1] = 6;
    rig.tables.hostDpiAction[1] = c.action;
    rig.press(1);
    rig.pass();
    EXPECT_EQ(rig.settings.dpiLevel, c.want);
    auto r = reportsOf(rig.log.lines());
    ASSERT_EQ(r.size(), 1u);
    char want[40];
    std::snprintf(want, sizeof want, "F 07 09 %02X %02X", c.want, ((6 + 2 * c.want + 8) * 16 + 2) & 0xFF);
    EXPECT_EQ(r[0].substr(0, 13), want);
    EXPECT_EQ(rig.saved(L"DPI_LEVEL"), std::to_string(c.want));
    EXPECT_EQ(rig.repaints, 1);
    if (c.action == 3) {
      Lines clicks;
      for (auto& l : rig.log.lines())
        if (l[0] != 'F') clicks.push_back(l);
      EXPECT_EQ(clicks, (Lines{"button L down", "sleep 10", "button L up", "sleep 50",
                               "button L down", "sleep 10", "button L up", "sleep 2"}));
    }
  }
}

TEST(Actions2, FixedHostFunctions) {
  struct Case { int code; Lines want; };
  const Case cases[] = {
      {28, {"key AD down scan 1AD", "key AD up scan 1AD"}},
      {30, {"run calc.exe 5"}},
      {31, {"key 11 down scan 00", "key 43 down scan 143", "sleep 20", "key 43 up scan 143",
            "key 11 up scan 00"}},
      {35, {"key 11 down scan 00", "key 46 down scan 146", "sleep 20", "key 46 up scan 146",
            "key 11 up scan 00"}},
      {36, {"key 12 down scan 00", "key 73 down scan 173", "key 73 up scan 173", "key 12 up scan 00"}},
      {37, {"open ::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"}},
      {38, {"lock"}},
      {40, {"run cmd.exe 5"}},
      {19, {}},
      {25, {}},  // the mouse sends this one itself on model 2
  };
  for (const Case& c : cases) {
    ActionRig rig(2);
    rig.settings.buttons[3] = c.code;
    rig.press(3);
    rig.pass();
    Lines want = c.want;
    want.push_back("sleep 2");
    EXPECT_EQ(rig.log.lines(), want) << c.code;
  }
}

TEST(Actions2, MacroKeysCarryScanCodesAndExtendedFlags) {
  ActionRig rig(2);
  rig.settings.buttons[0] = 0x205;
  rig.tables.setGroupBlock(1, 5, makeBlock({{0x2C, 1, 0}, {0x13, 1, 0}, {0x5B, 2, 0}, {0x25, 1, 0},
                                            {0xA3, 2, 0}, {0x41, 1, 0}, {0x41, 7, 0}}));
  rig.press(0);
  rig.pass();
  EXPECT_EQ(rig.log.lines(), (Lines{
      "key 2C down scan 37 ext", "sleep 15", "key 13 down scan 45", "sleep 15",
      "key 5B up scan 5B ext", "sleep 15", "key 25 down scan 125 ext", "sleep 15",
      "key A3 up scan 1A3 ext", "sleep 15", "key 41 down scan 141", "sleep 15",
      "sleep 15", "sleep 2"}));
  EXPECT_EQ(rig.events.currentMacro().group, 1);
  EXPECT_EQ(rig.events.currentMacro().index, 5);
}

TEST(Actions2, MouseButtonsFollowTheirStateAndAreReleasedAtTheEnd) {
  ActionRig rig(2);
  rig.input.down[0] = true;  // the left button is physically held
  rig.settings.buttons[0] = 0x100;
  rig.tables.setGroupBlock(0, 0, makeBlock({{240, 1, 0}, {241, 2, 0}, {242, 1, 0}, {250, 1, 0},
                                            {241, 1, 0}, {241, 2, 0}, {241, 1, 0}}));
  rig.press(0);
  rig.pass();
  EXPECT_EQ(rig.log.lines(), (Lines{
      "sleep 15", "sleep 15", "button M down", "sleep 15", "sleep 15",
      "button R down", "sleep 15", "button R up", "sleep 15", "button R down", "sleep 15",
      "button L up", "button R up", "button M up", "sleep 2"}));
}

TEST(Actions2, MovesUseTheKeyConversionAndStopIsTestedAfterEachEvent) {
  ActionRig rig(2);
  rig.settings.buttons[0] = 0x100;
  rig.tables.setGroupBlock(0, 0, makeBlock({{0x30, 0x81, 40}, {0x31, 0xF2, 0}, {0x32, 0x82, 0}}));
  rig.events.macroStopRequest = 1;  // set before the macro: the first event still plays
  rig.press(0);
  device::ActionContext c = rig.action();
  c.vkToUsage = [](std::uint8_t k) { return static_cast<std::uint8_t>(k - 0x20); };
  device::actionPass(c);
  EXPECT_EQ(rig.log.lines(), (Lines{"move 16 0", "sleep 40", "sleep 2"}));
}

TEST(Actions2, MacroOutsideTheBlockTablePlaysNothing) {
  for (int code : {256 + 12, 511, 256 * 14 + 1}) {
    ActionRig rig(2);
    rig.settings.buttons[0] = code;
    rig.press(0);
    rig.pass();
    EXPECT_EQ(rig.log.lines(), (Lines{"sleep 2"})) << code;
  }
}

}  // namespace
}  // namespace pyxom::test
