#include "device/Download.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "device/DownloadRig.h"
#include "settings/FunctionCodes.h"

namespace pyxom::device {
namespace {

using test::Lines;
using test::Profile;
using test::Rig;

// Whole downloads, byte by byte, including bytes that earlier reports left in the buffer.
struct TraceCase {
  const char* name;
  int model;
  Profile profile;
  std::vector<std::uint8_t> heldBefore;  // keys pressed through the protocol before the download
  Lines expected;
};

TEST(Download, WholeTracePerModel) {
  const std::vector<TraceCase> cases = {
      {"model 0: clicks, DPI cycle, volume, macro; level 2 disabled",
       0,
       {{1, 2, 6, 25, 0x203}, 1, {3, 5, 6, 8}, {1, 1, 0, 1}, 2, 5, 2, 50},
       {},
       {"flush macro page", "ini Init CurConfig=2", "ini Config6",
        "F 07 10 01 01 00 00 00 00", "F 07 10 02 02 00 00 00 00", "F 07 10 03 06 00 00 00 00",
        "F 07 10 05 00 00 00 00 00", "F 07 10 04 00 00 00 00 00",
        "get pointer speed", "set pointer speed 10", "get wheel lines", "set wheel lines 3",
        "F 07 12 00 03 00 00 00 00", "ini Config2", "F 07 13 7F 16 00 00 00 00", "repaint",
        "F 07 11 00 00 00 00 00 00",
        "F 07 09 01 48 0B 00 00 00", "F 07 09 01 69 0B 00 00 00", "F 07 09 01 8A 0B 00 00 00",
        "F 07 09 01 CB 0B 00 00 00"}},
      {"model 1: rate cycle, DPI up and down, cmd; codes above 15; keys left in the buffer",
       1,
       {{1, 14, 15, 16, 40}, 3, {0, 10, 15, 16}, {1, 0, 1, 0}, 3, 9, 255, 300},
       {4, 5, 6, 7, 8, 9},
       {"flush macro page", "ini Init CurConfig=2", "ini Config6",
        "F 07 10 01 01 06 07 08 09", "F 07 10 02 0A 06 07 08 09", "F 07 10 03 0B 06 07 08 09",
        "F 07 10 05 0C 06 07 08 09", "F 07 10 04 00 06 07 08 09",
        "get pointer speed", "set pointer speed 18", "get wheel lines", "set wheel lines 0",
        "F 07 12 00 12 00 00 08 09", "ini Config2", "F 07 13 7F 17 00 00 08 09", "repaint",
        "F 07 11 00 00 00 00 08 09",
        "F 07 09 03 18 05 00 08 09", "F 07 09 03 C9 05 00 08 09", "F 07 09 43 1A 05 00 08 09",
        "F 07 09 43 2B 05 00 08 09"}},
      {"model 2: code 14 and macro index 12 send no button report; DPI current at the end",
       2,
       {{1, 14, 6, 0x20C, 0x205}, 2, {0, 1, 2, 4}, {1, 1, 1, 1}, 1, 0, 2, 50},
       {},
       {"flush macro page", "ini Init CurConfig=2", "ini Config6",
        "F 07 10 01 01 00 00 00 00", "F 07 10 03 1F 00 00 00 00", "F 07 10 04 1F 00 00 00 00",
        "get pointer speed", "set pointer speed 1", "get wheel lines", "set wheel lines 3",
        "F 07 12 06 00 00 00 00 00", "ini Config2", "F 07 13 7F 13 00 00 00 00", "repaint",
        "led preview 2", "F 07 11 00 00 00 00 00 00",
        "F 07 09 02 68 0F 00 00 00", "F 07 09 02 89 0F 00 00 00", "F 07 09 02 AA 0F 00 00 00",
        "F 07 09 02 DB 0F 00 00 00", "F 07 09 02 21 0F 00 00 00", "repaint"}},
      {"model 2: host functions, multimedia values, level 0 with LED 0",
       2,
       {{19, 21, 29, 26, 1}, 0, {4, 3, 0, 1}, {0, 0, 0, 0}, 0, 8, 0, 2047},
       {},
       {"flush macro page", "ini Init CurConfig=2", "ini Config6",
        "F 07 10 01 1F 00 00 00 00", "F 07 10 02 0A 00 00 00 00", "F 07 10 03 0F 00 00 00 00",
        "F 07 10 05 11 00 00 00 00", "F 07 10 04 01 00 00 00 00",
        "get pointer speed", "set pointer speed 16", "get wheel lines", "set wheel lines 1",
        "F 07 12 FF 00 00 00 00 00", "ini Config2", "F 07 13 7F 10 00 00 00 00", "repaint",
        "led preview 0", "F 07 11 00 00 00 00 00 00",
        "F 07 09 00 D8 00 00 00 00", "F 07 09 00 C9 00 00 00 00", "F 07 09 00 6A 00 00 00 00",
        "F 07 09 00 8B 00 00 00 00", "F 07 09 00 50 00 00 00 00", "repaint"}},
  };
  for (const auto& c : cases) {
    Rig rig(c.model);
    rig.load(c.profile);
    for (auto key : c.heldBefore) rig.protocol.pressKey(key, 1);
    EXPECT_EQ(rig.download(), c.expected) << c.name;
  }
}

TEST(Download, SecondDownloadStartsFromTheBytesTheFirstLeft) {
  Rig rig(2, {1, 2});
  rig.load({{1, 0}, 3, {0, 1, 2, 4}, {1, 0, 1, 1}, 3, 5, 2, 50});
  rig.download();
  const Lines again = rig.download();
  // Byte 4 still holds the enable mask of the last DPI reports.
  EXPECT_EQ(again[3], "F 07 10 01 01 0D 00 00 00");
  EXPECT_EQ(again[4], "F 07 10 02 00 0D 00 00 00");
  EXPECT_EQ(again.back(), "repaint");
}

TEST(Download, StoresTheProfileAsSentAndAsCurrent) {
  Rig rig(1);
  rig.profile = 4;
  rig.load({{1, 2, 3, 4, 5}, 2, {1, 2, 3, 4}, {1, 1, 1, 0}, 1, 6, 4, 100});
  rig.download();
  EXPECT_EQ(rig.ini.value(L"Init", L"CurConfig"), L"4");
  for (const wchar_t* section : {L"Config6", L"Config4"}) {
    EXPECT_EQ(rig.ini.value(section, L"K4"), L"5") << test::narrow(section);
    EXPECT_EQ(rig.ini.value(section, L"DPI_LEVEL"), L"2");
    EXPECT_EQ(rig.ini.value(section, L"DPI_F_SET3"), L"4");
    EXPECT_EQ(rig.ini.value(section, L"FIRE_TIME"), L"100");
  }
}

TEST(Download, FailedSystemQuerySkipsOnlyItsSetting) {
  Rig rig(0);
  rig.load({{1}, 0, {}, {}, 0, 7, 9, 50});
  rig.system.pointerQueryWorks = false;
  Lines lines = rig.download();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "set pointer speed 14"), 0);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "set wheel lines 10"), 1);

  rig.system.pointerQueryWorks = true;
  rig.system.wheelQueryWorks = false;
  lines = rig.download();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "set pointer speed 14"), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "set wheel lines 10"), 0);
}

TEST(Download, SystemSettingTables) {
  const std::vector<std::pair<int, int>> speeds = {{0, 1}, {1, 2}, {2, 4}, {3, 6}, {4, 8},  {5, 10},
                                                   {6, 12}, {7, 14}, {8, 16}, {9, 18}, {200, 18}, {255, 18}};
  for (auto [setting, speed] : speeds) {
    EXPECT_EQ(systemPointerSpeed(static_cast<std::uint8_t>(setting)), speed) << setting;
  }
  EXPECT_EQ(wheelScrollLines(0), 1u);
  EXPECT_EQ(wheelScrollLines(2), 3u);
  EXPECT_EQ(wheelScrollLines(254), 255u);
  EXPECT_EQ(wheelScrollLines(255), 0u);
}

TEST(Download, ButtonTablesModels0And1) {
  Rig rig(0, {1, 2, 3, 4, 5, 6, 7});
  rig.load({{6, 15, 16, 14, 0x203, 1, 256}});
  rig.download();
  const std::vector<bool> dpi = {true, true, true, false, false, false, false};
  const std::vector<bool> rate = {false, false, false, true, false, false, false};
  for (std::size_t i = 0; i < dpi.size(); ++i) {
    EXPECT_EQ(rig.tables.dpiReportFlag[i], dpi[i]) << i;
    EXPECT_EQ(rig.tables.rateCycleFlag[i], rate[i]) << i;
  }
  EXPECT_EQ(rig.tables.copyButtonBlock(4), test::TaggingMacroSource::tagged(0x203, 1));
  EXPECT_EQ(rig.tables.copyButtonBlock(6), test::TaggingMacroSource::tagged(256, 1));
  EXPECT_EQ(rig.tables.copyButtonBlock(5), MacroBlock{});
  EXPECT_EQ(rig.macros.buttonCalls, 2);
  EXPECT_EQ(rig.macros.groupCalls, 0);
  EXPECT_EQ(rig.tables.dpiCodes[0], 1);  // step 0 of model 0

  // A later download with no macro on button 4 empties its block; DPI codes follow the steps.
  rig.settings.buttons[4] = 25;
  rig.settings.dpiStep[0] = 11;
  rig.download();
  EXPECT_EQ(rig.tables.copyButtonBlock(4), MacroBlock{});
  EXPECT_EQ(rig.tables.dpiCodes[0], 15);
}

TEST(Download, ButtonTablesModel2) {
  Rig rig(2, {1, 2, 3, 4, 5, 6, 7, 8});
  // 14 * 256 names group 13, beyond the table: a button report is sent but no block filled.
  rig.load({{6, 15, 16, 12, 0x205, 0x20C, 14 * 256 + 1, 0xD0B}});
  rig.download();
  const std::vector<int> actions = {2, 1, -1, 3, 0, 0, 0, 0};
  for (std::size_t i = 0; i < actions.size(); ++i) EXPECT_EQ(rig.tables.hostDpiAction[i], actions[i]) << i;
  EXPECT_EQ(rig.tables.copyGroupBlock(1, 5), test::TaggingMacroSource::tagged(0x205, 2));
  EXPECT_EQ(rig.tables.copyGroupBlock(12, 11), test::TaggingMacroSource::tagged(0xD0B, 2));
  EXPECT_EQ(rig.macros.groupCalls, 2);
  EXPECT_EQ(rig.macros.buttonCalls, 0);
}

TEST(Download, OutOfRangeStoredValuesStayInsideTheTables) {
  // Only an edited config.ini holds these: a DPI step beyond the table, a level beyond 3, an
  // LED mode beyond 3. Each gives a defined report and no lookup leaves its table.
  Rig rig(2, {1});
  rig.load({{1}, 9, {200, 5, 4, 0}, {1, 1, 1, 1}, 7, 5, 2, 50});
  const Lines lines = rig.download();
  EXPECT_EQ(rig.tables.dpiCodes[0], 13);  // last entry of model 2's table
  EXPECT_EQ(rig.tables.dpiCodes[1], 13);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "F 07 13 7F 10 00 00 00 00"), lines.end());
  // DPI current for level 9 carries the level as given and the code of level 0.
  EXPECT_EQ(lines[lines.size() - 2], "F 07 09 09 57 0F 00 00 00");
}

TEST(Download, StartUpPaintsWaitsThenDownloads) {
  Rig rig(0, {1});
  rig.load({{1}});
  rig.log.clear();
  downloadAfterFirstPaint(rig.context(), [&] { rig.log.add("invalidate"); }, rig.clock);
  const Lines lines = rig.log.lines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "invalidate");
  EXPECT_EQ(lines[1], "sleep 5");
  EXPECT_EQ(lines[2], "flush macro page");
  // The download itself never pauses.
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "sleep 5"), 1);
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](auto& l) { return l.rfind("sleep", 0) == 0; }), 1);
}

}  // namespace
}  // namespace pyxom::device
