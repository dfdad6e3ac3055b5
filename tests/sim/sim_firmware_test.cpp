#include "sim/SimFirmware.h"

#include <gtest/gtest.h>

#include <vector>

namespace pyxom::sim {
namespace {

void feed(SimFirmware& fw, std::vector<std::uint8_t> bytes) {
  bytes.resize(SimFirmware::kFeatureReportLength, 0);
  fw.onFeatureReport(bytes.data(), bytes.size());
}

TEST(SimFirmware, DecodesConfigurationReports) {
  SimFirmware fw(1);
  feed(fw, {7, 0x10, 1, 1});
  feed(fw, {7, 0x10, 4, 0});
  feed(fw, {7, 0x10, 4, 6});  // a later report for the same index wins
  feed(fw, {7, 0x09, 0x41, 0x1A, 0x0B});  // level 2, code 17, current 1
  feed(fw, {7, 0x09, 0x01, 0x38, 0x0B});  // level 0, code 3
  feed(fw, {7, 0x13, 0x7F, 0x16});
  feed(fw, {7, 0x12, 0x00, 0x12});
  feed(fw, {7, 0x11, 0, 0});
  const SimState& s = fw.state();
  EXPECT_TRUE(s.buttonMapped[1]);
  EXPECT_EQ(s.buttonMap[1], 1);
  EXPECT_EQ(s.buttonMap[4], 6);
  EXPECT_FALSE(s.buttonMapped[2]);
  EXPECT_EQ(s.dpiCodes[2], 17);
  EXPECT_EQ(s.dpiCodes[0], 3);
  EXPECT_EQ(s.currentLevel, 1);
  EXPECT_EQ(s.enableMask, 0x0B);
  EXPECT_EQ(s.ledMode, 2);
  EXPECT_EQ(s.fireUnits, 0x12);
  EXPECT_EQ(s.fireInterval, 288);
  EXPECT_EQ(s.report11, 1);
  EXPECT_EQ(s.featureReports, 8);
  EXPECT_EQ(s.rejectedReports, 0);
}

TEST(SimFirmware, Model2DpiCurrentAndFire) {
  SimFirmware fw(2);
  feed(fw, {7, 0x09, 0x00, 0xD8, 0x0F});  // level 0, code 13
  feed(fw, {7, 0x09, 0x01, 0x02});        // current 1, code 8, LED mode 2
  feed(fw, {7, 0x12, 0x06});
  EXPECT_EQ(fw.state().dpiCodes[0], 13);
  EXPECT_EQ(fw.state().dpiCodes[1], 8);
  EXPECT_EQ(fw.state().currentLevel, 1);
  EXPECT_EQ(fw.state().ledMode, 2);
  EXPECT_EQ(fw.state().fireInterval, 48);
  EXPECT_EQ(fw.state().rejectedReports, 0);
}

TEST(SimFirmware, EmulationBecomesHostKeysAndButtons) {
  SimFirmware fw(0);
  int changes = 0;
  fw.onEmulationChanged = [&](const SimState&) { ++changes; };
  feed(fw, {7, 0x15, 0xE0, 0x06, 0xE5, 0x19, 0, 0});  // Ctrl, C, right Shift, V
  EXPECT_EQ(fw.keyboardReport(), (std::array<std::uint8_t, 8>{0x21, 0, 0x06, 0x19, 0, 0, 0, 0}));
  feed(fw, {7, 0x16, 0x33, 0xFA});  // left and middle down
  EXPECT_EQ(fw.pointerButtons(), 0x05);
  feed(fw, {7, 0x17, 0x00, 0xE9});
  feed(fw, {7, 0x17, 0x02, 0x23});
  EXPECT_EQ(fw.state().consumerKeys, (std::vector<std::uint16_t>{0xE9, 0x223}));
  EXPECT_EQ(changes, 4);
  feed(fw, {7, 0x20, 0, 0});
  EXPECT_TRUE(fw.state().exited);
}

TEST(SimFirmware, GarbageIsCountedAndChangesNothing) {
  SimFirmware fw(0);
  feed(fw, {7, 0x10, 2, 5});
  const std::string before = fw.describeState();
  const std::vector<std::vector<std::uint8_t>> garbage = {
      {6, 0x10, 2, 9},          // wrong report id
      {7, 0x44, 1, 1},          // unknown command
      {7, 0x09, 0x01, 0x32},    // DPI with a level nibble that no level has (model 0)
      {7, 0x13, 0x00, 0x16},    // LED without 0x7F
      {7, 0x13, 0x7F, 0x11},    // LED code of no mode
  };
  for (const auto& g : garbage) feed(fw, g);
  std::uint8_t tiny[3] = {7, 0x10, 2};
  fw.onFeatureReport(tiny, sizeof tiny);
  fw.onFeatureReport(nullptr, 0);
  EXPECT_EQ(fw.state().rejectedReports, 7);
  EXPECT_EQ(fw.state().buttonMap[2], 5);
  // Only the report counters differ.
  auto withoutCounters = [](std::string s) {
    return s.substr(0, s.find("featureReports="));
  };
  EXPECT_EQ(withoutCounters(fw.describeState()), withoutCounters(before));
}

TEST(SimFirmware, DescribeStateListsEveryField) {
  SimFirmware fw(2);
  feed(fw, {7, 0x10, 3, 0});
  feed(fw, {7, 0x10, 1, 1});
  feed(fw, {7, 0x15, 4, 5, 0, 0, 0, 0});
  feed(fw, {7, 0x17, 0x00, 0xEA});
  EXPECT_EQ(fw.describeState(),
            "model=2\n"
            "button.1=1\n"
            "button.3=0\n"
            "dpiCode.0=0\ndpiCode.1=0\ndpiCode.2=0\ndpiCode.3=0\n"
            "enableMask=0\n"
            "level=0\n"
            "led=-1\n"
            "ledCode=-1\n"
            "fire=-1\n"
            "fireUnits=-1\n"
            "keys=4,5,0,0,0,0\n"
            "buttonState=255\n"
            "buttons=0\n"
            "consumer=234\n"
            "report11=0\n"
            "exited=0\n"
            "featureReports=4\n"
            "rejectedReports=0\n");
}

}  // namespace
}  // namespace pyxom::sim
