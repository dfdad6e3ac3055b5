// A whole download set-up on fakes: protocol on a recording transport, INI store, system
// settings and macro source that log into one event log.
#pragma once

#include <string>
#include <vector>

#include "device/Download.h"
#include "device/DownloadFakes.h"
#include "device/RecordingHidTransport.h"

namespace pyxom::test {

using device::ButtonTables;
using device::DownloadContext;
using device::ReportProtocol;

using Lines = std::vector<std::string>;

struct Profile {
  std::vector<std::int32_t> buttons;
  int dpiLevel = 0;
  std::array<std::uint8_t, 4> steps{};
  std::array<std::uint8_t, 4> enabled{1, 1, 1, 1};
  std::uint8_t led = 0;
  std::uint8_t pointer = 5;
  std::uint8_t wheel = 2;
  std::int32_t fire = 50;
};

struct Rig {
  test::EventLog log;
  test::RecordingHidTransport transport{&log};
  test::RecordingClock clock{&log};
  test::LoggingProfile ini{&log};
  test::LoggingSystemSettings system{&log};
  test::TaggingMacroSource macros;
  ButtonTables tables;
  settings::MouseSettings settings;
  settings::ButtonLayout layout;
  int model;
  int profile = 2;
  ReportProtocol protocol;

  explicit Rig(int m, std::vector<std::uint8_t> keyIndices = {1, 2, 3, 5, 4})
      : model(m), protocol(transport, 42, 8, clock) {
    layout.keyCount = static_cast<int>(keyIndices.size());
    for (std::size_t i = 0; i < keyIndices.size(); ++i) layout.deviceKeyIndex[i] = keyIndices[i];
  }

  void load(const Profile& p) {
    for (std::size_t i = 0; i < p.buttons.size(); ++i) settings.buttons[i] = p.buttons[i];
    settings.dpiLevel = p.dpiLevel;
    for (std::size_t j = 0; j < 4; ++j) {
      settings.dpiStep[j] = p.steps[j];
      settings.dpiEnabled[j] = p.enabled[j];
    }
    settings.ledMode = p.led;
    settings.pointerSpeed = p.pointer;
    settings.wheelSpeed = p.wheel;
    settings.fireInterval = p.fire;
  }

  DownloadContext context() {
    return DownloadContext{protocol, settings, layout, model, ini, L"C:\\pyxom\\config.ini", profile,
                           macros, system, tables,
                           [this] { log.add("flush macro page"); },
                           [this] { log.add("repaint"); },
                           [this](int level) { log.add("led preview " + std::to_string(level)); }};
  }

  Lines download() {
    log.clear();
    device::downloadConfiguration(context());
    return log.lines();
  }
};

}  // namespace pyxom::test
