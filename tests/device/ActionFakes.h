// Fakes for the listener and action tests: host input and shell that log into the event
// log, a clock whose sleeps can run a hook (to raise a stop in the middle of a macro), and a
// whole listener + action set-up on a recording transport.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "device/ActionThread.h"
#include "device/ButtonListener.h"
#include "device/DownloadFakes.h"
#include "device/RecordingHidTransport.h"

namespace pyxom::test {

using Lines = std::vector<std::string>;

class LoggingHostInput : public platform::HostInput {
 public:
  explicit LoggingHostInput(EventLog& log) : log_(log) {}
  void keyEvent(std::uint8_t vk, std::uint16_t scan, bool up, bool ext) override {
    log_.add("key " + hex(vk) + (up ? " up" : " down") + " scan " + hex(scan) + (ext ? " ext" : ""));
  }
  void mouseButton(platform::MouseButton b, bool up) override {
    down[static_cast<int>(b)] = !up;
    log_.add(std::string("button ") + "LRM"[static_cast<int>(b)] + (up ? " up" : " down"));
  }
  void mouseMove(int dx, int dy) override {
    log_.add("move " + std::to_string(dx) + " " + std::to_string(dy));
  }
  bool isButtonDown(platform::MouseButton b) override { return down[static_cast<int>(b)]; }
  std::uint16_t scanCode(std::uint8_t vk) override { return static_cast<std::uint16_t>(vk + 0x100); }
  static std::string hex(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X", v);
    return buf;
  }
  bool down[3] = {false, false, false};

 private:
  EventLog& log_;
};

class LoggingShell : public platform::HostShell {
 public:
  explicit LoggingShell(EventLog& log) : log_(log) {}
  bool runProgram(const std::wstring& cmd, int show) override {
    log_.add("run " + narrow(cmd) + " " + std::to_string(show));
    return false;  // failures change nothing
  }
  bool openShellFolder(const std::wstring& target) override {
    log_.add("open " + narrow(target));
    return false;
  }
  bool lockWorkstation() override {
    log_.add("lock");
    return false;
  }

 private:
  EventLog& log_;
};

class HookClock : public platform::Clock {
 public:
  explicit HookClock(EventLog& log) : log_(log) {}
  std::uint64_t nowMs() override { return now_; }
  void sleepMs(unsigned ms) override {
    now_ += ms;
    log_.add("sleep " + std::to_string(ms));
    ++sleeps;
    if (onSleep) onSleep(sleeps);
  }
  std::function<void(int sleeps)> onSleep;
  int sleeps = 0;

 private:
  EventLog& log_;
  std::uint64_t now_ = 0;
};

// A block from (key, action, delay) steps.
struct MacroStep {
  std::uint8_t key, action;
  unsigned delay;
};
inline device::MacroBlock makeBlock(std::initializer_list<MacroStep> steps, std::uint8_t options = 0,
                                    unsigned repeat = 0) {
  device::MacroBlock b{};
  b[device::kBlockOptions] = options;
  b[device::kBlockRepeatCount] = static_cast<std::uint8_t>(repeat);
  b[device::kBlockRepeatCount + 1] = static_cast<std::uint8_t>(repeat >> 8);
  std::size_t e = 0;
  for (const MacroStep& s : steps) {
    b[device::kBlockEvents + 2 * e] = s.key;
    b[device::kBlockEvents + 2 * e + 1] = s.action;
    b[device::kBlockDelays + 2 * e] = static_cast<std::uint8_t>(s.delay);
    b[device::kBlockDelays + 2 * e + 1] = static_cast<std::uint8_t>(s.delay >> 8);
    ++e;
  }
  b[device::kBlockEventCount] = static_cast<std::uint8_t>(e);
  return b;
}

class CountedMacros : public device::MacroBlockSource {
 public:
  device::MacroBlock buttonBlock(std::int32_t) override { return {}; }
  device::MacroBlock groupBlock(int, int) override { return {}; }
  int groupMacroCount(int group) override {
    auto it = counts.find(group);
    return it == counts.end() ? 12 : it->second;
  }
  std::map<int, int> counts;
};

// Listener and action thread of one model on fakes. Buttons have device key indices 1, 2, 3,
// 5, 4 (input report byte 1: 0xF1, 0xF2, 0xF3, 0xF5, 0xF4). Profile 2 receives the saves.
struct ActionRig {
  EventLog log;
  RecordingHidTransport transport{&log};
  HookClock clock{log};
  LoggingProfile ini;
  LoggingHostInput input{log};
  LoggingShell shell{log};
  CountedMacros macros;
  device::ButtonTables tables;
  device::ButtonEvents events;
  settings::MouseSettings settings;
  settings::ButtonLayout layout;
  settings::Shared<int> profile{2};
  std::map<int, device::MacroBlock> builtIns;
  int repaints = 0;
  int model;
  device::ReportProtocol protocol;

  explicit ActionRig(int m) : model(m), protocol(transport, 42, 8, clock) {
    layout.keyCount = 5;
    const std::uint8_t idx[] = {1, 2, 3, 5, 4};
    for (int i = 0; i < 5; ++i) layout.deviceKeyIndex[static_cast<std::size_t>(i)] = idx[i];
    for (auto& e : settings.dpiEnabled) e = 1;
  }

  device::ListenerContext listener() {
    return {transport, 77, 8, model, events, tables, settings, clock};
  }
  device::ActionContext action() {
    return device::ActionContext{
        protocol, events, tables, settings, layout, model, macros,
        [this](int slot) { return builtIns.count(slot) ? builtIns[slot] : device::MacroBlock{}; },
        {}, ini, L"C:\\pyxom\\config.ini", profile, input, shell, clock,
        [this] { ++repaints; }, nullptr};
  }
  // An input report as the mouse sends it.
  void report(std::uint8_t b1, std::uint8_t b2) {
    const std::uint8_t r[8] = {6, b1, b2, 0, 0, 0, 0, 0};
    device::applyInputReport(listener(), true, r, sizeof r);
  }
  void press(int button, std::uint8_t arg = 0) {
    report(static_cast<std::uint8_t>(0xF0 + layout.deviceKeyIndex[static_cast<std::size_t>(button)]), arg);
  }
  void release(int button) {
    report(static_cast<std::uint8_t>(0xF0 + layout.deviceKeyIndex[static_cast<std::size_t>(button)]), 0x80);
  }
  void pass() { device::actionPass(action()); }
  std::optional<std::string> saved(const wchar_t* key) {
    auto v = ini.value(L"Config2", key);
    if (!v) return std::nullopt;
    return narrow(*v);
  }
};

}  // namespace pyxom::test
