// Which physical buttons the simulated mouse reports to the host, and its own DPI functions.
#include <gtest/gtest.h>

#include "sim/SimFirmware.h"

namespace pyxom::sim {
namespace {

void mapButton(SimFirmware& fw, int keyIndex, std::uint8_t value) {
  const std::uint8_t r[8] = {7, 0x10, static_cast<std::uint8_t>(keyIndex), value};
  fw.onFeatureReport(r, sizeof r);
}

void setLevels(SimFirmware& fw, int current, std::uint8_t mask) {
  for (int j = 0; j < 4; ++j) {
    const std::uint8_t r[8] = {7, 0x09, static_cast<std::uint8_t>(current),
                               static_cast<std::uint8_t>(0x10 + 8 + j), mask};
    fw.onFeatureReport(r, sizeof r);
  }
}

TEST(SimButtons, OnlyButtonsLeftToTheHostAreReported) {
  struct Case { int model; std::uint8_t value; bool reported; };
  const Case cases[] = {
      {0, 0, true}, {1, 0, true}, {0, 10, true},  // rate cycle: the host records it
      {0, 1, false}, {1, 7, false}, {0, 31, false},
      {2, 31, true}, {2, 0, false}, {2, 14, false}, {2, 6, false},
  };
  for (const Case& c : cases) {
    SimFirmware fw(c.model);
    mapButton(fw, 3, c.value);
    auto press = fw.onButton(3, true);
    auto release = fw.onButton(3, false);
    ASSERT_EQ(press.size(), c.reported ? 1u : 0u) << c.model << "/" << int{c.value};
    ASSERT_EQ(release.size(), press.size());
    if (!c.reported) continue;
    EXPECT_EQ(press[0], (Report{6, 0xF3, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(release[0], (Report{6, 0xF3, 0x80, 0, 0, 0, 0, 0}));
  }
  SimFirmware fw(0);
  EXPECT_TRUE(fw.onButton(2, true).empty()) << "a button the host never mapped";
  EXPECT_TRUE(fw.onButton(16, true).empty());
  EXPECT_EQ(fw.toggleReport()[1], 0xF0);
}

TEST(SimButtons, OwnDpiFunctionsMoveOverEnabledLevelsAndReportTheNewLevel) {
  struct Case { std::uint8_t value; int from; std::uint8_t mask; int to; };
  const Case cases[] = {
      {6, 3, 0x0F, 0}, {6, 0, 0x09, 3}, {6, 1, 0x02, 1},   // cycle
      {11, 1, 0x0B, 3}, {11, 3, 0x0F, 3},                  // up
      {12, 2, 0x0D, 0}, {12, 0, 0x0F, 0},                  // down
  };
  for (const Case& c : cases) {
    SimFirmware fw(1);
    mapButton(fw, 5, c.value);
    setLevels(fw, c.from, c.mask);
    auto press = fw.onButton(5, true);
    ASSERT_EQ(press.size(), 1u);
    EXPECT_EQ(press[0][1], 0xF5);
    EXPECT_EQ(press[0][2], c.to) << int{c.value} << " from " << c.from;
    EXPECT_EQ(fw.state().currentLevel, c.to);
    EXPECT_EQ(fw.onButton(5, false)[0][2], 0x80) << "the release changes nothing";
    EXPECT_EQ(fw.state().currentLevel, c.to);
  }
}

}  // namespace
}  // namespace pyxom::sim
