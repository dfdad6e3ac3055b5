// A download received by the simulated mouse leaves it in the state of the profile, and the
// emulation reports reach it as keys, buttons and consumer keys.
#include <gtest/gtest.h>

#include "device/DownloadRig.h"
#include "device/DpiCodes.h"
#include "settings/FunctionCodes.h"
#include "sim/SimFirmware.h"

namespace pyxom::device {
namespace {

struct SimCase {
  int model;
  test::Profile profile;
};

TEST(DownloadToSimulatedMouse, DecodedStateEqualsTheProfile) {
  const std::vector<SimCase> cases = {
      {0, {{1, 2, 6, 25, 0x203}, 1, {3, 5, 6, 11}, {1, 1, 0, 1}, 2, 5, 2, 50}},
      {0, {{3, 1, 14, 40, 16}, 0, {0, 0, 0, 0}, {0, 0, 0, 0}, 0, 0, 0, 8}},
      {1, {{1, 14, 15, 16, 40}, 3, {0, 10, 15, 16}, {1, 0, 1, 0}, 3, 9, 255, 300}},
      {1, {{12, 13, 11, 1, 0x305}, 2, {16, 16, 1, 2}, {0, 1, 1, 1}, 1, 4, 3, 5000}},
      {2, {{1, 14, 6, 0x20C, 0x205}, 2, {0, 1, 2, 4}, {1, 1, 1, 1}, 1, 0, 2, 50}},
      {2, {{19, 21, 29, 26, 1}, 3, {4, 3, 0, 1}, {0, 1, 0, 1}, 3, 8, 0, 2047}},
  };
  for (const auto& c : cases) {
    test::Rig rig(c.model);
    sim::SimFirmware mouse(c.model);
    rig.transport.onReport = [&](const std::uint8_t* d, std::size_t n) { mouse.onFeatureReport(d, n); };
    rig.load(c.profile);
    rig.download();
    const sim::SimState& s = mouse.state();
    const std::string name = "model " + std::to_string(c.model) + " buttons " + std::to_string(c.profile.buttons[0]);
    for (std::size_t i = 0; i < c.profile.buttons.size(); ++i) {
      const auto key = rig.layout.deviceKeyIndex[i];
      const auto value = settings::deviceValue(c.profile.buttons[i], c.model);
      EXPECT_EQ(s.buttonMapped[key], value.has_value()) << name << " button " << i;
      if (value) {
        EXPECT_EQ(s.buttonMap[key], *value) << name << " button " << i;
      }
    }
    std::uint8_t mask = 0;
    for (std::size_t j = 0; j < 4; ++j) {
      EXPECT_EQ(s.dpiCodes[j], dpiCode(c.model, c.profile.steps[j])) << name << " level " << j;
      if (c.profile.enabled[j]) mask = static_cast<std::uint8_t>(mask | (1u << j));
    }
    EXPECT_EQ(s.enableMask, mask) << name;
    EXPECT_EQ(s.currentLevel, c.profile.dpiLevel) << name;
    EXPECT_EQ(s.ledMode, c.profile.led) << name;
    const int unit = c.model == 2 ? 8 : 16;
    EXPECT_EQ(s.fireInterval, c.profile.fire / unit * unit) << name;
    EXPECT_EQ(s.report11, 1) << name;
    EXPECT_EQ(s.rejectedReports, 0) << name;
    EXPECT_FALSE(s.exited) << name;
  }
}

TEST(DownloadToSimulatedMouse, EmulationReachesTheMouseAsHostInput) {
  test::Rig rig(1);
  sim::SimFirmware mouse(1);
  rig.transport.onReport = [&](const std::uint8_t* d, std::size_t n) { mouse.onFeatureReport(d, n); };
  rig.protocol.pressKey(0xE0, 1);  // Ctrl
  rig.protocol.pressKey(0x06, 1);  // C
  EXPECT_EQ(mouse.keyboardReport(), (std::array<std::uint8_t, 8>{0x01, 0, 0x06, 0, 0, 0, 0, 0}));
  rig.protocol.pressKey(0xF1, 1);
  EXPECT_EQ(mouse.pointerButtons(), 0x02);
  rig.protocol.sendConsumer(0x192);
  EXPECT_EQ(mouse.state().consumerKeys, (std::vector<std::uint16_t>{0x192}));
  rig.protocol.releaseAll();
  EXPECT_EQ(mouse.keyboardReport(), (std::array<std::uint8_t, 8>{}));
  EXPECT_EQ(mouse.pointerButtons(), 0);
  rig.protocol.sendExitReport();
  EXPECT_TRUE(mouse.state().exited);
}

}  // namespace
}  // namespace pyxom::device
