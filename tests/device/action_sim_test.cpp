// The listener and action threads running against the simulated mouse.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "device/ActionFakes.h"
#include "device/ActionWorkers.h"
#include "device/DeviceLink.h"
#include "sim/SimHidTransport.h"

namespace pyxom::test {
namespace {

class NoNotifications : public platform::DeviceNotifications {
 public:
  void registerHidInterfaceNotifications() override {}
};

template <typename Pred>
bool waitFor(Pred pred, int ms = 5000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    if (pred()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return pred();
}

// Removed after the simulated mouse that writes it has closed it.
struct TempTrace {
  explicit TempTrace(const char* name)
      : path((std::filesystem::temp_directory_path() / (std::string("pyxom-") + name + ".trace")).string()) {
    std::error_code ec;
    std::filesystem::remove(path, ec);  // the trace appends
  }
  ~TempTrace() {
    std::error_code ec;
    if (!std::getenv("KEEP_TRACE")) std::filesystem::remove(path, ec);
  }
  std::string path;
};

struct SimRig {
  TempTrace trace;
  std::string tracePath;
  sim::SimHidTransport sim;
  device::DeviceLink link{sim};
  EventLog log;
  LoggingProfile ini;
  LoggingHostInput input{log};
  LoggingShell shell{log};
  CountedMacros macros;
  device::ButtonTables tables;
  device::ButtonEvents events;
  settings::MouseSettings settings;
  settings::ButtonLayout layout;
  settings::Shared<int> profile{1};
  std::unique_ptr<device::ReportProtocol> protocol;
  std::unique_ptr<device::ActionWorkers> workers;

  explicit SimRig(int model, const char* name)
      : trace(name), tracePath(trace.path), sim(model, tracePath) {
    NoNotifications n;
    EXPECT_TRUE(link.discover(n));
    protocol = std::make_unique<device::ReportProtocol>(
        sim, link.writeHandle(), link.outputCaps().featureReportByteLength, platform::systemClock());
    layout.keyCount = 3;
    layout.deviceKeyIndex = {1, 2, 3};
  }
  ~SimRig() { workers.reset(); }
  // Button i gets `code`; the mouse learns device value 0 for it (models 0, 1).
  void assign(int i, settings::ButtonFunction code) {
    settings.buttons[static_cast<std::size_t>(i)] = code;
    protocol->sendButtonFunction(layout.deviceKeyIndex[static_cast<std::size_t>(i)], 0);
  }
  void start() {
    const device::ListenerContext l{sim, link.readHandle(), link.inputCaps().inputReportByteLength,
                                    link.model(), events, tables, settings, platform::systemClock()};
    const device::ActionContext a{*protocol, events, tables, settings, layout, link.model(), macros,
                                  {}, {}, ini, L"C:\\p\\config.ini", profile, input, shell,
                                  platform::systemClock(), {}, nullptr};
    workers = std::make_unique<device::ActionWorkers>(l, a);
    workers->start();
  }
  Lines keyReports() {
    Lines r;
    std::ifstream in(tracePath);
    for (std::string line; std::getline(in, line);)
      if (line.rfind("F 07 15", 0) == 0) r.push_back(line.substr(8));
    return r;
  }
  bool sawReleaseAll() {
    std::ifstream in(tracePath);
    bool buttons = false;
    for (std::string line; std::getline(in, line);) {
      // Byte 2 keeps what an earlier report left in the buffer.
      if (line.rfind("F 07 16 ", 0) == 0 && line.substr(11, 2) == "FF") buttons = true;
      if (buttons && line == "F 07 15 00 00 00 00 00 00") return true;
    }
    return false;
  }
};

TEST(ActionSim, VolumeDownButtonMakesTheMouseSendTheConsumerReport) {
  SimRig rig(0, "consumer");
  rig.assign(1, 25);
  rig.start();
  rig.sim.pressButton(2);
  rig.sim.releaseButton(2);
  ASSERT_TRUE(waitFor([&] { return !rig.sim.state().consumerKeys.empty(); }));
  EXPECT_EQ(rig.sim.state().consumerKeys, (std::vector<std::uint16_t>{0xEA}));
  rig.workers->stop();
  EXPECT_FALSE(rig.workers->running());
}

TEST(ActionSim, MacroPlaysItsStepsInOrder) {
  SimRig rig(1, "order");
  rig.assign(0, 0x100);
  rig.tables.setButtonBlock(0, makeBlock({{4, 1, 15}, {5, 1, 15}, {4, 2, 15}, {6, 1, 15}, {5, 2, 15}, {6, 2, 15}}));
  rig.start();
  rig.sim.pressButton(1);
  ASSERT_TRUE(waitFor([&] { return rig.sawReleaseAll(); }));
  EXPECT_EQ(rig.keyReports(), (Lines{"04 00 00 00 00 00", "04 05 00 00 00 00", "05 00 00 00 00 00",
                                     "05 06 00 00 00 00", "06 00 00 00 00 00", "00 00 00 00 00 00",
                                     "00 00 00 00 00 00"}));
}

TEST(ActionSim, LongMacroStopsOnTheSecondPressInMode0AndOnReleaseOtherwise) {
  for (int mode : {0, 1}) {
    SCOPED_TRACE(mode);
    SimRig rig(0, mode ? "stop-release" : "stop-press");
    rig.settings.macroMode = mode;
    rig.assign(2, 0x201);
    rig.tables.setButtonBlock(2, makeBlock({{4, 1, 15}, {4, 2, 15}}, 1, 1000));
    rig.start();
    rig.sim.pressButton(3);
    ASSERT_TRUE(waitFor([&] { return rig.keyReports().size() >= 4; }));
    rig.sim.releaseButton(3);
    if (mode == 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(80));
      EXPECT_FALSE(rig.sawReleaseAll()) << "the release does not stop it in mode 0";
      rig.sim.pressButton(3);
      rig.sim.releaseButton(3);
    }
    ASSERT_TRUE(waitFor([&] { return rig.sawReleaseAll(); }, 2000));
    const auto played = rig.keyReports().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(rig.keyReports().size(), played) << "nothing plays after the stop";
  }
}

TEST(ActionSim, StopEndsAPlayingMacroAndTheBlockedRead) {
  SimRig rig(2, "quit");
  rig.settings.buttons[0] = 0x100;
  rig.protocol->sendButtonFunction(1, 31);
  rig.tables.setGroupBlock(0, 0, makeBlock({{0x41, 1, 60000}}, 2));
  rig.start();
  rig.sim.pressButton(1);
  ASSERT_TRUE(waitFor([&] { return !rig.log.lines().empty(); }));
  const auto t0 = std::chrono::steady_clock::now();
  rig.workers->stop();
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));
  EXPECT_FALSE(rig.workers->running());
}

}  // namespace
}  // namespace pyxom::test
