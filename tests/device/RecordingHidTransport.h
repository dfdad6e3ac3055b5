// Test doubles for the device tests: a HID transport that records every feature report (and
// optionally hands it to a simulated mouse), and a clock whose sleeps are recorded, not taken.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/HidTransport.h"

namespace pyxom::test {

using Bytes = std::vector<std::uint8_t>;

// One line of the event log: a report "F 07 10 01 01 ..." or a pause "sleep 10".
inline std::string hexLine(const Bytes& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string s = "F";
  for (auto b : bytes) {
    s += ' ';
    s += digits[b >> 4];
    s += digits[b & 15];
  }
  return s;
}

class EventLog {
 public:
  void add(std::string line) {
    std::lock_guard lock(mutex_);
    lines_.push_back(std::move(line));
  }
  std::vector<std::string> lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
  }
  void clear() {
    std::lock_guard lock(mutex_);
    lines_.clear();
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
};

class RecordingHidTransport : public platform::HidTransport {
 public:
  explicit RecordingHidTransport(EventLog* log = nullptr) : log_(log) {}

  void beginEnumeration() override {}
  std::optional<std::wstring> interfacePath(int) override { return std::nullopt; }
  void endEnumeration() override {}
  platform::HidHandle open(const std::wstring&, platform::HidAccess) override {
    return platform::kInvalidHidHandle;
  }
  void close(platform::HidHandle) override {}
  bool getAttributes(platform::HidHandle, platform::HidAttributes&) override { return false; }
  bool getCaps(platform::HidHandle, platform::HidCaps&) override { return false; }
  bool readInput(platform::HidHandle, std::uint8_t*, std::size_t, std::size_t& received) override {
    received = 0;
    return false;
  }
  void cancelReads() override {}

  bool setFeature(platform::HidHandle handle, const std::uint8_t* data,
                  std::size_t length) override {
    Bytes bytes(data, data + length);
    {
      std::lock_guard lock(mutex_);
      reports_.push_back(bytes);
      handles_.push_back(handle);
    }
    if (log_) log_->add(hexLine(bytes));
    if (onReport) onReport(data, length);
    return succeed;
  }

  std::vector<Bytes> reports() const {
    std::lock_guard lock(mutex_);
    return reports_;
  }
  std::vector<platform::HidHandle> handles() const {
    std::lock_guard lock(mutex_);
    return handles_;
  }
  void clear() {
    std::lock_guard lock(mutex_);
    reports_.clear();
    handles_.clear();
  }

  bool succeed = true;
  std::function<void(const std::uint8_t*, std::size_t)> onReport;

 private:
  EventLog* log_;
  mutable std::mutex mutex_;
  std::vector<Bytes> reports_;
  std::vector<platform::HidHandle> handles_;
};

class RecordingClock : public platform::Clock {
 public:
  explicit RecordingClock(EventLog* log = nullptr) : log_(log) {}
  std::uint64_t nowMs() override { return now_; }
  void sleepMs(unsigned ms) override {
    now_ += ms;
    if (log_) log_->add("sleep " + std::to_string(ms));
  }

 private:
  EventLog* log_;
  std::atomic<std::uint64_t> now_{0};
};

}  // namespace pyxom::test
