// Measurements of the listener and action threads against the simulated mouse, shared by
// the Google Benchmark target (native) and a plain program built for Windows and run under
// Wine. Every figure is wall-clock time on the real clock.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "device/ActionWorkers.h"
#include "device/DeviceLink.h"
#include "sim/SimHidTransport.h"

namespace pyxom::bench {

using Clock = std::chrono::steady_clock;

inline double micros(Clock::duration d) {
  return std::chrono::duration<double, std::micro>(d).count();
}

struct Summary {
  double median = 0, p99 = 0, mean = 0, max = 0;
};

inline Summary summarize(std::vector<double> v) {
  Summary s;
  if (v.empty()) return s;
  std::sort(v.begin(), v.end());
  s.median = v[v.size() / 2];
  s.p99 = v[std::min(v.size() - 1, static_cast<std::size_t>(std::ceil(0.99 * v.size())) - 1)];
  s.max = v.back();
  for (double x : v) s.mean += x;
  s.mean /= static_cast<double>(v.size());
  return s;
}

// The simulated mouse behind a transport that stamps every feature report it passes on.
class StampingTransport final : public platform::HidTransport {
 public:
  explicit StampingTransport(sim::SimHidTransport& sim) : sim_(sim) {}
  void beginEnumeration() override { sim_.beginEnumeration(); }
  std::optional<std::wstring> interfacePath(int i) override { return sim_.interfacePath(i); }
  void endEnumeration() override { sim_.endEnumeration(); }
  platform::HidHandle open(const std::wstring& p, platform::HidAccess a) override { return sim_.open(p, a); }
  void close(platform::HidHandle h) override { sim_.close(h); }
  bool getAttributes(platform::HidHandle h, platform::HidAttributes& o) override { return sim_.getAttributes(h, o); }
  bool getCaps(platform::HidHandle h, platform::HidCaps& o) override { return sim_.getCaps(h, o); }
  bool setFeature(platform::HidHandle h, const std::uint8_t* d, std::size_t n) override {
    const bool ok = sim_.setFeature(h, d, n);
    {
      std::lock_guard lock(mutex_);
      stamps_.push_back({Clock::now(), n > 1 ? d[1] : std::uint8_t{0}});
      ++count_;
    }
    sent_.notify_all();
    return ok;
  }
  bool readInput(platform::HidHandle h, std::uint8_t* b, std::size_t n, std::size_t& r) override {
    return sim_.readInput(h, b, n, r);
  }
  void cancelReads() override { sim_.cancelReads(); }

  struct Stamp {
    Clock::time_point at;
    std::uint8_t command;
  };
  std::vector<Stamp> stamps() {
    std::lock_guard lock(mutex_);
    return stamps_;
  }
  void clear() {
    std::lock_guard lock(mutex_);
    stamps_.clear();
  }
  // Blocks until more than `count` reports were sent; the time of report number count + 1.
  Clock::time_point waitBeyond(long count) {
    std::unique_lock lock(mutex_);
    sent_.wait(lock, [&] { return count_.load() > count; });
    return stamps_[stamps_.size() - static_cast<std::size_t>(count_.load() - count)].at;
  }
  std::atomic<long> count_{0};

 private:
  sim::SimHidTransport& sim_;
  std::mutex mutex_;
  std::condition_variable sent_;
  std::vector<Stamp> stamps_;
};

// The real clock, counting the sleeps (each one is a wake-up of the thread that sleeps).
class CountingClock final : public platform::Clock {
 public:
  std::uint64_t nowMs() override { return platform::systemClock().nowMs(); }
  void sleepMs(unsigned ms) override {
    ++sleeps;
    platform::systemClock().sleepMs(ms);
  }
  std::atomic<long> sleeps{0};
};

class NoNotifications final : public platform::DeviceNotifications {
 public:
  void registerHidInterfaceNotifications() override {}
};

class NoMacros final : public device::MacroBlockSource {
 public:
  device::MacroBlock buttonBlock(std::int32_t) override { return {}; }
  device::MacroBlock groupBlock(int, int) override { return {}; }
  int groupMacroCount(int) override { return 12; }
};

class NullProfile final : public platform::PrivateProfile {
 public:
  std::wstring readString(const std::wstring&, const std::wstring&, const std::wstring&, std::size_t,
                          const std::wstring& d) override { return d; }
  bool writeString(const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&) override {
    return true;
  }
  bool deleteKey(const std::wstring&, const std::wstring&, const std::wstring&) override { return true; }
  bool deleteSection(const std::wstring&, const std::wstring&) override { return true; }
};

class NullInput final : public platform::HostInput {
 public:
  void keyEvent(std::uint8_t, std::uint16_t, bool, bool) override {}
  void mouseButton(platform::MouseButton, bool) override {}
  void mouseMove(int, int) override {}
  bool isButtonDown(platform::MouseButton) override { return false; }
  std::uint16_t scanCode(std::uint8_t) override { return 0; }
};

class NullShell final : public platform::HostShell {
 public:
  bool runProgram(const std::wstring&, int) override { return true; }
  bool openShellFolder(const std::wstring&) override { return true; }
  bool lockWorkstation() override { return true; }
};

// Model 0 with three buttons on key indices 1, 2, 3, each mapped to device value 0.
struct Bench {
  sim::SimHidTransport sim{0};
  StampingTransport transport{sim};
  device::DeviceLink link{transport};
  CountingClock listenerClock, actionClock;
  NoMacros macros;
  NullProfile ini;
  NullInput input;
  NullShell shell;
  device::ButtonTables tables;
  device::ButtonEvents events;
  settings::MouseSettings settings;
  settings::ButtonLayout layout;
  settings::Shared<int> profile{1};
  std::unique_ptr<device::ReportProtocol> protocol;
  std::unique_ptr<device::ActionWorkers> workers;

  Bench() {
    NoNotifications n;
    link.discover(n);
    protocol = std::make_unique<device::ReportProtocol>(
        transport, link.writeHandle(), link.outputCaps().featureReportByteLength, platform::systemClock());
    layout.keyCount = 3;
    layout.deviceKeyIndex = {1, 2, 3};
    for (std::uint8_t k = 1; k <= 3; ++k) protocol->sendButtonFunction(k, 0);
    settings.buttons[0] = 25;      // consumer key
    settings.buttons[1] = 0x100;   // macro
    settings.buttons[2] = 0;
  }
  void start() {
    const device::ListenerContext l{transport, link.readHandle(), link.inputCaps().inputReportByteLength,
                                    0, events, tables, settings, listenerClock};
    const device::ActionContext a{*protocol, events, tables, settings, layout, 0, macros, {}, {}, ini,
                                  L"config.ini", profile, input, shell, actionClock, {}, nullptr};
    workers = std::make_unique<device::ActionWorkers>(l, a);
    workers->start();
  }
  ~Bench() { workers.reset(); }

  void waitIdle() {
    while (events.buttonEventPending.load() != 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
};

// Input report queued → first feature report (a consumer key), in microseconds per press.
inline std::vector<double> measureLatency(Bench& b, int presses) {
  std::vector<double> out;
  for (int i = 0; i < presses; ++i) {
    b.transport.clear();
    const long before = b.transport.count_.load();
    const auto t0 = Clock::now();
    b.sim.pressButton(1);
    // The stamp is taken on the action thread, so the measuring thread's own wake-up adds nothing.
    out.push_back(micros(b.transport.waitBeyond(before) - t0));
    b.sim.releaseButton(1);
    b.waitIdle();
    // A gap so that the next press finds both threads in their idle state.
    std::this_thread::sleep_for(std::chrono::microseconds(3000 + 397 * (i % 7)));
  }
  return out;
}

// A macro of 50 steps, each `delayMs`: the error of every interval between successive key
// reports against the step's delay, in microseconds.
inline std::vector<double> measureStepError(Bench& b, unsigned delayMs) {
  device::MacroBlock block{};
  const int steps = 50;
  for (int e = 0; e < steps; ++e) {
    const auto i = static_cast<std::size_t>(e);
    block[device::kBlockEvents + 2 * i] = 4;
    block[device::kBlockEvents + 2 * i + 1] = e % 2 == 0 ? 1 : 2;
    block[device::kBlockDelays + 2 * i] = static_cast<std::uint8_t>(delayMs);
    block[device::kBlockDelays + 2 * i + 1] = static_cast<std::uint8_t>(delayMs >> 8);
  }
  block[device::kBlockEventCount] = steps;
  b.tables.setButtonBlock(1, block);
  b.transport.clear();
  b.sim.pressButton(2);
  const auto give_up = Clock::now() + std::chrono::seconds(1);
  while (b.events.buttonEventPending.load() == 0 && b.transport.stamps().empty() && Clock::now() < give_up)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  b.waitIdle();
  b.sim.releaseButton(2);
  std::vector<Clock::time_point> keys;
  for (const auto& s : b.transport.stamps())
    if (s.command == 0x15) keys.push_back(s.at);
  std::vector<double> err;
  // The first 50 key reports are the steps; the step delay separates each from the next
  // (the last step's delay ends at the release that follows it).
  for (std::size_t k = 1; k < keys.size() && k < static_cast<std::size_t>(steps); ++k)
    err.push_back(micros(keys[k] - keys[k - 1]) - 1000.0 * delayMs);
  return err;
}

// Sleeps (wake-ups) per second of each thread while no button is touched.
struct Wakeups {
  double listener = 0, action = 0;
};
inline Wakeups measureIdleWakeups(Bench& b, int ms) {
  b.waitIdle();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const long l0 = b.listenerClock.sleeps, a0 = b.actionClock.sleeps;
  const auto t0 = Clock::now();
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  const double secs = std::chrono::duration<double>(Clock::now() - t0).count();
  return {(b.listenerClock.sleeps - l0) / secs, (b.actionClock.sleeps - a0) / secs};
}

}  // namespace pyxom::bench
